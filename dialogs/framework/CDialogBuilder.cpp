#include "dialogs/framework/CDialogBuilder.h"

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
    auto* pLabel = new QLabel(control.strText);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setAlignment(alignment | Qt::AlignTop);
    pLabel->setWordWrap(true);
    return pLabel;
}

QWidget* MakeEdit(const DialogControl& control) {
    auto* pEdit = new QLineEdit(control.strText);
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
    auto* pButton = new QPushButton(control.strText);
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
    const QIcon icon = CResourceTable::Instance().Icon(control.strImage);
    pLabel->setPixmap(icon.pixmap(kIconSize, kIconSize));
    return pLabel;
}

QWidget* MakeControl(const DialogControl& control) {
    const QString& kind = control.strKind;
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
        return new QGroupBox(control.strText);
    }
    if (kind == QLatin1String("EDITTEXT")) {
        return MakeEdit(control);
    }
    if (kind == QLatin1String("PUSHBUTTON") || kind == QLatin1String("DEFPUSHBUTTON")) {
        return MakeButton(control, kind == QLatin1String("DEFPUSHBUTTON"));
    }
    if (kind == QLatin1String("AUTOCHECKBOX")) {
        return new QCheckBox(control.strText);
    }
    if (kind == QLatin1String("COMBOBOX")) {
        return MakeComboBox(control);
    }
    if (kind == QLatin1String("ICON")) {
        return MakeIcon(control);
    }
    qWarning("Dialog control %s has the unknown kind %s", qPrintable(control.strName),
             qPrintable(kind));
    return new QWidget;
}

bool IsStatic(const DialogControl& control) {
    return control.strKind == QLatin1String("LTEXT") || control.strKind == QLatin1String("CTEXT") ||
           control.strKind == QLatin1String("RTEXT");
}

// A static's "&" marks the mnemonic of the control after it, unless the static shows
// ampersands as typed.
void ConnectMnemonics(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& controls) {
    for (size_t i = 0; i + 1 < controls.size(); ++i) {
        const DialogControl& control = dialogTemplate.controls[i];
        if (IsStatic(control) && !control.HasStyle(QStringLiteral("SS_NOPREFIX")) &&
            control.strText.contains(u'&')) {
            static_cast<QLabel*>(controls[i])->setBuddy(controls[i + 1]);
        }
    }
}

bool TakesFocus(const DialogControl& control) {
    return !IsStatic(control) && control.strKind != QLatin1String("GROUPBOX") &&
           control.strKind != QLatin1String("ICON");
}

// Where the control sits, in pixels. A drop-down list's rectangle includes its opened list:
// the closed box takes its natural height and the rest decides how many rows show.
QRect PlaceControl(const DialogControl& control, QWidget& widget, const CDialogUnits& units) {
    QRect geometry = units.ToPixels(control.rect);
    if (control.strKind == QLatin1String("ICON")) {
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

QFont CDialogBuilder::DialogFont(const DialogTemplate& dialogTemplate) {
    QFont font(dialogTemplate.strFontFace);
    font.setPointSize(dialogTemplate.nFontPoints);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

std::vector<QWidget*> CDialogBuilder::Build(const DialogTemplate& dialogTemplate, QDialog& dialog) {
    const QFont font = DialogFont(dialogTemplate);
    const CDialogUnits units(font);
    dialog.setObjectName(dialogTemplate.strName);
    dialog.setWindowTitle(dialogTemplate.strCaption);
    dialog.setFont(font);
    // A modal frame: no minimise or maximise box, no resizing. A dialog with its own taskbar
    // button is a window of its own: a Qt dialog without a parent would be marked transient for
    // a hidden window, which taskbars leave out.
    const bool bAppWindow =
        dialogTemplate.extendedStyles.contains(QStringLiteral("WS_EX_APPWINDOW"));
    Qt::WindowFlags flags = (bAppWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint;
    if (dialogTemplate.styles.contains(QStringLiteral("WS_CAPTION"))) {
        flags |= Qt::WindowTitleHint;
    }
    if (dialogTemplate.styles.contains(QStringLiteral("WS_SYSMENU"))) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    dialog.setWindowFlags(flags);
    dialog.setFixedSize(units.ToPixels(dialogTemplate.rect.size()));

    std::vector<QWidget*> controls;
    QWidget* pPreviousTabStop = nullptr;
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* pWidget = MakeControl(control);
        pWidget->setParent(&dialog);
        pWidget->setObjectName(control.strName);
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
