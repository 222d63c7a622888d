#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "CEditorFixture.h"
#include "CModalDriver.h"
#include "DialogControls.h"
#include "KvlFileBytes.h"
#include "QtPrinters.h"
#include "TestFiles.h"
#include "config/CGeneratorSettings.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditDlg.h"
#include "res/Resource.h"

namespace {

// Keys as a person presses them, to whatever has the focus.
void Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

class CKVLEditAppTest : public CEditorFixture {};

TEST_F(CKVLEditAppTest, AWholeRunByKeyboardFromStartUpToTheMessageAfterSaving) {
    const std::string target = TempPath("room1.KVL");
    m_Services.SetNextFileDialogResult(target);
    QString strId;
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        strId = Control<QLineEdit>(dialog, IDC_ID).text();
        Type("room1.map");
        Press(Qt::Key_Tab);  // the "..." button
        Press(Qt::Key_Tab);
        Type("2");
        Press(Qt::Key_Tab);
        Type("1");
        Press(Qt::Key_Tab);
        Type("1");
        Press(Qt::Key_Return);  // Next
    });
    driver.When<CExitDefinitionDlg>([&](CExitDefinitionDlg&) {
        Press(Qt::Key_Down);  // X 1
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Space);  // North
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Press(Qt::Key_Space);  // East
        Press(Qt::Key_A, Qt::AltModifier);
        ASSERT_TRUE(
            QTest::qWaitFor([] { return theSettings.m_Definition.GetSubCellCount() == 1; }, 2000));
        Press(Qt::Key_Tab, Qt::ShiftModifier);  // from Add back to OK
        Press(Qt::Key_Return);
    });

    EXPECT_FALSE(m_pApp->InitInstance());

    EXPECT_EQ(m_Services.MessageTexts().back(), "File written successfully");
    EXPECT_EQ(TestFiles::ReadAll(target),
              KvlFileBytes(strId.toUInt(), "room1.map", 2, 1, 1, {{5, 1, 0, 0}, {0, 0, 0, 0}}));
}

TEST_F(CKVLEditAppTest, StartUpLoadsTheSettingsBeforeTheMainDialogOpens) {
    const std::string castery = TempPath("castery");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(castery)));
    TestFiles::WriteAll(ProfilePath(), "[globals]\nsource_directory=" + castery + "\n");
    bool bSummaryWritten = false;
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        bSummaryWritten = TestFiles::Exists(castery + "/summary.INI");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });

    EXPECT_FALSE(m_pApp->InitInstance());

    EXPECT_TRUE(bSummaryWritten);
    EXPECT_EQ(m_Services.MessageTexts().back(), "Are you sure you want to exit?");
}

// The identifier comes from NEXT_ID of the shared profile and is used up when the main
// dialog opens, also by a run that writes nothing.
struct IdCase {
    std::optional<std::string> profile;
    QString strShown;
    std::string strStoredAfter;
};

void PrintTo(const IdCase& id, std::ostream* pOut) {
    *pOut << "Shows" << id.strShown.toStdString();
}

class CKVLEditAppIdTest : public CKVLEditAppTest, public testing::WithParamInterface<IdCase> {};

TEST_P(CKVLEditAppIdTest, ShowsTheNextIdAndAdvancesItEvenWhenTheRunIsCancelled) {
    if (GetParam().profile) {
        TestFiles::WriteAll(ProfilePath(), *GetParam().profile);
    }
    QString strShown;
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        strShown = Control<QLineEdit>(dialog, IDC_ID).text();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });

    m_pApp->InitInstance();

    EXPECT_EQ(strShown, GetParam().strShown);
    EXPECT_NE(TestFiles::ReadAll(ProfilePath()).find(GetParam().strStoredAfter), std::string::npos)
        << TestFiles::ReadAll(ProfilePath());
}

INSTANTIATE_TEST_SUITE_P(Profiles, CKVLEditAppIdTest,
                         testing::Values(IdCase{std::nullopt, "1", "NEXT_ID=2"},
                                         IdCase{"[ID]\nNEXT_ID=41\n", "41", "NEXT_ID=42"},
                                         IdCase{"[globals]\ngame_type=1\n[id]\nnext_id=7\n", "7",
                                                "=8"}));

}  // namespace
