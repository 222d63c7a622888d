#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "CScriptedPlatformServices.h"
#include "app/CKVLEditApp.h"

// An editor over a temporary folder: the executable "lies" in <temp>/bin, so the shared
// profile is <temp>/bin/Gridforge.INI, and the desktop is scripted. Every test starts from
// fresh settings and must leave no window open.
class CEditorFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the temporary folder.
    std::string TempPath(const std::string& relative) const;
    std::string ProfilePath() const { return TempPath("bin/Gridforge.INI"); }

    QTemporaryDir m_TempDir;
    CScriptedPlatformServices m_Services;
    std::unique_ptr<CKVLEditApp> m_pApp;
};
