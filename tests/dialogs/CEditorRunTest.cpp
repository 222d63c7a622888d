#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
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
#include "dialogs/CListComboBox.h"
#include "res/Resource.h"

namespace {

// One Add in the Exit Definition dialog: list texts to select and the sides to tick.
struct AddStep {
    QString x, y, z;
    uint16_t nExits;
};

// What the user types into the main dialog and adds in the Exit Definition dialog.
struct RunInput {
    QString strMapFile;
    QString x, y, z;
    std::vector<AddStep> adds;
};

struct RunCase {
    const char* pszName;
    RunInput input;
    int32_t nDimX, nDimY, nDimZ;
    std::vector<ExpectedSubCell> records;
};

void PrintTo(const RunCase& run, std::ostream* pOut) {
    *pOut << run.pszName;
}

class CEditorRunTest : public CEditorFixture {
protected:
    // Fills the main dialog, presses Next, makes the Adds and presses OK; the save dialog
    // answers with target. Returns the identifier shown.
    QString RunThrough(const RunInput& run, std::optional<std::string> target) {
        m_Services.SetNextFileDialogResult(std::move(target));
        QString strId;
        CModalDriver driver;
        driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
            strId = Control<QLineEdit>(dialog, IDC_ID).text();
            Control<QLineEdit>(dialog, IDC_MAP_FILE).setText(run.strMapFile);
            Control<QLineEdit>(dialog, IDC_DIM_X).setText(run.x);
            Control<QLineEdit>(dialog, IDC_DIM_Y).setText(run.y);
            Control<QLineEdit>(dialog, IDC_DIM_Z).setText(run.z);
            QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next
        });
        driver.When<CExitDefinitionDlg>([&](CExitDefinitionDlg& dialog) {
            EXPECT_FALSE(QApplication::topLevelWidgets().isEmpty());
            for (const AddStep& add : run.adds) {
                Select(dialog, IDC_SUBCELL_X, add.x);
                Select(dialog, IDC_SUBCELL_Y, add.y);
                Select(dialog, IDC_SUBCELL_Z, add.z);
                Control<QCheckBox>(dialog, IDC_NORTH).setChecked(add.nExits & EXIT_NORTH);
                Control<QCheckBox>(dialog, IDC_SOUTH).setChecked(add.nExits & EXIT_SOUTH);
                Control<QCheckBox>(dialog, IDC_EAST).setChecked(add.nExits & EXIT_EAST);
                Control<QCheckBox>(dialog, IDC_WEST).setChecked(add.nExits & EXIT_WEST);
                Control<QPushButton>(dialog, IDC_ADD).click();
            }
            Control<QPushButton>(dialog, IDOK).click();
        });
        CKVLEditDlg dialog;
        m_nResult = dialog.DoModal();
        return strId;
    }

    static void Select(CTemplateDialog& dialog, int nId, const QString& text) {
        auto& list = Control<CListComboBox>(dialog, nId);
        if (!text.isEmpty()) {
            const int nIndex = list.findText(text);
            ASSERT_GE(nIndex, 0) << text.toStdString();
            list.setCurrentIndex(nIndex);
        }
    }

    int m_nResult = 0;
};

class CEditorWholeRunTest : public CEditorRunTest, public testing::WithParamInterface<RunCase> {};

