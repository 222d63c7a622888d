#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
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

struct ExpectedControl {
    int nId;
    const char* pszName;
    const char* pszClass;  // an icon is a QLabel without text
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

const char* const kStatic = "QLabel";
const char* const kGroup = "QGroupBox";
const char* const kEdit = "QLineEdit";
const char* const kButton = "QPushButton";
const char* const kCheck = "QCheckBox";
const char* const kList = "QComboBox";

const ExpectedDialog kAboutBox{
    IDD_ABOUTBOX,
    "IDD_ABOUTBOX",
    "About KVLEdit",
    {217, 55},
    {
        {IDC_STATIC, "IDC_STATIC", kStatic, "", {11, 17, 20, 20}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "KVLEdit Version 1.0", {40, 10, 119, 8}, false},
        {IDOK, "IDOK", kButton, "OK", {178, 7, 32, 14}, true, true},
    }};

const ExpectedDialog kMainDialog{
    IDD_KVLEDIT_DIALOG,
    "IDD_KVLEDIT_DIALOG",
    "KVL Editor",
    {228, 126},
    {
        {IDC_STATIC, "IDC_STATIC", kGroup, "Map File:", {7, 7, 214, 34}, false},
        {IDC_MAP_FILE, "IDC_MAP_FILE", kEdit, "", {16, 19, 179, 14}, true},
        {IDC_BROWSE, "IDC_BROWSE", kButton, "...", {201, 19, 14, 14}, true},
        {IDC_STATIC, "IDC_STATIC", kGroup, "Dimensions:", {7, 47, 71, 72}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "X:", {15, 61, 8, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "Y:", {15, 79, 8, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "Z:", {15, 99, 8, 8}, false},
        {IDC_DIM_X, "IDC_DIM_X", kEdit, "", {25, 58, 26, 14}, true},
        {IDC_DIM_Y, "IDC_DIM_Y", kEdit, "", {25, 77, 26, 14}, true},
        {IDC_DIM_Z, "IDC_DIM_Z", kEdit, "", {25, 96, 26, 14}, true},
        {IDC_STATIC, "IDC_STATIC", kStatic, "x 256", {55, 61, 18, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "x 256", {55, 80, 18, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "x 256", {55, 99, 18, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kGroup, "ID", {82, 47, 48, 40}, false},
        {IDC_ID, "IDC_ID", kEdit, "", {93, 64, 26, 14}, false},
        {IDC_NEXT, "IDC_NEXT", kButton, "&Next", {171, 85, 50, 14}, true, true},
        {IDCANCEL, "IDCANCEL", kButton, "Cancel", {171, 105, 50, 14}, true},
    }};

const ExpectedDialog kExitDefinition{
    IDD_EXIT_DEFINITION,
    "IDD_EXIT_DEFINITION",
    "Exit Definition",
    {210, 90},
    {
        {IDC_STATIC, "IDC_STATIC", kGroup, "Sub Cell", {7, 7, 79, 77}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "X:", {15, 22, 8, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "Y:", {15, 43, 8, 8}, false},
        {IDC_STATIC, "IDC_STATIC", kStatic, "Z:", {15, 64, 8, 8}, false},
        {IDC_SUBCELL_X, "IDC_SUBCELL_X", kList, "", {28, 20, 48, 30}, true},
        {IDC_SUBCELL_Y, "IDC_SUBCELL_Y", kList, "", {28, 41, 48, 30}, true},
        {IDC_SUBCELL_Z, "IDC_SUBCELL_Z", kList, "", {28, 62, 48, 30}, true},
        {IDC_STATIC, "IDC_STATIC", kGroup, "Direction", {92, 7, 53, 77}, false},
        {IDC_NORTH, "IDC_NORTH", kCheck, "North", {100, 21, 33, 10}, true},
        {IDC_SOUTH, "IDC_SOUTH", kCheck, "South", {100, 35, 35, 10}, true},
        {IDC_EAST, "IDC_EAST", kCheck, "East", {100, 49, 30, 10}, true},
        {IDC_WEST, "IDC_WEST", kCheck, "West", {100, 63, 33, 10}, true},
        {IDOK, "IDOK", kButton, "OK", {153, 7, 50, 14}, true, true},
        {IDC_ADD, "IDC_ADD", kButton, "&Add", {153, 25, 50, 14}, true},
        {IDCANCEL, "IDCANCEL", kButton, "Cancel", {153, 43, 50, 14}, true},
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

QString TextOf(const QWidget& widget) {
    for (const char* pszProperty : {"title", "currentText", "text"}) {
        if (widget.property(pszProperty).isValid()) {
            return widget.property(pszProperty).toString();
        }
    }
    return QString();
}

// The room a control leaves for its text, in pixels.
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

class CTemplateLayoutTest : public CEditorFixture,
                            public testing::WithParamInterface<ExpectedDialog> {};

TEST_P(CTemplateLayoutTest, EveryControlAtItsPlaceWithItsIdKindAndWholeText) {
    const ExpectedDialog& expected = GetParam();
    CTemplateDialog dialog(expected.nId);
    EXPECT_EQ(dialog.objectName(), expected.pszName);
    EXPECT_EQ(dialog.windowTitle(), expected.pszCaption);
    EXPECT_TRUE(dialog.windowFlags().testFlags(Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
    EXPECT_FALSE(dialog.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a modal frame does not resize";
    // A dialog unit is a quarter of the dialog font's average letter and an eighth of its
    // height; the font is the template's 8 points.
    const QFontMetrics metrics(dialog.font());
    const double fScaleX = double(dialog.width()) / expected.size.width();
    const double fScaleY = double(dialog.height()) / expected.size.height();
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_NEAR(fScaleX,
                metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") /
                    52.0 / 4,
                0.15);
    EXPECT_NEAR(fScaleY, metrics.height() / 8.0, 0.05);

    const std::vector<QWidget*> controls = Controls(dialog);
    ASSERT_EQ(controls.size(), expected.controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& control = expected.controls[i];
        QWidget& widget = *controls[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " " << control.pszName);
        EXPECT_EQ(widget.objectName(), control.pszName);
        EXPECT_TRUE(widget.inherits(control.pszClass)) << widget.metaObject()->className();
        if (control.nId != IDC_STATIC) {
            EXPECT_EQ(dialog.GetDlgItem(control.nId), &widget);
        }
        EXPECT_EQ(TextOf(widget), control.pszText);
        EXPECT_EQ(bool(widget.focusPolicy() & Qt::TabFocus), control.bTabStop);
        EXPECT_EQ(widget.property("default").toBool(), control.bDefault);

        EXPECT_NEAR(widget.x(), control.rect.x() * fScaleX, 1.5);
        EXPECT_NEAR(widget.y(), control.rect.y() * fScaleY, 1.5);
        if (control.pszText[0] == '\0' && control.pszClass == kStatic) {
            EXPECT_EQ(widget.size(), QSize(32, 32)) << "icons show at the system's icon size";
            EXPECT_FALSE(static_cast<QLabel&>(widget).pixmap().isNull());
            continue;
        }
        EXPECT_NEAR(widget.width(), control.rect.width() * fScaleX, 1.5);
        // A drop-down list's rectangle includes its opened list; the closed box is shorter.
        if (control.pszClass == kList) {
            EXPECT_LE(widget.height(), control.rect.height() * fScaleY);
        } else {
            EXPECT_NEAR(widget.height(), control.rect.height() * fScaleY, 1.5);
        }
        EXPECT_LE(widget.fontMetrics().horizontalAdvance(TextOf(widget).remove(u'&')),
                  RoomForText(widget))
            << "clipped text";
        EXPECT_LE(widget.fontMetrics().height(), widget.height()) << "clipped text";
    }
}

TEST_P(CTemplateLayoutTest, OpensCentredWithTheFocusOnTheFirstTabStopAndTabsInTemplateOrder) {
    std::vector<std::string> tabCycle;
    for (const ExpectedControl& control : GetParam().controls) {
        if (control.bTabStop) {
            tabCycle.push_back(control.pszName);
        }
    }
    tabCycle.push_back(tabCycle.front());

    std::vector<std::string> focused;
    QPoint centre;
    CModalDriver driver;
    driver.When<CTemplateDialog>([&](CTemplateDialog& dialog) {
        centre = dialog.geometry().center();
        for (QWidget* pFocus = QApplication::focusWidget();
             pFocus != nullptr && focused.size() < tabCycle.size();
             pFocus = QApplication::focusWidget()) {
            focused.push_back(pFocus->objectName().toStdString());
            QTest::keyClick(pFocus, Qt::Key_Tab);
        }
        dialog.done(IDCANCEL);
    });
    CTemplateDialog dialog(GetParam().nId);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    EXPECT_EQ(focused, tabCycle);
    const QPoint screenCentre = QApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 4);
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, CTemplateLayoutTest,
                         testing::Values(kAboutBox, kMainDialog, kExitDefinition));

}  // namespace
