#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CScriptedPlatformServices.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "config/CGeneratorSettings.h"
#include "config/CKvlApplication.h"

using Texts = std::vector<std::string>;

// A run of our own in a temporary folder: fresh settings, and an application whose executable
// lies in <folder>/bin, so that its profile is <folder>/bin/Gridforge.INI.
class CConfigTest : public testing::Test {
protected:
    CConfigTest() {
        std::filesystem::create_directory(m_Dir.PathOf("bin"));
        m_Services.SetExecutablePath(m_strBin + "kvledit");
        m_App.SetProfilePath();
    }

    TestFiles::TempFolder m_Dir;
    const std::string m_strBin = m_Dir.PathOf("bin") + "/";
    const std::string m_strProfile = m_strBin + "Gridforge.INI";
    CScriptedPlatformServices m_Services;
    CKvlApplication m_App{m_Services};
    CGeneratorSettings m_Settings;
};
