#include "app/CKVLEditApp.h"

#include "config/CGeneratorSettings.h"
#include "dialogs/CKVLEditDlg.h"

bool CKVLEditApp::InitInstance() {
    SetProfilePath();
    theSettings.Load();

    CKVLEditDlg dialog;
    dialog.DoModal();
    return false;
}
