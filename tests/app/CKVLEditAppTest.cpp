#include "CEditorFixture.h"
#include "dialogs/CKVLEditDlg.h"

namespace {

using CKVLEditAppTest = CEditorFixture;

// Start-up reads the shared profile before the main dialog opens: the default summary file
// is written, and the identifier shown comes from NEXT_ID, used up even by a run that ends
// without writing anything.
TEST_F(CKVLEditAppTest, StartUpShowsTheNextIdFromTheProfileAndAdvancesIt) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TempPath("maps/S2"))));
    const std::string profile = TempPath("bin/Gridforge.INI");
    TestFiles::WriteAll(profile, "[ID]\nNEXT_ID=41\n");
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        EXPECT_EQ(Control<QLineEdit>(dialog, IDC_ID).text(), "41");
        EXPECT_TRUE(TestFiles::Exists(TempPath("maps/S2/summary.INI")));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(m_pApp->InitInstance());
    EXPECT_NE(TestFiles::ReadAll(profile).find("NEXT_ID=42"), std::string::npos)
        << TestFiles::ReadAll(profile);
}

}  // namespace
