#include <QComboBox>
#include <QLabel>

#include "CEditorFixture.h"

namespace {

struct ExpectedControl {
    const char *pszName, *pszText;
    QRect rect;  // dialog units
    bool bTabStop;
};

struct ExpectedDialog {
    int nId;
    const char* pszCaption;
    QSize size;  // dialog units
    std::vector<ExpectedControl> controls;
};

// clang-format off
const ExpectedDialog kDialogs[] = {
    {IDD_ABOUTBOX, "About KVLEdit", {217, 55}, {
        {"IDC_STATIC", "", {11, 17, 20, 20}, false},  // the icon
        {"IDC_STATIC", "KVLEdit Version 1.0", {40, 10, 119, 8}, false},
        {"IDOK", "OK", {178, 7, 32, 14}, true}}},
    {IDD_KVLEDIT_DIALOG, "KVL Editor", {228, 126}, {
        {"IDC_STATIC", "Map File:", {7, 7, 214, 34}, false},
        {"IDC_MAP_FILE", "", {16, 19, 179, 14}, true},
        {"IDC_BROWSE", "...", {201, 19, 14, 14}, true},
        {"IDC_STATIC", "Dimensions:", {7, 47, 71, 72}, false},
        {"IDC_STATIC", "X:", {15, 61, 8, 8}, false},
        {"IDC_STATIC", "Y:", {15, 79, 8, 8}, false},
        {"IDC_STATIC", "Z:", {15, 99, 8, 8}, false},
        {"IDC_DIM_X", "", {25, 58, 26, 14}, true},
        {"IDC_DIM_Y", "", {25, 77, 26, 14}, true},
        {"IDC_DIM_Z", "", {25, 96, 26, 14}, true},
        {"IDC_STATIC", "x 256", {55, 61, 18, 8}, false},
        {"IDC_STATIC", "x 256", {55, 80, 18, 8}, false},
        {"IDC_STATIC", "x 256", {55, 99, 18, 8}, false},
        {"IDC_STATIC", "ID", {82, 47, 48, 40}, false},
        {"IDC_ID", "", {93, 64, 26, 14}, false},
        {"IDC_NEXT", "&Next", {171, 85, 50, 14}, true},
        {"IDCANCEL", "Cancel", {171, 105, 50, 14}, true}}},
    {IDD_EXIT_DEFINITION, "Exit Definition", {210, 90}, {
        {"IDC_STATIC", "Sub Cell", {7, 7, 79, 77}, false},
        {"IDC_STATIC", "X:", {15, 22, 8, 8}, false},
        {"IDC_STATIC", "Y:", {15, 43, 8, 8}, false},
        {"IDC_STATIC", "Z:", {15, 64, 8, 8}, false},
        {"IDC_SUBCELL_X", "", {28, 20, 48, 30}, true},
        {"IDC_SUBCELL_Y", "", {28, 41, 48, 30}, true},
        {"IDC_SUBCELL_Z", "", {28, 62, 48, 30}, true},
        {"IDC_STATIC", "Direction", {92, 7, 53, 77}, false},
        {"IDC_NORTH", "North", {100, 21, 33, 10}, true},
        {"IDC_SOUTH", "South", {100, 35, 35, 10}, true},
        {"IDC_EAST", "East", {100, 49, 30, 10}, true},
        {"IDC_WEST", "West", {100, 63, 33, 10}, true},
        {"IDOK", "OK", {153, 7, 50, 14}, true},
        {"IDC_ADD", "&Add", {153, 25, 50, 14}, true},
        {"IDCANCEL", "Cancel", {153, 43, 50, 14}, true}}}};
// clang-format on

QString TextOf(const QWidget& widget) {
    const QVariant title = widget.property("title");
    return title.isValid() ? title.toString() : widget.property("text").toString();
}

class CTemplateLayoutTest : public CEditorFixture,
                            public testing::WithParamInterface<ExpectedDialog> {};

// The controls, in the order they were made, against the template at the dialog's own scale.
// Tab goes round the tab stops in template order, starting where the dialog puts the focus.
TEST_P(CTemplateLayoutTest, EveryControlWithItsIdNameTextPlaceAndTabOrder) {
    const ExpectedDialog& expected = GetParam();
    std::vector<std::string> tabStops, focused;
    m_Driver.When<CTemplateDialog>([&](CTemplateDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), expected.pszCaption);
        const double fScaleX = double(dialog.width()) / expected.size.width();
        const double fScaleY = double(dialog.height()) / expected.size.height();
        QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        controls.removeIf([](const QWidget* pChild) { return pChild->isWindow(); });
        ASSERT_EQ(controls.size(), expected.controls.size());
        for (size_t i = 0; i < expected.controls.size(); ++i) {
            const ExpectedControl& control = expected.controls[i];
            const QWidget& widget = *controls[i];
            SCOPED_TRACE(testing::Message() << "control " << i << " " << control.pszName);
            EXPECT_EQ(widget.objectName(), control.pszName);
            EXPECT_EQ(TextOf(widget), control.pszText);
            EXPECT_NEAR(widget.x(), control.rect.x() * fScaleX, 1.5);
            EXPECT_NEAR(widget.y(), control.rect.y() * fScaleY, 1.5);
            if (control.bTabStop) {
                tabStops.push_back(control.pszName);
            }
            const auto* pLabel = qobject_cast<const QLabel*>(&widget);
            if (pLabel != nullptr && pLabel->text().isEmpty()) {
                EXPECT_FALSE(pLabel->pixmap().isNull());
                EXPECT_EQ(widget.size(), QSize(32, 32)) << "icons show at the system's icon size";
                continue;
            }
            EXPECT_NEAR(widget.width(), control.rect.width() * fScaleX, 1.5);
            // A drop-down list's rectangle includes its opened list; the closed box is shorter.
            const double fHeight = control.rect.height() * fScaleY;
            const bool bList = qobject_cast<const QComboBox*>(&widget) != nullptr;
            EXPECT_NEAR(widget.height(), bList ? std::min(fHeight, 1.0 * widget.height()) : fHeight,
                        1.5);
        }
        while (focused.size() <= tabStops.size() && QApplication::focusWidget() != nullptr) {
            focused.push_back(QApplication::focusWidget()->objectName().toStdString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        dialog.done(IDCANCEL);
    });
    CTemplateDialog dialog(expected.nId);
    dialog.DoModal();
    ASSERT_FALSE(tabStops.empty());
    tabStops.push_back(tabStops.front());
    EXPECT_EQ(focused, tabStops);
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, CTemplateLayoutTest, testing::ValuesIn(kDialogs));

}  // namespace
