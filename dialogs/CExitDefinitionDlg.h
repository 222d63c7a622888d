#pragma once

#include "dialogs/framework/CTemplateDialog.h"

class CListComboBox;
class QCheckBox;

// Picks sub cells of the current definition one at a time by their coordinates, with the
// sides that are exits, and appends each to the definition; OK completes the list.
class CExitDefinitionDlg : public CTemplateDialog {
public:
    explicit CExitDefinitionDlg(QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnAdd();

    CListComboBox& m_comboZ;
    CListComboBox& m_comboY;
    CListComboBox& m_comboX;
    QCheckBox& m_checkWest;
    QCheckBox& m_checkSouth;
    QCheckBox& m_checkNorth;
    QCheckBox& m_checkEast;
};
