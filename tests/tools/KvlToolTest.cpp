#include "KvlToolTest.h"

#include <QProcess>

#include "definition/CKvlWriter.h"

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t nExits) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(nExits);
    return cell;
}

ToolRun KvlToolTest::Run(const QStringList& args, const QString& program) const {
    QProcess process;
    process.setWorkingDirectory(m_Folder.path());
    process.start(program, args);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.nExitCode = process.exitCode();
    }
    run.strOut = process.readAllStandardOutput().toStdString();
    run.strErr = process.readAllStandardError().toStdString();
    return run;
}

std::string KvlToolTest::Kvl(const CKvlDefinition& definition) const {
    const QString path = m_Scratch.filePath("scratch.KVL");
    EXPECT_TRUE(CKvlWriter().Write(path.toStdString(), definition));
    return TestFiles::ReadAll(path.toStdString());
}
