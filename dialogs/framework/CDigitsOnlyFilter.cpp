#include "dialogs/framework/CDigitsOnlyFilter.h"

#include <QKeyEvent>

namespace {

// A key press that would type text other than digits.
bool TypesNonDigits(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    const QString text = event.text();
    bool bPrintable = false;
    bool bAllDigits = true;
    for (const QChar c : text) {
        if (c.isPrint()) {
            bPrintable = true;
            bAllDigits = bAllDigits && c >= u'0' && c <= u'9';
        }
    }
    return bPrintable && !bAllDigits;
}

}  // namespace

bool CDigitsOnlyFilter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::KeyPress && TypesNonDigits(*static_cast<QKeyEvent*>(pEvent))) {
        return true;
    }
    return QObject::eventFilter(pWatched, pEvent);
}
