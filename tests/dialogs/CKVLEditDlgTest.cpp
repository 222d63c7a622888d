#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "CEditorFixture.h"
#include "CModalDriver.h"
#include "DialogControls.h"
#include "QtPrinters.h"
#include "TestFiles.h"
#include "config/CGeneratorSettings.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CKVLEditDlg.h"
#include "res/Resource.h"

namespace {

const std::string kExitQuestion = "Are you sure you want to exit?";

class CKVLEditDlgTest : public CEditorFixture {
protected:
    // Runs the main dialog; the steps queued on driver act on it and what it opens.
    int Run(CModalDriver& driver, const std::function<void(CTemplateDialog&)>& step) {
        driver.When<CKVLEditDlg>(step);
        CKVLEditDlg dialog;
        return dialog.DoModal();
    }

    static void Fill(CTemplateDialog& dialog, const QString& mapFile, const QString& x,
                     const QString& y, const QString& z) {
        Control<QLineEdit>(dialog, IDC_MAP_FILE).setText(mapFile);
        Control<QLineEdit>(dialog, IDC_DIM_X).setText(x);
        Control<QLineEdit>(dialog, IDC_DIM_Y).setText(y);
        Control<QLineEdit>(dialog, IDC_DIM_Z).setText(z);
    }

    static QStringList Fields(const CTemplateDialog& dialog) {
        QStringList texts;
        for (const int nId : {IDC_MAP_FILE, IDC_DIM_X, IDC_DIM_Y, IDC_DIM_Z, IDC_ID}) {
            texts.append(Control<QLineEdit>(dialog, nId).text());
        }
        return texts;
    }
};

// Typed keys reach a dimension field only as digits; pasted text arrives as it is.
struct TypingCase {
    int nField;
    QString strTyped;
    QString strPasted;
    QString strExpected;
};

void PrintTo(const TypingCase& typing, std::ostream* pOut) {
    *pOut << "typed \"" << typing.strTyped.toStdString() << "\" pasted \""
          << typing.strPasted.toStdString() << "\"";
}

class CKVLEditDlgTypingTest : public CKVLEditDlgTest,
                              public testing::WithParamInterface<TypingCase> {};

TEST_P(CKVLEditDlgTypingTest, DimensionFieldsTakeDigitsFromTheKeyboardAndAnyPastedText) {
    const TypingCase& typing = GetParam();
    CModalDriver driver;
    Run(driver, [&](CTemplateDialog& dialog) {
        auto& field = Control<QLineEdit>(dialog, typing.nField);
        field.setFocus();
        QTest::keyClicks(&field, typing.strTyped);
        if (!typing.strPasted.isEmpty()) {
            QApplication::clipboard()->setText(typing.strPasted);
            QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(field.text(), typing.strExpected);
        dialog.done(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(Fields, CKVLEditDlgTypingTest,
                         testing::Values(TypingCase{IDC_DIM_X, "12a-3 .4", "", "1234"},
                                         TypingCase{IDC_DIM_Y, "x+Y", "", ""},
                                         TypingCase{IDC_DIM_Z, "7", "-2x", "7-2x"},
                                         TypingCase{IDC_DIM_X, "", " 3a", " 3a"},
                                         TypingCase{IDC_MAP_FILE, "C:\\maps\\Room-1 (b).map", "",
                                                    "C:\\maps\\Room-1 (b).map"}));

TEST_F(CKVLEditDlgTest, OpensWithEmptyFieldsAndTheIdOfThisRunInTheReadOnlyField) {
    CModalDriver driver;
    Run(driver, [&](CTemplateDialog& dialog) {
        const QStringList fields = Fields(dialog);
        EXPECT_EQ(fields.mid(0, 4), QStringList({"", "", "", ""}));
        EXPECT_EQ(fields[4], QString::number(theSettings.m_Definition.m_nId));
        EXPECT_TRUE(Control<QLineEdit>(dialog, IDC_ID).isReadOnly());
        EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(IDC_MAP_FILE));
        EXPECT_FALSE(dialog.windowIcon().isNull());
        dialog.done(IDCANCEL);
    });
}

struct BrowseCase {
    std::optional<std::string> chosen;
    QString strExpected;
};

void PrintTo(const BrowseCase& browse, std::ostream* pOut) {
    *pOut << (browse.chosen ? *browse.chosen : "(cancelled)");
}

class CKVLEditDlgBrowseTest : public CKVLEditDlgTest,
                              public testing::WithParamInterface<BrowseCase> {};

TEST_P(CKVLEditDlgBrowseTest, PutsTheChosenFilesBareNameIntoTheField) {
    m_Services.SetNextFileDialogResult(GetParam().chosen);
    CModalDriver driver;
    Run(driver, [&](CTemplateDialog& dialog) {
        Fill(dialog, "before.map", "2", "", "");
        Control<QPushButton>(dialog, IDC_BROWSE).click();
        EXPECT_EQ(Fields(dialog).mid(0, 2), QStringList({GetParam().strExpected, "2"}));
        dialog.done(IDCANCEL);
    });

    ASSERT_EQ(m_Services.FileDialogs().size(), 1u);
    const FileDialogRequest& request = m_Services.FileDialogs()[0];
    EXPECT_EQ(request.eKind, FileDialogRequest::Kind::Open);
    EXPECT_EQ(request.strDefaultExt, "map");
    EXPECT_EQ(request.strInitialName, "");
    EXPECT_EQ(request.strFilter, "Map Files (*.map)|*.map||");
    EXPECT_TRUE(m_Services.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Choices, CKVLEditDlgBrowseTest,
                         testing::Values(BrowseCase{"/home/mapper/maps/room1.map", "room1.map"},
                                         BrowseCase{"C:\\maps\\room1.map", "room1.map"},
                                         BrowseCase{"D:relative.map", "D:relative.map"},
                                         BrowseCase{"/maps/with space/Big Hall.MAP",
                                                    "Big Hall.MAP"},
                                         BrowseCase{std::nullopt, "before.map"}));

enum class LeaveBy { CancelButton, EscapeKey, CloseBox };

void PrintTo(LeaveBy eWay, std::ostream* pOut) {
    const char* const names[] = {"CancelButton", "EscapeKey", "CloseBox"};
    *pOut << names[static_cast<int>(eWay)];
}

class CKVLEditDlgLeaveTest : public CKVLEditDlgTest, public testing::WithParamInterface<LeaveBy> {
protected:
    static void Leave(CTemplateDialog& dialog) {
        switch (GetParam()) {
            case LeaveBy::CancelButton:
                Control<QPushButton>(dialog, IDCANCEL).click();
                break;
            case LeaveBy::EscapeKey:
                QTest::keyClick(dialog.GetDlgItem(IDC_DIM_X), Qt::Key_Escape);
                break;
            case LeaveBy::CloseBox:
                dialog.close();
                break;
        }
    }
};

TEST_P(CKVLEditDlgLeaveTest, AsksAndKeepsEverythingAfterNoAndEndsWithoutWritingAfterYes) {
    m_Services.SetNextAnswer(MessageBoxResult::No);
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    CModalDriver driver;
    const int nResult = Run(driver, [&](CTemplateDialog& dialog) {
        Fill(dialog, "room1.map", "2", "1", "1");
        const QStringList before = Fields(dialog);
        Leave(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Fields(dialog), before);
        Leave(dialog);
    });

    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>(2, kExitQuestion));
    EXPECT_EQ(m_Services.Messages().at(1).eType, MessageBoxType::YesNo);
    EXPECT_TRUE(m_Services.FileDialogs().empty());
    EXPECT_EQ(theSettings.m_Definition.m_strMapFile, "");
    EXPECT_EQ(theSettings.m_Definition.m_nDimX, 0);
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(AllWays, CKVLEditDlgLeaveTest,
                         testing::Values(LeaveBy::CancelButton, LeaveBy::EscapeKey,
                                         LeaveBy::CloseBox));

enum class MenuBy { RightClick, ShiftF10, MenuKey };

void PrintTo(MenuBy eWay, std::ostream* pOut) {
    const char* const names[] = {"RightClick", "ShiftF10", "MenuKey"};
    *pOut << names[static_cast<int>(eWay)];
}

class CKVLEditDlgAboutTest : public CKVLEditDlgTest, public testing::WithParamInterface<MenuBy> {
protected:
    static void OpenMenu(CTemplateDialog& dialog) {
        QWidget& field = *dialog.GetDlgItem(IDC_DIM_Y);
        field.setFocus();
        switch (GetParam()) {
            case MenuBy::RightClick: {
                // Onto the dialog's face, beside the fields.
                const QPoint point(dialog.width() - 5, 5);
                QContextMenuEvent event(QContextMenuEvent::Mouse, point, dialog.mapToGlobal(point));
                QApplication::sendEvent(&dialog, &event);
                break;
            }
            case MenuBy::ShiftF10:
                QTest::keyClick(&field, Qt::Key_F10, Qt::ShiftModifier);
                break;
            case MenuBy::MenuKey:
                QTest::keyClick(&field, Qt::Key_Menu);
                break;
        }
    }
};

TEST_P(CKVLEditDlgAboutTest, TheWindowMenuOffersTheAboutBoxWhichClosesWithoutAQuestion) {
    QString strAboutText;
    QString strAboutCaption;
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        Fill(dialog, "room1.map", "2", "3", "4");
        const QStringList before = Fields(dialog);
        OpenMenu(dialog);
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        ASSERT_EQ(pMenu->actions().size(), 1);
        EXPECT_EQ(pMenu->actions()[0]->text(), "&About KVLEdit...");
        QTest::keyClick(pMenu, Qt::Key_Down);
        QTest::keyClick(pMenu, Qt::Key_Return);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Fields(dialog), before);
        dialog.done(IDCANCEL);
    });
    driver.When<CAboutDlg>([&](CAboutDlg& about) {
        strAboutCaption = about.windowTitle();
        for (const QLabel* pLabel : about.findChildren<QLabel*>()) {
            strAboutText += pLabel->text();
        }
        QTest::keyClick(&about, Qt::Key_Return);
    });
    CKVLEditDlg dialog;
    dialog.DoModal();

    EXPECT_EQ(strAboutCaption, "About KVLEdit");
    EXPECT_EQ(strAboutText, "KVLEdit Version 1.0");
    EXPECT_TRUE(m_Services.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AllWays, CKVLEditDlgAboutTest,
                         testing::Values(MenuBy::RightClick, MenuBy::ShiftF10, MenuBy::MenuKey));

}  // namespace
