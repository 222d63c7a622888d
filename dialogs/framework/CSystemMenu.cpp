#include "dialogs/framework/CSystemMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

CSystemMenu::CSystemMenu(QWidget& window, CommandHandler onCommand)
    : QObject(&window), m_Window(window), m_OnCommand(std::move(onCommand)) {
#ifndef Q_OS_WIN
    m_pMenu = new QMenu(&m_Window);
    m_Window.installEventFilter(this);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* pShortcut = new QShortcut(keys, &m_Window);
        connect(pShortcut, &QShortcut::activated, this, &CSystemMenu::PopupAtFocus);
    }
#endif
}

bool CSystemMenu::AppendItem(unsigned nCommandId, const QString& text) {
#ifdef Q_OS_WIN
    const HMENU hMenu = GetSystemMenu(reinterpret_cast<HWND>(m_Window.winId()), FALSE);
    if (hMenu == nullptr) {
        return false;
    }
    AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hMenu, MF_STRING, nCommandId, reinterpret_cast<LPCWSTR>(text.utf16()));
    m_CommandIds.push_back(nCommandId);
    return true;
#else
    if (m_pMenu->isEmpty()) {
        // Text fields show their own menu, which gets these items below a separator.
        for (QLineEdit* pEdit : m_Window.findChildren<QLineEdit*>()) {
            pEdit->installEventFilter(this);
        }
    } else {
        m_pMenu->addSeparator();
    }
    connect(m_pMenu->addAction(text), &QAction::triggered, this,
            [this, nCommandId] { m_OnCommand(nCommandId); });
    return true;
#endif
}

bool CSystemMenu::HandleNativeMessage([[maybe_unused]] void* pMessage) {
#ifdef Q_OS_WIN
    const MSG* pMsg = static_cast<const MSG*>(pMessage);
    if (pMsg->message != WM_SYSCOMMAND) {
        return false;
    }
    // The low four bits of a system command are the system's own.
    const unsigned nCommandId = static_cast<unsigned>(pMsg->wParam) & 0xFFF0u;
    if (std::find(m_CommandIds.begin(), m_CommandIds.end(), nCommandId) != m_CommandIds.end()) {
        m_OnCommand(nCommandId);
        return true;
    }
#endif
    return false;
}

bool CSystemMenu::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::ContextMenu || m_pMenu == nullptr || m_pMenu->isEmpty()) {
        return QObject::eventFilter(pWatched, pEvent);
    }
    const QPoint globalPos = static_cast<QContextMenuEvent*>(pEvent)->globalPos();
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWatched)) {
        QMenu* pEditMenu = pEdit->createStandardContextMenu();
        pEditMenu->setAttribute(Qt::WA_DeleteOnClose);
        pEditMenu->addSeparator();
        pEditMenu->addActions(m_pMenu->actions());
        pEditMenu->popup(globalPos);
    } else {
        PopupAt(globalPos);
    }
    return true;
}

void CSystemMenu::PopupAt(const QPoint& globalPos) {
    if (m_pMenu != nullptr && !m_pMenu->isEmpty()) {
        m_pMenu->popup(globalPos);
        // Selected at once, so that Enter chooses it.
        m_pMenu->setActiveAction(m_pMenu->actions().constFirst());
    }
}

void CSystemMenu::PopupAtFocus() {
    const QWidget* pFocus = m_Window.focusWidget();
    const QWidget& anchor = pFocus != nullptr ? *pFocus : m_Window;
    PopupAt(anchor.mapToGlobal(anchor.rect().center()));
}
