#include <QApplication>

#include "app/CKVLEditApp.h"
#include "platform/CProcessSetup.h"
#include "platform/qt/CQtPlatformServices.h"

// The editor takes no command line of its own; the process ends when its main dialog does.
int main(int argc, char** argv) {
    CProcessSetup::IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    CQtPlatformServices services;
    CKVLEditApp theApp(services);
    theApp.InitInstance();
    return 0;
}
