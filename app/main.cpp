#include <QApplication>

#include "app/CKVLEditApp.h"
#include "platform/qt/CQtPlatformServices.h"

// The editor takes no command line of its own; the process ends when its main dialog does.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The dialogs run one inside the other; the hidden main dialog must not end the program
    // when the last visible dialog closes.
    QApplication::setQuitOnLastWindowClosed(false);
    CQtPlatformServices services;
    CKVLEditApp theApp(services);
    theApp.InitInstance();
    return 0;
}
