#pragma once

#include "config/CKvlApplication.h"

// The editor's application object: start-up runs the whole program.
class CKVLEditApp : public CKvlApplication {
public:
    using CKvlApplication::CKvlApplication;

    // Finds the shared profile, loads the settings, then runs the main dialog until it ends.
    // Returns false: the process ends with it.
    bool InitInstance();
};
