#pragma once

#include <QIcon>
#include <string>

#include "dialogs/framework/CTemplateDialog.h"

class QLineEdit;

// The main dialog "KVL Editor": the map file name, the three dimensions and the identifier
// of this run. Next hands over to the Exit Definition dialog and ends with the save step.
class CKVLEditDlg : public CTemplateDialog {
public:
    explicit CKVLEditDlg(QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnSysCommand(unsigned nId) override;

private:
    void OnBrowse();
    // Gives the dimension fields still empty the measured size of the map at strMapPath.
    void FillEmptyDimensions(const std::string& strMapPath);
    void OnNext();
    void SaveDefinition();
    // The folder the save dialog opens in: the map's own, else the Castery folder.
    std::string MapFolder(const std::string& strMapFile) const;

    QLineEdit& m_editZ;
    QLineEdit& m_editY;
    QLineEdit& m_editX;
    QLineEdit& m_editMapFile;
    QLineEdit& m_editId;
    QIcon m_hIcon;
    std::string m_strMapPath;  // the full path of the map chosen with "...", if any
};
