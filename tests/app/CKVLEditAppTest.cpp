#include "CEditorFixture.h"
#include "CScopedEnvironment.h"
#include "dialogs/CKVLEditDlg.h"

namespace {

using CKVLEditAppTest = CEditorFixture;

// An installed editor, whose folder takes no profile, keeps one per user: named once, when it is
// created, and its identifiers advance from start to start. Beside an executable that can take
// one, with the last identifier gone, none is shown and Next is off, so nothing can be saved
// under an identifier never handed out. (A person's runs show that counter advancing.)
TEST_F(CKVLEditAppTest, StartUpShowsTheNextIdentifierOfTheProfileItFinds) {
    const std::string shared = TempPath("bin/Gridforge.INI");
    TestFiles::WriteAll(shared, "[ID]\nNEXT_ID=4294967296\n");
    TestFiles::WriteAll(TempPath("usr"), "");
    const CScopedEnvironment config("XDG_CONFIG_HOME", TempPath("config"));
    const std::string profile = TempPath("config/KVLEdit/Gridforge.INI");
    // The executable's folder, the identifier shown.
    const std::pair<std::string, QString> starts[] = {{"usr", "1"}, {"usr", "2"}, {"bin", ""}};
    for (const auto& start : starts) {
        m_Services.SetExecutablePath(TempPath(start.first + "/kvledit"));
        m_Services.SetNextAnswer(MessageBoxResult::Yes);
        m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
            EXPECT_EQ(Control<QLineEdit>(dialog, IDC_ID).text(), start.second);
            if (start.second.isEmpty()) {  // Return is Next, were it on
                QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);
                EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
            }
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        EXPECT_FALSE(m_App.InitInstance());
    }
    EXPECT_EQ(TestFiles::ReadAll(shared), "[ID]\nNEXT_ID=4294967296\n");
    EXPECT_NE(TestFiles::ReadAll(profile).find("NEXT_ID=3"), std::string::npos);
    EXPECT_EQ(m_Services.MessageTexts().front(),
              "The program's folder has no Gridforge.INI and cannot take one; identifiers now "
              "come from your own profile " +
                  profile);
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")),
              (std::vector<std::string>{"bin", "config", "usr"}));
}

}  // namespace
