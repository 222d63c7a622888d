#pragma once

#include <cstdint>
#include <string>

#include "config/CCasterySummary.h"
#include "config/Identifiers.h"
#include "definition/CKvlDefinition.h"

// The generator's settings from the application's profile, the summary values of the Castery
// folder, and the definition being edited. The editor keeps one for the whole run.
class CGeneratorSettings {
public:
    static constexpr const char* kProfileFileName = "Gridforge.INI";

    int32_t m_nTemplateX = 0;
    int32_t m_nTemplateY = 0;
    int32_t m_nTemplateZ = 0;
    std::string m_strClientPath;
    std::string m_strProfilePath = kProfileFileName;
    std::string m_strTemplateDir;
    std::string m_strSourceDir;
    std::string m_strTargetDir;
    std::string m_strQuakeIQbsp;
    std::string m_strQuakeILight;
    std::string m_strQuakeIVis;
    std::string m_strQuakeIIQbsp;
    std::string m_strQuakeIIVis;
    std::string m_strQuakeIILight;
    CKvlDefinition m_Definition;
    int32_t m_nGameType = 0;
    float m_fPercentToFill = 0.0f;
    SummaryInfo m_Summary;

    // Reads every setting from the application's profile file (whose name m_strProfilePath
    // takes), brings the three directories to a trailing separator, then reads or creates the
    // summary file.
    void Load();
    // Load without the summary step: what kvltool paths shows, without writing anything.
    void LoadSettings();
    using IdAllocation = Identifiers::Outcome;
    // Takes the next identifier of the application's profile into m_Definition.m_nId; the
    // editor uses an identifier that was not reserved all the same.
    IdAllocation AllocateNextId();
};
