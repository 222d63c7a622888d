#include "dialogs/CKVLEditDlg.h"

#include <QLineEdit>
#include <algorithm>
#include <iterator>

#include "config/CKvlApplication.h"
#include "definition/CKvlWriter.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditApp.h"
#include "dialogs/ExitQuestion.h"
#include "dialogs/framework/CResourceTable.h"
#include "dialogs/framework/CSystemMenu.h"
#include "fileio/PathText.h"
#include "map/MapMeasure.h"
#include "platform/LeadingInteger.h"
#include "res/Resource.h"

namespace {

std::string FieldText(const QLineEdit& edit) {
    return edit.text().toLocal8Bit().toStdString();
}

int32_t FieldNumber(const QLineEdit& edit) {
    return LeadingInteger::Parse(FieldText(edit));
}

std::string DimensionLimitMessage() {
    const std::string strLimit = std::to_string(CKvlDefinition::kMaxSubCells);
    return "The dimensions are too large: no dimension may exceed " + strLimit +
           ", and a prefab may have at most " + strLimit + " sub cells (X x Y x Z).";
}

}  // namespace

CKVLEditDlg::CKVLEditDlg(QWidget* pParent)
    : CTemplateDialog(IDD_KVLEDIT_DIALOG, pParent),
      m_editZ(BindControl<QLineEdit>(IDC_DIM_Z)),
      m_editY(BindControl<QLineEdit>(IDC_DIM_Y)),
      m_editX(BindControl<QLineEdit>(IDC_DIM_X)),
      m_editMapFile(BindControl<QLineEdit>(IDC_MAP_FILE)),
      m_editId(BindControl<QLineEdit>(IDC_ID)),
      m_hIcon(CResourceTable::Instance().Icon(IDR_MAINFRAME)) {
    OnClicked(IDC_BROWSE, [this] { OnBrowse(); });
    OnClicked(IDC_NEXT, [this] { OnNext(); });
}

bool CKVLEditDlg::OnInitDialog() {
    CTemplateDialog::OnInitDialog();

    const QString strAboutMenu = CResourceTable::Instance().String(IDS_ABOUTBOX);
    if (!strAboutMenu.isEmpty()) {
        SystemMenu().AppendItem(IDM_ABOUTBOX, strAboutMenu);
    }
    setWindowIcon(m_hIcon);

    if (theSettings.AllocateNextId() == CGeneratorSettings::IdAllocation::NoneLeft) {
        // Nothing made now could be saved under an identifier of its own: the field stays
        // empty and Next stays off, so the run can only be left.
        GetDlgItem(IDC_NEXT)->setEnabled(false);
    } else {
        m_editId.setText(QString::number(static_cast<int32_t>(theSettings.m_Definition.m_nId)));
    }
    return true;
}

void CKVLEditDlg::OnSysCommand(unsigned nId) {
    if ((nId & 0xFFF0u) == IDM_ABOUTBOX) {
        ShowAbout();
    }
}

void CKVLEditDlg::OnBrowse() {
    FileDialogRequest request;
    request.eKind = FileDialogRequest::Kind::Open;
    request.strDefaultExt = "map";
    request.strFilter = "Map Files (*.map)|*.map||";
    request.strInitialDir = theSettings.m_strSourceDir;  // where the prefabs are
    const std::optional<std::string> path =
        CKvlApplication::Current().Services().RunFileDialog(request);
    if (path) {
        m_strMapPath = *path;
        m_editMapFile.setText(QString::fromLocal8Bit(PathText::FileNameOf(*path)));
        FillEmptyDimensions(*path);
    }
}

void CKVLEditDlg::FillEmptyDimensions(const std::string& strMapPath) {
    QLineEdit* const fields[] = {&m_editX, &m_editY, &m_editZ};
    if (std::none_of(std::begin(fields), std::end(fields),
                     [](const QLineEdit* pField) { return pField->text().isEmpty(); })) {
        return;  // what the user typed stands: no need to read the map
    }
    // A map that cannot be read or measured is no error here: the name is all the editor
    // needs, and the user types the size as before.
    const std::optional<std::array<int32_t, 3>> dims = MapMeasure::Dimensions(strMapPath);
    for (size_t i = 0; dims && i < std::size(fields); ++i) {
        if (fields[i]->text().isEmpty()) {
            fields[i]->setText(QString::number((*dims)[i]));
        }
    }
}

void CKVLEditDlg::OnCancel() {
    if (UserConfirmsExit()) {
        CTemplateDialog::OnCancel();
    }
}

void CKVLEditDlg::OnNext() {
    const int32_t nDimX = FieldNumber(m_editX);
    const int32_t nDimY = FieldNumber(m_editY);
    const int32_t nDimZ = FieldNumber(m_editZ);
    // A mistyped huge number would hang the program filling the lists or exhaust memory
    // completing the sub cells: refuse it while the fields can still be corrected.
    if (!CKvlDefinition::DimensionsWithinLimit(nDimX, nDimY, nDimZ)) {
        KvlMessageBox(DimensionLimitMessage());
        return;
    }
    CKvlDefinition& definition = theSettings.m_Definition;
    definition.m_nDimX = nDimX;
    definition.m_nDimY = nDimY;
    definition.m_nDimZ = nDimZ;
    definition.m_strMapFile = FieldText(m_editMapFile);

    hide();
    CExitDefinitionDlg exitDefinition;
    if (exitDefinition.DoModal() == IDOK) {
        SaveDefinition();
    }
    OnOK();
}

std::string CKVLEditDlg::MapFolder(const std::string& strMapFile) const {
    // The field shows a browsed map by its bare name; a typed one may name its folder.
    const bool bBrowsed = !m_strMapPath.empty() && PathText::FileNameOf(m_strMapPath) == strMapFile;
    const std::string strDir = PathText::DirectoryOf(bBrowsed ? m_strMapPath : strMapFile);
    return strDir.empty() ? theSettings.m_strSourceDir : strDir;
}

void CKVLEditDlg::SaveDefinition() {
    const CKvlDefinition& definition = theSettings.m_Definition;
    FileDialogRequest request;
    request.eKind = FileDialogRequest::Kind::Save;
    request.strDefaultExt = "kvl";
    request.strInitialName = CKvlWriter::ProposedFileName(definition.m_strMapFile);
    request.strFilter = "KVL Files (*.kvl)|*.kvl||";
    request.strInitialDir = MapFolder(definition.m_strMapFile);
    IPlatformServices& services = CKvlApplication::Current().Services();
    std::optional<std::string> path;
    // Cancelling would throw away every exit ticked and the identifier: ask before that.
    while (!(path = services.RunFileDialog(request))) {
        if (KvlMessageBox("The definition has not been saved. Exit without saving?",
                          MessageBoxType::YesNo) != MessageBoxResult::No) {
            return;
        }
    }
    // The full path: the file goes where the user chose whatever the current directory.
    CKvlWriter writer;
    if (writer.Write(*path, definition)) {
        KvlMessageBox("File written successfully");
    } else {
        KvlMessageBox("Couldn't write the file!");
    }
}
