#include "dialogs/CKVLEditApp.h"

#include <QApplication>

#include "config/ProfileLocation.h"
#include "dialogs/CKVLEditDlg.h"

CGeneratorSettings theSettings;

bool CKVLEditApp::InitInstance(const std::optional<std::string>& strProfile) {
    // The dialogs run one inside the other while the main dialog is hidden; closing the last
    // visible one must not end the program before the save step.
    QApplication::setQuitOnLastWindowClosed(false);
    if (strProfile) {
        SetProfileName(*strProfile);
    } else if (SetProfilePath()) {
        KvlMessageBox(ProfileLocation::FirstUseNotice(GetProfileName()));
    }
    theSettings.Load();

    CKVLEditDlg dialog;
    dialog.DoModal();
    return false;
}
