#include "dialogs/CTemplateDialog.h"

#include <QAbstractButton>

#include "dialogs/CDialogBuilder.h"
#include "dialogs/CResourceTable.h"
#include "dialogs/CSystemMenu.h"
#include "res/Resource.h"

namespace {

DialogTemplate FindTemplate(int nTemplateId) {
    const DialogTemplate* pTemplate = CResourceTable::Instance().Dialog(nTemplateId);
    if (pTemplate == nullptr) {
        qWarning("There is no dialog template %d", nTemplateId);
        return DialogTemplate();
    }
    return *pTemplate;
}

}  // namespace

CTemplateDialog::CTemplateDialog(int nTemplateId, QWidget* pParent)
    : QDialog(pParent),
      m_Template(FindTemplate(nTemplateId)),
      m_pSystemMenu(new CSystemMenu(*this, [this](unsigned nId) { OnSysCommand(nId); })) {
    const std::vector<QWidget*> controls = CDialogBuilder::Build(m_Template, *this);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (m_Template.controls[i].nId != IDC_STATIC) {
            m_Controls.emplace(m_Template.controls[i].nId, controls[i]);
        }
        if (m_pFirstTabStop == nullptr && (controls[i]->focusPolicy() & Qt::TabFocus)) {
            m_pFirstTabStop = controls[i];
        }
    }
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
}

int CTemplateDialog::DoModal() {
    if (OnInitDialog() && m_pFirstTabStop != nullptr) {
        m_pFirstTabStop->setFocus(Qt::TabFocusReason);
    }
    return exec();
}

QWidget* CTemplateDialog::GetDlgItem(int nId) const {
    const auto it = m_Controls.find(nId);
    return it == m_Controls.end() ? nullptr : it->second;
}

bool CTemplateDialog::OnInitDialog() {
    return true;
}

void CTemplateDialog::OnOK() {
    EndDialog(IDOK);
}

void CTemplateDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CTemplateDialog::OnSysCommand(unsigned) {}

void CTemplateDialog::EndDialog(int nResult) {
    done(nResult);
}

void CTemplateDialog::OnClicked(int nId, std::function<void()> handler) {
    if (auto* pButton = dynamic_cast<QAbstractButton*>(GetDlgItem(nId))) {
        connect(pButton, &QAbstractButton::clicked, this, std::move(handler));
    }
}

void CTemplateDialog::reject() {
    OnCancel();
}

#ifdef Q_OS_WIN
bool CTemplateDialog::nativeEvent(const QByteArray& eventType, void* pMessage, qintptr* pResult) {
    if (m_pSystemMenu->HandleNativeMessage(pMessage)) {
        *pResult = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, pMessage, pResult);
}
#endif

void CTemplateDialog::FailBinding(int nId) const {
    qFatal("Dialog %s has no control %d of the kind its code expects",
           qPrintable(m_Template.strName), nId);
}
