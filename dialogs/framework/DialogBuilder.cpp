#include "dialogs/framework/DialogBuilder.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/framework/CDialogUnits.h"
#include "dialogs/framework/CDigitsOnlyFilter.h"
#include "dialogs/framework/CListComboBox.h"
#include "dialogs/framework/CResourceTable.h"

namespace {

// The old platform draws icon controls at the system's icon size, whatever their rectangle.
constexpr int kIconSize = 32;

QWidget* MakeStatic(const DialogControl& control, Qt::Alignment alignment) {
    auto* pLabel = new QLabel(control.m_strText);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setAlignment(alignment | Qt::AlignTop);
    pLabel->setWordWrap(true);
    return pLabel;
}

QWidget* MakeEdit(const DialogControl& control) {
    auto* pEdit = new QLineEdit(control.m_strText);
    pEdit->setFrame(control.HasStyle(QStringLiteral("WS_BORDER")));
    if (control.HasStyle(QStringLiteral("ES_READONLY"))) {
        pEdit->setReadOnly(true);
        // Read-only fields sit on the dialog's face, not on a field background.
        QPalette palette = pEdit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        pEdit->setPalette(palette);
    }
    if (control.HasStyle(QStringLiteral("ES_NUMBER"))) {
        pEdit->installEventFilter(new CDigitsOnlyFilter(pEdit));
    }
    return pEdit;
}

QWidget* MakeButton(const DialogControl& control, bool bDefault) {
    auto* pButton = new QPushButton(control.m_strText);
    pButton->setAutoDefault(true);
    pButton->setDefault(bDefault);
    return pButton;
}

QWidget* MakeComboBox(const DialogControl& control) {
    // The only lists are of coordinates, which read best in numeric order, sorted or not.
    auto* pCombo = new CListComboBox;
    pCombo->setEditable(control.HasStyle(QStringLiteral("CBS_DROPDOWN")));
    return pCombo;
}

QWidget* MakeIcon(const DialogControl& control) {
    auto* pLabel = new QLabel;
    const QIcon icon = CResourceTable::Instance().Icon(control.m_strImage);
    pLabel->setPixmap(icon.pixmap(kIconSize, kIconSize));
    return pLabel;
}

QWidget* MakeControl(const DialogControl& control) {
    const QString& kind = control.m_strKind;
    if (kind == QLatin1String("LTEXT")) {
        return MakeStatic(control, Qt::AlignLeft);
    }
    if (kind == QLatin1String("CTEXT")) {
        return MakeStatic(control, Qt::AlignHCenter);
    }
    if (kind == QLatin1String("RTEXT")) {
        return MakeStatic(control, Qt::AlignRight);
    }
    if (kind == QLatin1String("GROUPBOX")) {
        return new QGroupBox(control.m_strText);
    }
    if (kind == QLatin1String("EDITTEXT")) {
        return MakeEdit(control);
    }
    if (kind == QLatin1String("PUSHBUTTON") || kind == QLatin1String("DEFPUSHBUTTON")) {
        return MakeButton(control, kind == QLatin1String("DEFPUSHBUTTON"));
    }
    if (kind == QLatin1String("AUTOCHECKBOX")) {
        return new QCheckBox(control.m_strText);
    }
    if (kind == QLatin1String("COMBOBOX")) {
        return MakeComboBox(control);
    }
    if (kind == QLatin1String("ICON")) {
        return MakeIcon(control);
    }
    qWarning("Dialog control %s has the unknown kind %s", qPrintable(control.m_strName),
             qPrintable(kind));
    return new QWidget;
}

bool IsStatic(const DialogControl& control) {
    return control.m_strKind == QLatin1String("LTEXT") ||
           control.m_strKind == QLatin1String("CTEXT") ||
           control.m_strKind == QLatin1String("RTEXT");
}

// A static's "&" marks the mnemonic of the control after it, unless the static shows
// ampersands as typed.
void ConnectMnemonics(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& controls) {
    for (size_t i = 0; i + 1 < controls.size(); ++i) {
        const DialogControl& control = dialogTemplate.m_Controls[i];
        if (IsStatic(control) && !control.HasStyle(QStringLiteral("SS_NOPREFIX")) &&
            control.m_strText.contains(u'&')) {
            static_cast<QLabel*>(controls[i])->setBuddy(controls[i + 1]);
        }
    }
}

bool TakesFocus(const DialogControl& control) {
    return !IsStatic(control) && control.m_strKind != QLatin1String("GROUPBOX") &&
           control.m_strKind != QLatin1String("ICON");
}

// Where the control sits, in pixels. A drop-down list's rectangle includes its opened list:
// the closed box takes its natural height and the rest decides how many rows show.
QRect PlaceControl(const DialogControl& control, QWidget& widget, const CDialogUnits& units) {
    QRect geometry = units.ToPixels(control.m_Rect);
    if (control.m_strKind == QLatin1String("ICON")) {
        geometry.setSize(QSize(kIconSize, kIconSize));
    } else if (auto* pCombo = dynamic_cast<QComboBox*>(&widget)) {
        const int nClosedHeight = std::min(geometry.height(), pCombo->sizeHint().height());
        const int nRowHeight = std::max(1, pCombo->fontMetrics().height());
        pCombo->setMaxVisibleItems(std::max(1, (geometry.height() - nClosedHeight) / nRowHeight));
        geometry.setHeight(nClosedHeight);
    }
    return geometry;
}

}  // namespace

