#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QMenu;
class QPoint;
class QWidget;

// Extra commands of a window's own menu. Where the platform lets a program extend the
// window's system menu (Windows) they are appended there; elsewhere they make up a menu of
// their own that opens on a right click into the window and on Shift+F10 or the Menu key.
class CSystemMenu : public QObject {
public:
    using CommandHandler = std::function<void(unsigned nCommandId)>;

    CSystemMenu(QWidget& window, CommandHandler onCommand);

    // Appends a separator and a text item with the command id. False when the platform's
    // menu cannot be had.
    bool AppendItem(unsigned nCommandId, const QString& text);
    // Windows only: handles a WM_SYSCOMMAND message for one of the appended items.
    bool HandleNativeMessage(void* pMessage);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void PopupAt(const QPoint& globalPos);
    void PopupAtFocus();

    QWidget& m_Window;
    CommandHandler m_OnCommand;
    QMenu* m_pMenu = nullptr;
    std::vector<unsigned> m_CommandIds;  // appended to the Windows system menu
};
