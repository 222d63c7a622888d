#include "dialogs/framework/CAboutDlg.h"

#include "res/Resource.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : CTemplateDialog(IDD_ABOUTBOX, pParent) {}
