#include "app/CKVLEditApp.h"

#include <QApplication>

#include "config/CGeneratorSettings.h"
#include "dialogs/CKVLEditDlg.h"

bool CKVLEditApp::InitInstance() {
    // The dialogs run one inside the other while the main dialog is hidden; closing the last
    // visible one must not end the program before the save step.
    QApplication::setQuitOnLastWindowClosed(false);
    SetProfilePath();
    theSettings.Load();

    CKVLEditDlg dialog;
    dialog.DoModal();
    return false;
}