TEST_P(CEditorWholeRunTest, WritesTheDefinitionByteForByte) {
    const RunCase& run = GetParam();
    const std::string target = TempPath("out/" + run.input.strMapFile.toStdString() + ".kvl");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TempPath("out"))));

    const QString strId = RunThrough(run.input, target);

    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>{"File written successfully"});
    EXPECT_EQ(TestFiles::ReadAll(target),
              KvlFileBytes(strId.toUInt(), run.input.strMapFile.toStdString(), run.nDimX, run.nDimY,
                           run.nDimZ, run.records));
    EXPECT_EQ(TestFiles::ListFolder(TempPath("out")).size(), 1u) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CEditorWholeRunTest,
    testing::Values(
        RunCase{"NorthAndEastOfTheSecondCell",
                {"room1.map", "2", "1", "1", {{"1", "0", "0", EXIT_NORTH | EXIT_EAST}}},
                2,
                1,
                1,
                {{5, 1, 0, 0}, {0, 0, 0, 0}}},
        RunCase{
            "SameSubCellAddedTwice",
            {"hall.map", "1", "2", "1", {{"0", "1", "0", EXIT_WEST}, {"0", "1", "0", EXIT_WEST}}},
            1,
            2,
            1,
            {{8, 0, 1, 0}, {8, 0, 1, 0}, {0, 0, 0, 0}}},
        RunCase{"NoDimensions",
                {"flat.map", "0", "0", "0", {{"", "", "", EXIT_SOUTH}}},
                0,
                0,
                0,
                {{2, 0, 0, 0}}},
        RunCase{"EmptyAndPastedDimensions",
                {"odd.map", " 3a", "-2", "", {{"2", "", "", 0}}},
                3,
                -2,
                0,
                {{0, 2, 0, 0}}},
        RunCase{"TwelveAlongXInTextOrder",
                {"long.map", "12", "1", "1", {{"10", "0", "0", EXIT_ALL}}},
                12,
                1,
                1,
                {{15, 10, 0, 0},
                 {0, 0, 0, 0},
                 {0, 1, 0, 0},
                 {0, 2, 0, 0},
                 {0, 3, 0, 0},
                 {0, 4, 0, 0},
                 {0, 5, 0, 0},
                 {0, 6, 0, 0},
                 {0, 7, 0, 0},
                 {0, 8, 0, 0},
                 {0, 9, 0, 0},
                 {0, 11, 0, 0}}}));

struct ProposalCase {
    QString strMapFile;
    std::string strProposed;
};

void PrintTo(const ProposalCase& proposal, std::ostream* pOut) {
    *pOut << "\"" << proposal.strMapFile.toStdString() << "\"";
}

class CEditorProposalTest : public CEditorRunTest,
                            public testing::WithParamInterface<ProposalCase> {};

TEST_P(CEditorProposalTest, ProposesTheMapsBaseNameWithKvlAndWritesNothingWhenCancelled) {
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    RunThrough({GetParam().strMapFile, "1", "1", "1", {{"0", "0", "0", 0}}}, std::nullopt);

    EXPECT_EQ(m_nResult, IDOK);
    ASSERT_EQ(m_Services.FileDialogs().size(), 1u);
    const FileDialogRequest& request = m_Services.FileDialogs()[0];
    EXPECT_EQ(request.eKind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(request.strInitialName, GetParam().strProposed);
    EXPECT_EQ(request.strDefaultExt, "kvl");
    EXPECT_EQ(request.strFilter, "KVL Files (*.kvl)|*.kvl||");
    EXPECT_TRUE(m_Services.Messages().empty());
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(MapFiles, CEditorProposalTest,
                         testing::Values(ProposalCase{"room1.map", "room1.KVL"},
                                         ProposalCase{"C:\\maps\\room1.map", "room1.KVL"},
                                         ProposalCase{"/home/mapper/maps/castle.map", "castle.KVL"},
                                         ProposalCase{"archive.tar.gz", "archive.tar.KVL"},
                                         ProposalCase{"README", "README.KVL"},
                                         ProposalCase{"", ".KVL"}));

class CEditorWriteFailureTest : public CEditorRunTest,
                                public testing::WithParamInterface<const char*> {};

TEST_P(CEditorWriteFailureTest, SaysSoAndLeavesNothingBehind) {
    TestFiles::WriteAll(TempPath("plain.txt"), "not a folder");
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));

    RunThrough({"room1.map", "2", "1", "1", {{"1", "0", "0", EXIT_NORTH}}}, TempPath(GetParam()));

    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>{"Couldn't write the file!"});
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
    EXPECT_EQ(TestFiles::ReadAll(TempPath("plain.txt")), "not a folder");
}

INSTANTIATE_TEST_SUITE_P(Targets, CEditorWriteFailureTest,
                         testing::Values("gone/room1.KVL", "plain.txt/room1.KVL"));

TEST_F(CEditorRunTest, ReplacesAnExistingFileTheUserChose) {
    const std::string target = TempPath("room1.KVL");
    TestFiles::WriteAll(target, std::string(500, 'x'));

    const QString strId =
        RunThrough({"room1.map", "1", "1", "1", {{"0", "0", "0", EXIT_EAST}}}, target);

    EXPECT_EQ(TestFiles::ReadAll(target),
              KvlFileBytes(strId.toUInt(), "room1.map", 1, 1, 1, {{4, 0, 0, 0}}));
}

