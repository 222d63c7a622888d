#include "ToolProcess.h"

#include <QProcess>

QString KvlToolPath() {
    return QStringLiteral(KVLTOOL_PATH);
}

ToolRun RunKvlTool(const QStringList& args, const QString& folder, const QString& program) {
    QProcess process;
    process.setProgram(program.isEmpty() ? KvlToolPath() : program);
    process.setArguments(args);
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    process.start();
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        run.strErr = "kvltool did not finish normally: " + process.errorString().toStdString();
        return run;
    }
    run.nExitCode = process.exitCode();
    run.strOut = process.readAllStandardOutput().toStdString();
    run.strErr = process.readAllStandardError().toStdString();
    return run;
}
