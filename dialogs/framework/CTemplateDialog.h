#pragma once

#include <QDialog>
#include <functional>
#include <map>

#include "dialogs/framework/DialogTemplate.h"

class CSystemMenu;
class QAbstractButton;

// A modal dialog made from one of the program's dialog templates, with the shape of the old
// platform's dialogs: OnInitDialog before it shows, OnOK and OnCancel that end it with IDOK
// and IDCANCEL, Enter for the default button, Escape and the close box for OnCancel, F1 for
// the About box.
class CTemplateDialog : public QDialog {
public:
    explicit CTemplateDialog(int nTemplateId, QWidget* pParent = nullptr);

    // Initialises and runs the dialog; returns the code it was ended with (IDOK, IDCANCEL).
    int DoModal();
    // The control with that id; null for IDC_STATIC and ids the template lacks.
    QWidget* GetDlgItem(int nId) const;

protected:
    // Returns true to put the focus on the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // A command chosen from the window's menu (see CSystemMenu).
    virtual void OnSysCommand(unsigned nId);

    void EndDialog(int nResult);
    // The control of that id as T; a template without it is a build error that stops here.
    template <class T>
    T& BindControl(int nId) const {
        T* pControl = dynamic_cast<T*>(GetDlgItem(nId));
        if (pControl == nullptr) {
            FailBinding(nId);
        }
        return *pControl;
    }
    // Runs handler when the button of that id is clicked.
    void OnClicked(int nId, std::function<void()> handler);
    CSystemMenu& SystemMenu() const { return *m_pSystemMenu; }
    // Runs the About box.
    void ShowAbout();

    void reject() override;
    void showEvent(QShowEvent* pEvent) override;
    // Plain mnemonic letters on controls that take no text, as in the old platform's dialogs.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;
#endif

private:
    [[noreturn]] void FailBinding(int nId) const;
    // The button whose mnemonic is that key, or null.
    QAbstractButton* MnemonicButton(int nKey) const;

    const DialogTemplate m_Template;
    std::map<int, QWidget*> m_Controls;
    CSystemMenu* m_pSystemMenu;
    QWidget* m_pFirstTabStop = nullptr;
};
