#include <QComboBox>
#include <QLabel>

#include "CEditorFixture.h"
#include "dialogs/framework/CDialogUnits.h"
#include "dialogs/framework/CResourceTable.h"
#include "dialogs/framework/DialogBuilder.h"

namespace {

// The widget class each kind of control is made as.
const std::map<QString, const char*> kClassOfKind = {
    {"LTEXT", "QLabel"},           {"ICON", "QLabel"},
    {"GROUPBOX", "QGroupBox"},     {"EDITTEXT", "QLineEdit"},
    {"PUSHBUTTON", "QPushButton"}, {"DEFPUSHBUTTON", "QPushButton"},
    {"AUTOCHECKBOX", "QCheckBox"}, {"COMBOBOX", "QComboBox"}};

class CTemplateLayoutTest : public CEditorFixture, public testing::WithParamInterface<int> {};

// Every control, in the order it was made, against its template entry at the dialog font's
// scale. Tab goes round the tab stops in template order, starting where the dialog puts the focus.
TEST_P(CTemplateLayoutTest, EveryControlAsItsTemplateSaysWithTheTemplateOrderAsTabOrder) {
    const DialogTemplate* pTemplate = CResourceTable::Instance().Dialog(GetParam());
    ASSERT_NE(pTemplate, nullptr);
    const CDialogUnits units(DialogBuilder::DialogFont(*pTemplate));
    std::vector<QString> tabStops, focused;
    m_Driver.When<CTemplateDialog>([&](CTemplateDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), pTemplate->m_strCaption);
        EXPECT_EQ(dialog.size(), units.ToPixels(pTemplate->m_Rect.size()));
        QList<QWidget*> widgets = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        widgets.removeIf([](const QWidget* pChild) { return pChild->isWindow(); });
        ASSERT_EQ(widgets.size(), pTemplate->m_Controls.size());
        for (size_t i = 0; i < pTemplate->m_Controls.size(); ++i) {
            const DialogControl& control = pTemplate->m_Controls[i];
            const QWidget& widget = *widgets[static_cast<qsizetype>(i)];
            SCOPED_TRACE(testing::Message()
                         << "control " << i << " " << control.m_strName.toStdString());
            EXPECT_EQ(widget.objectName(), control.m_strName);
            // A group box shows its text as its title.
            const char* pszProperty = control.m_strKind == "GROUPBOX" ? "title" : "text";
            const QString text = widget.property(pszProperty).toString();
            EXPECT_EQ(text, control.m_strText);
            EXPECT_FALSE(text.contains(u'%')) << "a placeholder left in the text";
            EXPECT_TRUE(widget.inherits(kClassOfKind.at(control.m_strKind)));
            QRect expected = units.ToPixels(control.m_Rect);
            if (control.m_strKind == "ICON") {
                EXPECT_FALSE(static_cast<const QLabel&>(widget).pixmap().isNull());
                expected.setSize({32, 32});  // the system's icon size, whatever the rectangle
            } else if (qobject_cast<const QComboBox*>(&widget) != nullptr) {
                // The rectangle includes the opened list; the closed box is shorter.
                EXPECT_LE(widget.height(), expected.height());
                expected.setHeight(widget.height());
            }
            EXPECT_EQ(widget.geometry(), expected);
            if (control.HasStyle("WS_TABSTOP")) {
                tabStops.push_back(control.m_strName);
            }
        }
        while (focused.size() <= tabStops.size() && QApplication::focusWidget() != nullptr) {
            focused.push_back(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        dialog.done(IDCANCEL);
    });
    CTemplateDialog dialog(GetParam());
    dialog.DoModal();
    ASSERT_FALSE(tabStops.empty());
    tabStops.push_back(tabStops.front());
    EXPECT_EQ(focused, tabStops);
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, CTemplateLayoutTest,
                         testing::Values(IDD_ABOUTBOX, IDD_KVLEDIT_DIALOG, IDD_EXIT_DEFINITION));

}  // namespace
