#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "CEditorFixture.h"
#include "CModalDriver.h"
#include "QtPrinters.h"
#include "dialogs/CTemplateDialog.h"
#include "res/Resource.h"

namespace {

enum class Kind { Static, Group, Edit, Button, Check, List, Icon };

struct ExpectedControl {
    const char* pszName;
    Kind eKind;
    const char* pszText;
    QRect rect;  // dialog units
    bool bTabStop;
    bool bDefault = false;
};

struct ExpectedDialog {
    int nId;
    const char* pszName;
    const char* pszCaption;
    QSize size;  // dialog units
    std::vector<ExpectedControl> controls;
};

void PrintTo(const ExpectedDialog& dialog, std::ostream* pOut) {
    *pOut << dialog.pszName;
}

const ExpectedDialog kAboutBox{
    IDD_ABOUTBOX,
    "IDD_ABOUTBOX",
    "About KVLEdit",
    {217, 55},
    {
        {"IDC_STATIC", Kind::Icon, "", {11, 17, 20, 20}, false},
        {"IDC_STATIC", Kind::Static, "KVLEdit Version 1.0", {40, 10, 119, 8}, false},
        {"IDOK", Kind::Button, "OK", {178, 7, 32, 14}, true, true},
    }};

const ExpectedDialog kMainDialog{
    IDD_KVLEDIT_DIALOG,
    "IDD_KVLEDIT_DIALOG",
    "KVL Editor",
    {228, 126},
    {
        {"IDC_STATIC", Kind::Group, "Map File:", {7, 7, 214, 34}, false},
        {"IDC_MAP_FILE", Kind::Edit, "", {16, 19, 179, 14}, true},
        {"IDC_BROWSE", Kind::Button, "...", {201, 19, 14, 14}, true},
        {"IDC_STATIC", Kind::Group, "Dimensions:", {7, 47, 71, 72}, false},
        {"IDC_STATIC", Kind::Static, "X:", {15, 61, 8, 8}, false},
        {"IDC_STATIC", Kind::Static, "Y:", {15, 79, 8, 8}, false},
        {"IDC_STATIC", Kind::Static, "Z:", {15, 99, 8, 8}, false},
        {"IDC_DIM_X", Kind::Edit, "", {25, 58, 26, 14}, true},
        {"IDC_DIM_Y", Kind::Edit, "", {25, 77, 26, 14}, true},
        {"IDC_DIM_Z", Kind::Edit, "", {25, 96, 26, 14}, true},
        {"IDC_STATIC", Kind::Static, "x 256", {55, 61, 18, 8}, false},
        {"IDC_STATIC", Kind::Static, "x 256", {55, 80, 18, 8}, false},
        {"IDC_STATIC", Kind::Static, "x 256", {55, 99, 18, 8}, false},
        {"IDC_STATIC", Kind::Group, "ID", {82, 47, 48, 40}, false},
        {"IDC_ID", Kind::Edit, "", {93, 64, 26, 14}, false},
        {"IDC_NEXT", Kind::Button, "&Next", {171, 85, 50, 14}, true, true},
        {"IDCANCEL", Kind::Button, "Cancel", {171, 105, 50, 14}, true},
    }};

const ExpectedDialog kExitDefinition{
    IDD_EXIT_DEFINITION,
    "IDD_EXIT_DEFINITION",
    "Exit Definition",
    {210, 90},
    {
        {"IDC_STATIC", Kind::Group, "Sub Cell", {7, 7, 79, 77}, false},
        {"IDC_STATIC", Kind::Static, "X:", {15, 22, 8, 8}, false},
        {"IDC_STATIC", Kind::Static, "Y:", {15, 43, 8, 8}, false},
        {"IDC_STATIC", Kind::Static, "Z:", {15, 64, 8, 8}, false},
        {"IDC_SUBCELL_X", Kind::List, "", {28, 20, 48, 30}, true},
        {"IDC_SUBCELL_Y", Kind::List, "", {28, 41, 48, 30}, true},
        {"IDC_SUBCELL_Z", Kind::List, "", {28, 62, 48, 30}, true},
        {"IDC_STATIC", Kind::Group, "Direction", {92, 7, 53, 77}, false},
        {"IDC_NORTH", Kind::Check, "North", {100, 21, 33, 10}, true},
        {"IDC_SOUTH", Kind::Check, "South", {100, 35, 35, 10}, true},
        {"IDC_EAST", Kind::Check, "East", {100, 49, 30, 10}, true},
        {"IDC_WEST", Kind::Check, "West", {100, 63, 33, 10}, true},
        {"IDOK", Kind::Button, "OK", {153, 7, 50, 14}, true, true},
        {"IDC_ADD", Kind::Button, "&Add", {153, 25, 50, 14}, true},
        {"IDCANCEL", Kind::Button, "Cancel", {153, 43, 50, 14}, true},
    }};

// The controls of a dialog in the order they were made, which is the template's.
std::vector<QWidget*> Controls(const QDialog& dialog) {
    std::vector<QWidget*> controls;
    for (QWidget* pChild : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!pChild->isWindow()) {
            controls.push_back(pChild);
        }
    }
    return controls;
}

