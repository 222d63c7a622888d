#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include "CEditorFixture.h"
#include "MapSamples.h"
#include "definition/CKvlWriter.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditDlg.h"
#include "dialogs/framework/CAboutDlg.h"
#include "dialogs/framework/CListComboBox.h"

namespace {

constexpr int kFieldIds[] = {IDC_MAP_FILE, IDC_DIM_X, IDC_DIM_Y, IDC_DIM_Z};
constexpr const char* kNotSaved = "The definition has not been saved. Exit without saving?";
constexpr const char* kTooLarge =
    "The dimensions are too large: no dimension may exceed 1048576, and a prefab may have at most "
    "1048576 sub cells (X x Y x Z).";

// The fields as "map file|X|Y|Z".
void Fill(CTemplateDialog& dialog, const QString& fields) {
    for (int i = 0; i <= fields.count(u'|'); ++i) {
        Control<QLineEdit>(dialog, kFieldIds[i]).setText(fields.section(u'|', i, i));
    }
}

QString Fields(const CTemplateDialog& dialog) {
    QStringList texts;
    for (const int nId : kFieldIds) {
        texts.append(Control<QLineEdit>(dialog, nId).text());
    }
    return texts.join(u'|');
}

// Selects the coordinates "X|Y|Z" (an empty one leaves its list alone) and ticks the sides
// (north 1, south 2, east 4, west 8) in the Exit Definition dialog.
void Choose(CTemplateDialog& dialog, const QString& coordinates, int nExits) {
    const int ids[] = {IDC_SUBCELL_X, IDC_SUBCELL_Y, IDC_SUBCELL_Z, IDC_NORTH,
                       IDC_SOUTH,     IDC_EAST,      IDC_WEST};
    for (int i = 0; i < 3; ++i) {
        Control<CListComboBox>(dialog, ids[i]).setCurrentText(coordinates.section(u'|', i, i));
    }
    for (int i = 0; i < 4; ++i) {
        Control<QCheckBox>(dialog, ids[3 + i]).setChecked((nExits >> i) & 1);
    }
}

// The kind, the folder it opens in with the name it proposes, the extension and the filter.
std::string Describe(const FileDialogRequest& request) {
    return (request.eKind == FileDialogRequest::Kind::Save ? "save " : "open ") +
           request.strInitialDir + request.strInitialName + " ." + request.strDefaultExt + " " +
           request.strFilter;
}

// A whole run: Browse answered with a map or cancelled, the fields, one choice added nAdds
// times, and the save dialog answered with a path in the temporary folder (none: cancelled).
// old.KVL there is replaced by the expected definition, or kept when that has no records. The
// save dialog opens in the browsed map's folder unless another map was typed since.
struct RunCase {
    const char *pszFields, *pszChoice;
    int nExits, nAdds;
    const char *pszTarget, *pszProposed;  // the save dialog answered, the one it proposed
    CKvlDefinition expected;              // with the identifier shown
    std::optional<std::string> browsed = std::nullopt;
};

class CEditorDialogsTest : public CEditorFixture, public testing::WithParamInterface<RunCase> {
protected:
    void RunMain(const std::function<void(CKVLEditDlg&)>& onMain) {
        m_Driver.When<CKVLEditDlg>(onMain);
        theSettings.m_strSourceDir = "/castery/";
        CKVLEditDlg dialog;
        dialog.DoModal();
    }
};

// Typed keys reach a dimension field only as digits, pasted text as it is; Browse puts the
// chosen file's bare name into the map file field, and the size of a map it can read into the
// dimension fields still empty, without a word when it cannot. The size is in the cells of the
// summary file beside the map, spelt in any case as the generator finds it. A text field's own
// menu ends with the About item, after a separator.
// Dimensions beyond the limit would hang the program filling the lists or exhaust memory: Next
// refuses them and keeps the fields, and so do Cancel and then Escape, answered No. Within it, a
// list holds a coordinate for each sub cell with the first selected, and nothing for a dimension
// of 0 or below; Cancel there, answered Yes, ends the run without a save dialog. (The person's run
// in PersonMakesDefinition.sh picks the last of 1048576 and shows the numbers up to it.)
TEST_F(CEditorDialogsTest, TheFieldsTakeDigitsPastedTextAndBrowsedNamesAndNextChecksTheirSize) {
    const auto popup = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    // 512 x 256 x 300 units: 3 cells of 128 along Z.
    TestFiles::WriteAll(
        TempPath("room.map"),
        MapSamples::Entity("worldspawn", MapSamples::BoxBrush(0, 0, 0, 512, 256, 300)));
    TestFiles::WriteAll(TempPath("SUMMARY.ini"), "[general]\nquantum_unit_z=128\n");
    const std::pair<std::optional<std::string>, QString> browsing[] = {
        {"C:\\maps\\Big Hall.MAP", "Big Hall.MAP|1234|1234 -2x|"},
        {TempPath("room.map"), "room.map|1234|1234 -2x|3"},
        {std::nullopt, "room.map|1234|1234 -2x|3"}};
    for (const auto& choice : browsing) {
        m_Services.SetNextFileDialogResult(choice.first);
    }
    const QString refused[] = {"a|1048577|1|1", "a|-5|0|1048577", "a|1024|1024|2",
                               "a|65536|65536|65536", "a|99999999999|1|1"};
    for (const auto answer : {MessageBoxResult::No, MessageBoxResult::No, MessageBoxResult::Yes}) {
        m_Services.SetNextAnswer(answer);
    }
    RunMain([&](CKVLEditDlg& dialog) {
        for (const int nId : {IDC_DIM_X, IDC_DIM_Y}) {
            QTest::keyClicks(&Control<QLineEdit>(dialog, nId), "12a-3 .4");
        }
        QApplication::clipboard()->setText(" -2x");
        QTest::keyClick(&Control<QLineEdit>(dialog, IDC_DIM_Y), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Fields(dialog), "|1234|1234 -2x|");
        for (const auto& choice : browsing) {
            Control<QPushButton>(dialog, IDC_BROWSE).click();
            EXPECT_EQ(Fields(dialog), choice.second);
        }
        EXPECT_EQ(dialog.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QWidget& field = Control<QLineEdit>(dialog, IDC_MAP_FILE);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, field.rect().center(),
                                     field.mapToGlobal(field.rect().center()));
        QApplication::sendEvent(&field, &rightClick);
        ASSERT_NE(popup(), nullptr);
        EXPECT_EQ(popup()->actions().constLast()->text(), "&About KVLEdit...");
        EXPECT_TRUE(popup()->actions().value(popup()->actions().size() - 2)->isSeparator());
        QTest::keyClick(popup(), Qt::Key_Up);  // from the top round to the last item
        m_Driver.When<CAboutDlg>([](CAboutDlg& about) { QTest::keyClick(&about, Qt::Key_Return); });
        QTest::keyClick(popup(), Qt::Key_Return);
        for (const QString& tooLarge : refused) {
            Fill(dialog, tooLarge);
            Control<QPushButton>(dialog, IDC_NEXT).click();
            ASSERT_EQ(QApplication::activeModalWidget(), &dialog) << tooLarge.toStdString();
            EXPECT_EQ(Fields(dialog), tooLarge);
        }
        Control<QPushButton>(dialog, IDCANCEL).click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Fields(dialog), refused[4]);
        m_Driver.When<CExitDefinitionDlg>([](CExitDefinitionDlg& exitDialog) {
            QString strLists;
            for (const int nId : {IDC_SUBCELL_X, IDC_SUBCELL_Y, IDC_SUBCELL_Z}) {
                const auto& list = Control<CListComboBox>(exitDialog, nId);
                strLists += QString("'%1' of %2,").arg(list.currentText()).arg(list.count());
            }
            EXPECT_EQ(strLists, "'0' of 1048576,'' of 0,'' of 0,");
            Control<QPushButton>(exitDialog, IDCANCEL).click();
        });
        Fill(dialog, "b|1048576|0|-3");
        Control<QPushButton>(dialog, IDC_NEXT).click();
    });
    // Only the three of Browse: nothing was saved.
    ASSERT_EQ(m_Services.FileDialogs().size(), 3u);
    EXPECT_EQ(Describe(m_Services.FileDialogs()[0]),
              "open /castery/ .map Map Files (*.map)|*.map||");
    std::vector<std::string> messages(std::size(refused), kTooLarge);
    messages.insert(messages.end(), 3, "Are you sure you want to exit?");
    EXPECT_EQ(m_Services.MessageTexts(), messages);
}

