#include "dialogs/CExitDefinitionDlg.h"

#include <QCheckBox>

#include "config/CKvlApplication.h"
#include "dialogs/CKVLEditApp.h"
#include "dialogs/ExitQuestion.h"
#include "dialogs/framework/CListComboBox.h"
#include "platform/LeadingInteger.h"
#include "res/Resource.h"

namespace {

// The coordinates 0 to nDimension - 1; none for a dimension of 0 or below.
void FillCoordinates(CListComboBox& list, int32_t nDimension) {
    list.SetNumberCount(nDimension);
    list.SetCurSel(0);
}

int32_t SelectedCoordinate(const CListComboBox& list) {
    return LeadingInteger::Parse(list.currentText().toStdString());
}

}  // namespace

CExitDefinitionDlg::CExitDefinitionDlg(QWidget* pParent)
    : CTemplateDialog(IDD_EXIT_DEFINITION, pParent),
      m_comboZ(BindControl<CListComboBox>(IDC_SUBCELL_Z)),
      m_comboY(BindControl<CListComboBox>(IDC_SUBCELL_Y)),
      m_comboX(BindControl<CListComboBox>(IDC_SUBCELL_X)),
      m_checkWest(BindControl<QCheckBox>(IDC_WEST)),
      m_checkSouth(BindControl<QCheckBox>(IDC_SOUTH)),
      m_checkNorth(BindControl<QCheckBox>(IDC_NORTH)),
      m_checkEast(BindControl<QCheckBox>(IDC_EAST)) {
    OnClicked(IDC_ADD, [this] { OnAdd(); });
}

bool CExitDefinitionDlg::OnInitDialog() {
    CTemplateDialog::OnInitDialog();
    const CKvlDefinition& definition = theSettings.m_Definition;
    FillCoordinates(m_comboX, definition.m_nDimX);
    FillCoordinates(m_comboY, definition.m_nDimY);
    FillCoordinates(m_comboZ, definition.m_nDimZ);
    return true;
}

void CExitDefinitionDlg::OnAdd() {
    SubCell cell;
    cell.nX = SelectedCoordinate(m_comboX);
    cell.nY = SelectedCoordinate(m_comboY);
    cell.nZ = SelectedCoordinate(m_comboZ);
    cell.bNorth = m_checkNorth.isChecked();
    cell.bSouth = m_checkSouth.isChecked();
    cell.bEast = m_checkEast.isChecked();
    cell.bWest = m_checkWest.isChecked();
    theSettings.m_Definition.AddSubCell(cell);
}

void CExitDefinitionDlg::OnOK() {
    if (theSettings.m_Definition.GetSubCellCount() == 0) {
        KvlMessageBox("No exits defined!");
        return;
    }
    theSettings.m_Definition.CompleteSubCells();
    CTemplateDialog::OnOK();
}

void CExitDefinitionDlg::OnCancel() {
    if (UserConfirmsExit()) {
        CTemplateDialog::OnCancel();
    }
}