bool HasKind(QWidget& widget, Kind eKind) {
    switch (eKind) {
        case Kind::Static:
            return dynamic_cast<QLabel*>(&widget) && !static_cast<QLabel&>(widget).text().isEmpty();
        case Kind::Icon:
            return dynamic_cast<QLabel*>(&widget) &&
                   !static_cast<QLabel&>(widget).pixmap().isNull();
        case Kind::Group:
            return dynamic_cast<QGroupBox*>(&widget) != nullptr;
        case Kind::Edit:
            return dynamic_cast<QLineEdit*>(&widget) != nullptr;
        case Kind::Button:
            return dynamic_cast<QPushButton*>(&widget) != nullptr;
        case Kind::Check:
            return dynamic_cast<QCheckBox*>(&widget) != nullptr;
        case Kind::List:
            return dynamic_cast<QComboBox*>(&widget) &&
                   !static_cast<QComboBox&>(widget).isEditable();
    }
    return false;
}

QString TextOf(QWidget& widget) {
    if (auto* pLabel = dynamic_cast<QLabel*>(&widget)) {
        return pLabel->text();
    }
    if (auto* pButton = dynamic_cast<QAbstractButton*>(&widget)) {
        return pButton->text();
    }
    if (auto* pGroup = dynamic_cast<QGroupBox*>(&widget)) {
        return pGroup->title();
    }
    if (auto* pEdit = dynamic_cast<QLineEdit*>(&widget)) {
        return pEdit->text();
    }
    if (auto* pCombo = dynamic_cast<QComboBox*>(&widget)) {
        return pCombo->currentText();
    }
    return QString();
}

// The room the control leaves for its text, in pixels.
int RoomForText(QWidget& widget) {
    if (auto* pCheck = dynamic_cast<QCheckBox*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(pCheck);
        return pCheck->style()
            ->subElementRect(QStyle::SE_CheckBoxContents, &option, pCheck)
            .width();
    }
    if (dynamic_cast<QPushButton*>(&widget) != nullptr) {
        return widget.width() - 2 * widget.style()->pixelMetric(QStyle::PM_ButtonMargin);
    }
    return widget.width();
}

// The text as drawn: a mnemonic's "&" takes no room.
QString DrawnText(QWidget& widget) {
    QString text = TextOf(widget);
    if (dynamic_cast<QAbstractButton*>(&widget)) {
        text.remove(u'&');
    }
    return text;
}

class CTemplateLayoutTest : public CEditorFixture,
                            public testing::WithParamInterface<ExpectedDialog> {};

