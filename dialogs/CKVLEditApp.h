#pragma once

#include <optional>
#include <string>

#include "config/CGeneratorSettings.h"
#include "config/CKvlApplication.h"

// The editor's application object: start-up runs the whole program.
class CKVLEditApp : public CKvlApplication {
public:
    using CKvlApplication::CKvlApplication;

    // Takes strProfile, or else finds the shared profile, loads the settings, then runs the
    // main dialog until it ends. Returns false: the process ends with it.
    bool InitInstance(const std::optional<std::string>& strProfile = std::nullopt);
};

// The editor's settings and the definition being edited, for the whole run.
extern CGeneratorSettings theSettings;
