#include <QApplication>
#include <iostream>

#include "app/CEditorCommandLine.h"
#include "dialogs/CKVLEditApp.h"
#include "platform/ProcessSetup.h"
#include "platform/qt/CQtPlatformServices.h"

// The command line is read before the QApplication exists, so that --help and --version
// need no display; the process ends when the main dialog does.
int main(int argc, char** argv) {
    ProcessSetup::IgnoreFileSizeSignal();
    CEditorCommandLine commandLine;
    if (const std::optional<int> nExitCode = commandLine.Parse(argc, argv, std::cout, std::cerr)) {
        return *nExitCode;
    }
    QApplication application(argc, argv);
    CQtPlatformServices services;
    CKVLEditApp theApp(services);
    theApp.InitInstance(commandLine.Profile());
    return 0;
}
