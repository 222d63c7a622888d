#include "dialogs/framework/CDialogUnits.h"

#include <QFontMetrics>
#include <QString>
#include <cmath>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int nLettersWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average over 52 letters, rounded: width / 26 halved with rounding.
    m_nBaseWidth = (nLettersWidth / 26 + 1) / 2;
    m_nBaseHeight = metrics.height();
}

int CDialogUnits::ToPixelsX(int nUnits) const {
    return MulDiv(nUnits, m_nBaseWidth, 4);
}

int CDialogUnits::ToPixelsY(int nUnits) const {
    return MulDiv(nUnits, m_nBaseHeight, 8);
}

QRect CDialogUnits::ToPixels(const QRect& units) const {
    return QRect(ToPixelsX(units.x()), ToPixelsY(units.y()), ToPixelsX(units.width()),
                 ToPixelsY(units.height()));
}

QSize CDialogUnits::ToPixels(const QSize& units) const {
    return QSize(ToPixelsX(units.width()), ToPixelsY(units.height()));
}
