#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// One control of a dialog template. Kinds and styles carry the resource compiler's names
// (EDITTEXT, DEFPUSHBUTTON, ES_NUMBER, CBS_SORT ...); rect is in dialog units.
struct DialogControl {
    QString m_strName;  // IDC_MAP_FILE, IDOK, IDC_STATIC ...
    int m_nId = -1;
    QString m_strKind;
    QStringList m_Styles;
    QString m_strText;
    QString m_strImage;  // the icon an ICON control shows
    QRect m_Rect;

    bool HasStyle(const QString& style) const { return m_Styles.contains(style); }
};

// A dialog as its template describes it; controls in template order, which is the tab order.
struct DialogTemplate {
    QString m_strName;  // IDD_...
    int m_nId = 0;
    QRect m_Rect;  // dialog units; the size is that of the client area
    QString m_strCaption;
    QString m_strFontFace;
    int m_nFontPoints = 8;
    QStringList m_Styles;
    QStringList m_ExtendedStyles;  // WS_EX_APPWINDOW: a taskbar button, as every top level has
    std::vector<DialogControl> m_Controls;
};
