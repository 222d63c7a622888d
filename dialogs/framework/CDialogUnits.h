#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts dialog units to pixels for a dialog font the way the old platform did: a
// horizontal unit is a quarter of the font's average character width (taken over the 52
// letters), a vertical unit an eighth of its character height.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int ToPixelsX(int nUnits) const;
    int ToPixelsY(int nUnits) const;
    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;

private:
    int m_nBaseWidth;
    int m_nBaseHeight;
};
