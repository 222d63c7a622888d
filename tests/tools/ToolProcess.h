#pragma once

#include <QString>
#include <QStringList>
#include <string>

// Runs the kvltool program built beside the editor and collects what it said.
struct ToolRun {
    int nExitCode = -1;
    std::string strOut;
    std::string strErr;
};

// Runs kvltool with args in folder (the test's current folder when empty); program is the
// executable to run, the built kvltool unless given.
ToolRun RunKvlTool(const QStringList& args, const QString& folder = QString(),
                   const QString& program = QString());
// The path of the built kvltool.
QString KvlToolPath();
