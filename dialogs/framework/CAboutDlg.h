#pragma once

#include "dialogs/framework/CTemplateDialog.h"

// The About box: the icon, the program's name and version, and OK.
class CAboutDlg : public CTemplateDialog {
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