TEST_P(CEditorDialogsTest, WritesTheDefinitionByteForByteWhereTheUserChose) {
    const RunCase& run = GetParam();
    TestFiles::WriteAll(TempPath("old.KVL"), "old");
    m_Services.SetNextFileDialogResult(run.browsed);
    m_Services.SetNextFileDialogResult(
        run.pszTarget != nullptr ? std::optional(TempPath(run.pszTarget)) : std::nullopt);
    m_Services.SetNextAnswer(MessageBoxResult::Yes);  // exit without saving, when asked
    CKvlDefinition expected = run.expected;
    RunMain([&](CKVLEditDlg& mainDialog) {
        expected.m_nId = Control<QLineEdit>(mainDialog, IDC_ID).text().toUInt();
        Control<QPushButton>(mainDialog, IDC_BROWSE).click();
        Fill(mainDialog, run.pszFields);
        m_Driver.When<CExitDefinitionDlg>([&](CExitDefinitionDlg& dialog) {
            EXPECT_FALSE(mainDialog.isVisible()) << "the main dialog hides for the rest of the run";
            QTest::keyClick(&dialog, Qt::Key_Return);  // OK, refused while the list is empty
            Choose(dialog, run.pszChoice, run.nExits);
            for (int i = 0; i < run.nAdds; ++i) {
                Control<QPushButton>(dialog, IDC_ADD).click();
            }
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        QTest::keyClick(mainDialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next
    });

    const bool bWritten = !expected.m_SubCells.empty();
    const char* pszLast = run.pszTarget == nullptr ? kNotSaved
                          : bWritten               ? "File written successfully"
                                                   : "Couldn't write the file!";
    EXPECT_EQ(m_Services.MessageTexts(), (std::vector<std::string>{"No exits defined!", pszLast}));
    ASSERT_EQ(m_Services.FileDialogs().size(), 2u);
    EXPECT_EQ(Describe(m_Services.FileDialogs()[1]),
              std::string("save ") + run.pszProposed + " .kvl KVL Files (*.kvl)|*.kvl||");
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), (std::vector<std::string>{"bin", "old.KVL"}))
        << "nothing left behind";
    // The writer's own tests pin its bytes; here it only renders what the run should have built.
    EXPECT_EQ(TestFiles::ReadAll(TempPath("old.KVL")),
              bWritten ? CKvlWriter::Bytes(expected) : "old");
}

// The 2 x 1 x 1 run with North and East, saved and compared byte for byte, is the person's in
// PersonMakesDefinition.sh.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, CEditorDialogsTest, testing::Values(
    RunCase{"C:\\maps\\hall.map|1|2|1", "0|1|0", 8, 2, "old.KVL", "C:\\maps\\hall.KVL",
            {0, "C:\\maps\\hall.map", 1, 2, 1,
             {{.bWest = true, .nY = 1}, {.bWest = true, .nY = 1}, {}}}},
    RunCase{"README| 3a|-2|", "2||", 2, 1, "old.KVL", "/castery/README.KVL",
            {0, "README", 3, -2, 0, {{.bSouth = true, .nX = 2}}}},
    RunCase{"hall.map|1|1|1", "0|0|0", 0, 1, "old.KVL", "/prefabs/hall.KVL",
            {0, "hall.map", 1, 1, 1, {{}}}, "/prefabs/hall.map"},
    RunCase{"|1|1|1", "0|0|0", 0, 1, nullptr, "/castery/.KVL", {}},
    RunCase{"room1.map|2|1|1", "1|0|0", 1, 1, "gone/room1.KVL", "/castery/room1.KVL", {},
            "/prefabs/hall.map"}));
// clang-format on

}  // namespace
