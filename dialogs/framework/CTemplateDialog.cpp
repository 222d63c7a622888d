#include "dialogs/framework/CTemplateDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

#include "dialogs/framework/CAboutDlg.h"

#include "dialogs/framework/CResourceTable.h"
#include "dialogs/framework/CSystemMenu.h"
#include "dialogs/framework/DialogBuilder.h"
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
    const std::vector<QWidget*> controls = DialogBuilder::Build(m_Template, *this);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (m_Template.m_Controls[i].m_nId != IDC_STATIC) {
            m_Controls.emplace(m_Template.m_Controls[i].m_nId, controls[i]);
        }
        if (m_pFirstTabStop == nullptr && (controls[i]->focusPolicy() & Qt::TabFocus)) {
            m_pFirstTabStop = controls[i];
        }
    }
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    for (QWidget* pControl : controls) {
        pControl->installEventFilter(this);
    }
    if (nTemplateId != IDD_ABOUTBOX) {
        connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this,
                &CTemplateDialog::ShowAbout);
    }
}

int CTemplateDialog::DoModal() {
    if (OnInitDialog() && m_pFirstTabStop != nullptr) {
        m_pFirstTabStop->setFocus(Qt::TabFocusReason);
    }
    return exec();
}

void CTemplateDialog::showEvent(QShowEvent* pEvent) {
    QDialog::showEvent(pEvent);
    // Styles draw the focus mark only after a key has moved the focus; a person starting with
    // the keyboard must see it at once.
    setAttribute(Qt::WA_KeyboardFocusChange);
    update();
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

bool CTemplateDialog::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(pWatched, pEvent);
    }
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    const auto* pCombo = qobject_cast<QComboBox*>(pWatched);
    const bool bTakesNoText = qobject_cast<QAbstractButton*>(pWatched) != nullptr ||
                              (pCombo != nullptr && !pCombo->isEditable());
    QAbstractButton* pButton = nullptr;
    if (bTakesNoText && (pKey->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
        pButton = MnemonicButton(pKey->key());
    }
    if (pButton == nullptr) {
        return QDialog::eventFilter(pWatched, pEvent);
    }
    // As Alt with the letter: a push button is pressed where the focus is, a check box gets it.
    if (qobject_cast<QPushButton*>(pButton) == nullptr) {
        pButton->setFocus(Qt::ShortcutFocusReason);
    }
    pButton->click();
    return true;
}

QAbstractButton* CTemplateDialog::MnemonicButton(int nKey) const {
    if (nKey < Qt::Key_0 || nKey > Qt::Key_Z) {
        return nullptr;
    }
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(nKey)));
    for (const auto& [nId, pControl] : m_Controls) {
        auto* pButton = qobject_cast<QAbstractButton*>(pControl);
        if (pButton != nullptr && pButton->isEnabled() &&
            QKeySequence::mnemonic(pButton->text()) == wanted) {
            return pButton;
        }
    }
    return nullptr;
}

void CTemplateDialog::ShowAbout() {
    CAboutDlg about;
    about.DoModal();
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
           qPrintable(m_Template.m_strName), nId);
}
