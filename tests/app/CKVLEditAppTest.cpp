#include "CEditorFixture.h"
#include "CScopedEnvironment.h"
#include "dialogs/CKVLEditDlg.h"

namespace {

using CKVLEditAppTest = CEditorFixture;

// Once the last identifier is gone, none is shown and Next is off, so nothing can be saved
// under an identifier never handed out. (A person's runs show the counter advancing.)
TEST_F(CKVLEditAppTest, StartUpWithNoIdentifierLeftShowsNoneAndKeepsNextOff) {
    const std::string profile = TempPath("bin/Gridforge.INI");
    TestFiles::WriteAll(profile, "[ID]\nNEXT_ID=4294967296\n");
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        EXPECT_EQ(Control<QLineEdit>(dialog, IDC_ID).text(), "");
        QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next, were it on
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(m_App.InitInstance());
    EXPECT_EQ(TestFiles::ReadAll(profile), "[ID]\nNEXT_ID=4294967296\n");
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
        EXPECT_FALSE(m_App.InitInstance());
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
