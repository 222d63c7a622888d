#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "definition/CKvlDefinition.h"

struct ToolRun {
    int nExitCode = -1;  // also when the program did not finish normally
    std::string strOut;
    std::string strErr;
};

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t nExits = 0);

// Runs the built kvltool in a temporary folder of its own and looks at what it leaves there.
class KvlToolTest : public testing::Test {
protected:
    // program: another copy of kvltool to run instead.
    ToolRun Run(const QStringList& args, const QString& program = KVLTOOL_PATH) const;
    // The bytes the editor's writer writes for definition.
    std::string Kvl(const CKvlDefinition& definition) const;

    std::string Path(const char* pszName) const { return m_Folder.filePath(pszName).toStdString(); }
    std::string Read(const char* pszName) const { return TestFiles::ReadAll(Path(pszName)); }
    void Put(const char* pszName, const std::string& bytes) const {
        TestFiles::WriteAll(Path(pszName), bytes);
    }
    std::vector<std::string> Files() const {
        return TestFiles::ListFolder(m_Folder.path().toStdString());
    }

    QTemporaryDir m_Folder;
    QTemporaryDir m_Scratch;
};