TEST_P(CTemplateLayoutTest, EveryControlInTemplateOrderWithItsIdKindAndText) {
    const ExpectedDialog& expected = GetParam();
    CTemplateDialog dialog(expected.nId);

    EXPECT_EQ(dialog.objectName().toStdString(), expected.pszName);
    EXPECT_EQ(dialog.windowTitle().toStdString(), expected.pszCaption);
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlags(Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const std::vector<QWidget*> controls = Controls(dialog);
    ASSERT_EQ(controls.size(), expected.controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& control = expected.controls[i];
        SCOPED_TRACE(testing::Message()
                     << "control " << i << " " << control.pszName << " " << control.pszText);
        QWidget& widget = *controls[i];
        EXPECT_EQ(widget.objectName().toStdString(), control.pszName);
        EXPECT_TRUE(HasKind(widget, control.eKind)) << widget.metaObject()->className();
        EXPECT_EQ(TextOf(widget).toStdString(), control.pszText);
        EXPECT_EQ(bool(widget.focusPolicy() & Qt::TabFocus), control.bTabStop);
        if (auto* pButton = dynamic_cast<QPushButton*>(&widget)) {
            EXPECT_EQ(pButton->isDefault(), control.bDefault);
        }
    }
}

TEST_P(CTemplateLayoutTest, KeepsTheTemplatesProportionsAndShowsEveryTextWhole) {
    const ExpectedDialog& expected = GetParam();
    CTemplateDialog dialog(expected.nId);
    const double fScaleX = double(dialog.width()) / expected.size.width();
    const double fScaleY = double(dialog.height()) / expected.size.height();
    // A dialog unit is a quarter of the dialog font's average letter wide and an eighth of
    // its character height high.
    const QFontMetrics metrics(dialog.font());
    const double fAverageLetter = metrics.horizontalAdvance(QStringLiteral(
                                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                                  52.0;
    EXPECT_NEAR(fScaleX, fAverageLetter / 4, 0.15);
    EXPECT_NEAR(fScaleY, metrics.height() / 8.0, 0.05);
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a modal frame does not resize";

    const std::vector<QWidget*> controls = Controls(dialog);
    ASSERT_EQ(controls.size(), expected.controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& control = expected.controls[i];
        SCOPED_TRACE(testing::Message()
                     << "control " << i << " " << control.pszName << " " << control.pszText);
        QWidget& widget = *controls[i];
        EXPECT_NEAR(widget.x(), control.rect.x() * fScaleX, 1.5);
        EXPECT_NEAR(widget.y(), control.rect.y() * fScaleY, 1.5);
        if (control.eKind == Kind::Icon) {
            EXPECT_EQ(widget.size(), QSize(32, 32)) << "icons show at the system's icon size";
            continue;
        }
        EXPECT_NEAR(widget.width(), control.rect.width() * fScaleX, 1.5);
        if (control.eKind == Kind::List) {
            // The rectangle includes the opened list; the closed box is shorter.
            EXPECT_LE(widget.height(), control.rect.height() * fScaleY + 1.5);
        } else {
            EXPECT_NEAR(widget.height(), control.rect.height() * fScaleY, 1.5);
        }
        EXPECT_LE(widget.fontMetrics().horizontalAdvance(DrawnText(widget)), RoomForText(widget))
            << "clipped text";
        EXPECT_LE(widget.fontMetrics().height(), widget.height()) << "clipped text";
    }
}

TEST_P(CTemplateLayoutTest, OpensCentredWithTheFocusOnTheFirstTabStopAndTabsInTemplateOrder) {
    const ExpectedDialog& expected = GetParam();
    std::vector<std::string> tabStops;
    for (const ExpectedControl& control : expected.controls) {
        if (control.bTabStop) {
            tabStops.push_back(control.pszName);
        }
    }

    std::vector<std::string> focused;
    QPoint centre;
    CModalDriver driver;
    driver.When<CTemplateDialog>([&](CTemplateDialog& dialog) {
        centre = dialog.geometry().center();
        for (size_t i = 0; i <= tabStops.size(); ++i) {
            QWidget* pFocus = QApplication::focusWidget();
            focused.push_back(pFocus ? pFocus->objectName().toStdString() : "(none)");
            QTest::keyClick(pFocus ? pFocus : &dialog, Qt::Key_Tab);
        }
        dialog.done(IDCANCEL);
    });
    CTemplateDialog dialog(expected.nId);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    std::vector<std::string> cycle = tabStops;
    cycle.push_back(tabStops.front());
    EXPECT_EQ(focused, cycle);
    const QPoint screenCentre = QApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 4);
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, CTemplateLayoutTest,
                         testing::Values(kAboutBox, kMainDialog, kExitDefinition));

}  // namespace
