#pragma once

#include <QObject>

// Lets an edit field take only digits from the keyboard. Editing and navigation keys and
// shortcuts pass, so text pasted with Ctrl+V or the context menu arrives as it is.
class CDigitsOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
