#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// One control of a dialog template. Kinds and styles carry the resource compiler's names
// (EDITTEXT, DEFPUSHBUTTON, ES_NUMBER, CBS_SORT ...); rect is in dialog units.
struct DialogControl {
    QString strName;  // IDC_MAP_FILE, IDOK, IDC_STATIC ...
    int nId = -1;
    QString strKind;
    QStringList styles;
    QString strText;
    QString strImage;  // the icon an ICON control shows
    QRect rect;

    bool HasStyle(const QString& style) const { return styles.contains(style); }
};

// A dialog as its template describes it; controls in template order, which is the tab order.
struct DialogTemplate {
    QString strName;  // IDD_...
    int nId = 0;
    QRect rect;  // dialog units; the size is that of the client area
    QString strCaption;
    QString strFontFace;
    int nFontPoints = 8;
    QStringList styles;
    QStringList extendedStyles;  // WS_EX_APPWINDOW: a taskbar button, as every top level has
    std::vector<DialogControl> controls;
};
