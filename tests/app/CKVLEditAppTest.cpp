#include "CEditorFixture.h"
#include "CScopedEnvironment.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditDlg.h"

namespace {

using CKVLEditAppTest = CEditorFixture;

// Start-up reads the shared profile before the main dialog opens: the default summary file
// is written, and the identifier shown comes from NEXT_ID, used up even by a run that ends
// without writing anything. Once the last one is gone, none is shown and Next is off, so
// nothing can be saved under an identifier never handed out.
TEST_F(CKVLEditAppTest, StartUpShowsTheNextIdFromTheProfileAndAdvancesIt) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TempPath("maps/S2"))));
    const std::string profile = TempPath("bin/Gridforge.INI");
    const struct {
        const char *pszStored, *pszShown, *pszAfter;
    } cases[] = {{"41", "41", "NEXT_ID=42"}, {"4294967296", "", "NEXT_ID=4294967296"}};
    for (const auto& row : cases) {
        TestFiles::WriteAll(profile, std::string("[ID]\nNEXT_ID=") + row.pszStored + "\n");
        m_Services.SetNextAnswer(MessageBoxResult::Yes);
        const bool bNoneLeft = *row.pszShown == '\0';
        m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
            EXPECT_EQ(Control<QLineEdit>(dialog, IDC_ID).text(), QString(row.pszShown));
            EXPECT_TRUE(TestFiles::Exists(TempPath("maps/S2/summary.INI")));
            QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next, if on
            if (bNoneLeft) {
                EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        if (!bNoneLeft) {
            m_Driver.When<CExitDefinitionDlg>(
                [](CExitDefinitionDlg& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        }
        EXPECT_FALSE(m_pApp->InitInstance());
        EXPECT_NE(TestFiles::ReadAll(profile).find(row.pszAfter), std::string::npos)
            << TestFiles::ReadAll(profile);
    }
}

// An installed editor, whose folder takes no profile, keeps one per user: named once, when it
// is created, and its identifiers advance from start to start.
TEST_F(CKVLEditAppTest, AFolderWithoutProfileSendsStartUpToThePerUserProfile) {
    TestFiles::WriteAll(TempPath("usr"), "");
    m_Services.SetExecutablePath(TempPath("usr/kvledit"));
    const CScopedEnvironment config("XDG_CONFIG_HOME", TempPath("config"));
    const std::string profile = TempPath("config/KVLEdit/Gridforge.INI");
    for (const char* pszId : {"1", "2"}) {
        m_Services.SetNextAnswer(MessageBoxResult::Yes);
        m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
            EXPECT_EQ(Control<QLineEdit>(dialog, IDC_ID).text(), pszId);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        EXPECT_FALSE(m_pApp->InitInstance());
    }
    EXPECT_NE(TestFiles::ReadAll(profile).find("NEXT_ID=3"), std::string::npos);
    EXPECT_EQ(m_Services.MessageTexts().front(),
              "The program's folder has no Gridforge.INI and cannot take one; identifiers now "
              "come from your own profile " +
                  profile);
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")),
              (std::vector<std::string>{"bin", "config", "usr"}));
}

}  // namespace
