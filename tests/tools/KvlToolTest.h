#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "DefinitionSamples.h"
#include "TestFiles.h"
#include "definition/CKvlWriter.h"

// A limit the run's process gets from its start (RLIMIT_FSIZE, RLIMIT_AS), so that a write or
// an allocation fails for real in the middle of the work.
struct ResourceLimit {
    int nResource = -1;  // none
    rlim_t nLimit = 0;
};

struct ToolRun {
    int nExitCode = -1;  // also when the program did not finish normally
    std::string strOut;
    std::string strErr;
};

// Runs the built kvltool in a temporary folder of its own and looks at what it leaves there.
class KvlToolTest : public testing::Test {
protected:
    // program: another copy of kvltool to run instead; output, input: files for standard
    // output and input.
    ToolRun Run(const QStringList& args, const QString& program = KVLTOOL_PATH,
                const QString& output = {}, ResourceLimit limit = {},
                const QString& input = {}) const {
        QProcess process;
        process.setWorkingDirectory(m_Folder.path());
        if (!input.isEmpty()) {
            process.setStandardInputFile(input);
        }
        if (limit.nResource >= 0) {
            process.setChildProcessModifier([limit] {
                const rlimit value{limit.nLimit, limit.nLimit};
                setrlimit(limit.nResource, &value);
            });
        }
        if (!output.isEmpty()) {
            process.setStandardOutputFile(output);
        }
        process.start(program, args);
        const bool bFinished = process.waitForFinished(60000);
        return {bFinished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    // The bytes the editor's writer writes for definition.
    std::string Kvl(const CKvlDefinition& definition) const {
        const std::string path = m_Scratch.filePath("scratch.KVL").toStdString();
        EXPECT_TRUE(CKvlWriter().Write(path, definition));
        return TestFiles::ReadAll(path);
    }

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