QFont DialogBuilder::DialogFont(const DialogTemplate& dialogTemplate) {
    QFont font(dialogTemplate.m_strFontFace);
    font.setPointSize(dialogTemplate.m_nFontPoints);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

std::vector<QWidget*> DialogBuilder::Build(const DialogTemplate& dialogTemplate, QDialog& dialog) {
    const QFont font = DialogFont(dialogTemplate);
    const CDialogUnits units(font);
    dialog.setObjectName(dialogTemplate.m_strName);
    dialog.setWindowTitle(dialogTemplate.m_strCaption);
    dialog.setFont(font);
    // A modal frame: no minimise or maximise box, no resizing. A dialog with its own taskbar
    // button is a window of its own: a Qt dialog without a parent would be marked transient for
    // a hidden window, which taskbars leave out.
    const bool bAppWindow =
        dialogTemplate.m_ExtendedStyles.contains(QStringLiteral("WS_EX_APPWINDOW"));
    Qt::WindowFlags flags = (bAppWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
    if (dialogTemplate.m_Styles.contains(QStringLiteral("WS_CAPTION"))) {
        flags |= Qt::WindowTitleHint;
    }
    if (dialogTemplate.m_Styles.contains(QStringLiteral("WS_SYSMENU"))) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    dialog.setWindowFlags(flags);
    dialog.setFixedSize(units.ToPixels(dialogTemplate.m_Rect.size()));

    std::vector<QWidget*> controls;
    QWidget* pPreviousTabStop = nullptr;
    for (const DialogControl& control : dialogTemplate.m_Controls) {
        QWidget* pWidget = MakeControl(control);
        pWidget->setParent(&dialog);
        pWidget->setObjectName(control.m_strName);
        pWidget->setFont(font);
        pWidget->setGeometry(PlaceControl(control, *pWidget, units));
        if (!TakesFocus(control)) {
            pWidget->setFocusPolicy(Qt::NoFocus);
        } else if (control.HasStyle(QStringLiteral("WS_TABSTOP"))) {
            pWidget->setFocusPolicy(Qt::StrongFocus);
            if (pPreviousTabStop != nullptr) {
                QWidget::setTabOrder(pPreviousTabStop, pWidget);
            }
            pPreviousTabStop = pWidget;
        } else {
            pWidget->setFocusPolicy(Qt::ClickFocus);
        }
        controls.push_back(pWidget);
    }
    ConnectMnemonics(dialogTemplate, controls);
    return controls;
}