TEST_F(CEditorRunTest, LeavingTheExitDefinitionEndsTheRunWithoutASaveDialog) {
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        Control<QLineEdit>(dialog, IDC_DIM_X).setText("2");
        Control<QPushButton>(dialog, IDC_NEXT).click();
    });
    driver.When<CExitDefinitionDlg>([&](CExitDefinitionDlg& dialog) {
        Control<QPushButton>(dialog, IDC_ADD).click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    CKVLEditDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(m_Services.MessageTexts(),
              std::vector<std::string>{"Are you sure you want to exit?"});
    EXPECT_TRUE(m_Services.FileDialogs().empty());
}

// Dimensions beyond the limit would hang the program or exhaust memory: Next refuses them
// and the main dialog stays as it was.
struct LimitCase {
    QString x, y, z;
};

void PrintTo(const LimitCase& limit, std::ostream* pOut) {
    *pOut << limit.x.toStdString() << " x " << limit.y.toStdString() << " x "
          << limit.z.toStdString();
}

class CEditorSizeLimitTest : public CEditorRunTest,
                             public testing::WithParamInterface<LimitCase> {};

TEST_P(CEditorSizeLimitTest, NextRefusesDimensionsBeyondTheLimitAndKeepsTheFields) {
    const LimitCase& limit = GetParam();
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    CModalDriver driver;
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        const QString fields[] = {"room1.map", limit.x, limit.y, limit.z};
        const int ids[] = {IDC_MAP_FILE, IDC_DIM_X, IDC_DIM_Y, IDC_DIM_Z};
        for (int i = 0; i < 4; ++i) {
            Control<QLineEdit>(dialog, ids[i]).setText(fields[i]);
        }
        Control<QPushButton>(dialog, IDC_NEXT).click();

        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Control<QLineEdit>(dialog, ids[i]).text(), fields[i]);
        }
        Control<QPushButton>(dialog, IDCANCEL).click();
    });
    CKVLEditDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    ASSERT_EQ(m_Services.Messages().size(), 2u);
    EXPECT_NE(m_Services.Messages()[0].strText.find("1048576"), std::string::npos);
    EXPECT_EQ(m_Services.Messages()[0].eType, MessageBoxType::Ok);
    EXPECT_EQ(m_Services.Messages()[1].strText, "Are you sure you want to exit?");
    EXPECT_EQ(theSettings.m_Definition.m_strMapFile, "");
    EXPECT_EQ(theSettings.m_Definition.m_nDimX, 0);
    EXPECT_TRUE(m_Services.FileDialogs().empty());
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    BeyondTheLimit, CEditorSizeLimitTest,
    testing::Values(LimitCase{"1048577", "1", "1"}, LimitCase{"0", "1048577", "0"},
                    LimitCase{"-5", "-5", "1048577"}, LimitCase{"1024", "1024", "2"},
                    LimitCase{"65536", "65536", "65536"}, LimitCase{"99999999999", "1", "1"}));

// Within the limit everything goes on as usual; the Exit Definition dialog opens with lists
// as long as the dimensions.
class CEditorWithinLimitTest : public CEditorRunTest,
                               public testing::WithParamInterface<LimitCase> {};

TEST_P(CEditorWithinLimitTest, NextGoesOnToTheExitDefinition) {
    const LimitCase& limit = GetParam();
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    int nCountX = -1;
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        Control<QLineEdit>(dialog, IDC_DIM_X).setText(limit.x);
        Control<QLineEdit>(dialog, IDC_DIM_Y).setText(limit.y);
        Control<QLineEdit>(dialog, IDC_DIM_Z).setText(limit.z);
        Control<QPushButton>(dialog, IDC_NEXT).click();
    });
    driver.When<CExitDefinitionDlg>([&](CExitDefinitionDlg& dialog) {
        nCountX = Control<CListComboBox>(dialog, IDC_SUBCELL_X).count();
        Control<QPushButton>(dialog, IDCANCEL).click();
    });
    CKVLEditDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(nCountX, std::max(theSettings.m_Definition.m_nDimX, 0));
    EXPECT_EQ(m_Services.MessageTexts(),
              std::vector<std::string>{"Are you sure you want to exit?"});
}

INSTANTIATE_TEST_SUITE_P(UpToTheLimit, CEditorWithinLimitTest,
                         testing::Values(LimitCase{"1024", "1024", "1"},
                                         LimitCase{"1", "1048576", "1"},
                                         LimitCase{"1048576", "0", "-3"},
                                         LimitCase{"-99999999999", "5", "5"}));

}  // namespace
