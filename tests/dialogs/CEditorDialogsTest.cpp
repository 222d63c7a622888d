#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
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
#include "KvlFileBytes.h"
#include "QtPrinters.h"
#include "TestFiles.h"
#include "config/CGeneratorSettings.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditDlg.h"
#include "dialogs/CListComboBox.h"
#include "res/Resource.h"

namespace {

const std::string kExitQuestion = "Are you sure you want to exit?";

// One Add in the Exit Definition dialog: the list texts to select (empty: leave the list
// alone) and the sides to tick.
struct AddStep {
    QString x, y, z;
    uint16_t nExits;
};

// What the user types into the main dialog and adds in the Exit Definition dialog.
struct RunInput {
    QString strMapFile, x, y, z;
    std::vector<AddStep> adds;
};

class CEditorDialogsTest : public CEditorFixture {
protected:
    // Runs the main dialog with a step for it and, when given, one for the Exit Definition.
    int RunMain(const std::function<void(CKVLEditDlg&)>& onMain,
                const std::function<void(CExitDefinitionDlg&)>& onExit = {}) {
        CModalDriver driver;
        driver.When<CKVLEditDlg>(onMain);
        if (onExit) {
            driver.When<CExitDefinitionDlg>(onExit);
        }
        CKVLEditDlg dialog;
        return dialog.DoModal();
    }

    // A run from the fields to OK; the save dialog answers with target. The ID shown.
    QString RunThrough(const RunInput& run, const std::optional<std::string>& target) {
        m_Services.SetNextFileDialogResult(target);
        QString strId;
        m_nResult = RunMain(
            [&](CKVLEditDlg& dialog) {
                strId = Control<QLineEdit>(dialog, IDC_ID).text();
                Fill(dialog, {run.strMapFile, run.x, run.y, run.z});
                QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next
            },
            [&](CExitDefinitionDlg& dialog) {
                for (QWidget* pWindow : QApplication::topLevelWidgets()) {
                    EXPECT_FALSE(dynamic_cast<CKVLEditDlg*>(pWindow) && pWindow->isVisible())
                        << "the main dialog stays hidden";
                }
                for (const AddStep& add : run.adds) {
                    Choose(dialog, add);
                    Control<QPushButton>(dialog, IDC_ADD).click();
                }
                Control<QPushButton>(dialog, IDOK).click();
            });
        return strId;
    }

    static constexpr int kFieldIds[] = {IDC_MAP_FILE, IDC_DIM_X, IDC_DIM_Y, IDC_DIM_Z};

    static void Fill(CTemplateDialog& dialog, const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i) {
            Control<QLineEdit>(dialog, kFieldIds[i]).setText(texts[i]);
        }
    }

    static QStringList Fields(const CTemplateDialog& dialog) {
        QStringList texts;
        for (const int nId : kFieldIds) {
            texts.append(Control<QLineEdit>(dialog, nId).text());
        }
        return texts;
    }

    static void Choose(CTemplateDialog& dialog, const AddStep& add) {
        const std::pair<int, QString> choices[] = {
            {IDC_SUBCELL_X, add.x}, {IDC_SUBCELL_Y, add.y}, {IDC_SUBCELL_Z, add.z}};
        for (const auto& [nId, text] : choices) {
            auto& list = Control<CListComboBox>(dialog, nId);
            if (!text.isEmpty()) {
                ASSERT_GE(list.findText(text), 0) << text.toStdString();
                list.setCurrentIndex(list.findText(text));
            }
        }
        const std::pair<int, uint16_t> sides[] = {{IDC_NORTH, EXIT_NORTH},
                                                  {IDC_SOUTH, EXIT_SOUTH},
                                                  {IDC_EAST, EXIT_EAST},
                                                  {IDC_WEST, EXIT_WEST}};
        for (const auto& [nId, nExit] : sides) {
            Control<QCheckBox>(dialog, nId).setChecked(add.nExits & nExit);
        }
    }

    int m_nResult = 0;
};

// Typed keys reach a dimension field only as digits; pasted text arrives as it is.
struct TypingCase {
    int nField;
    QString strTyped, strPasted, strExpected;
};

void PrintTo(const TypingCase& typing, std::ostream* pOut) {
    *pOut << typing.strTyped.toStdString() << "+" << typing.strPasted.toStdString();
}

class CEditorTypingTest : public CEditorDialogsTest,
                          public testing::WithParamInterface<TypingCase> {};

TEST_P(CEditorTypingTest, DimensionFieldsTakeDigitsFromTheKeyboardAndAnyPastedText) {
    const TypingCase& typing = GetParam();
    RunMain([&](CKVLEditDlg& dialog) {
        auto& field = Control<QLineEdit>(dialog, typing.nField);
        QTest::keyClicks(&field, typing.strTyped);
        QApplication::clipboard()->setText(typing.strPasted);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field.text(), typing.strExpected);
        dialog.done(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(Fields, CEditorTypingTest,
                         testing::Values(TypingCase{IDC_DIM_X, "12a-3 .4", "", "1234"},
                                         TypingCase{IDC_DIM_Y, "x+Y", "", ""},
                                         TypingCase{IDC_DIM_Z, "7", "-2x", "7-2x"},
                                         TypingCase{IDC_MAP_FILE, "C:\\m\\Room-1 (b).map", "",
                                                    "C:\\m\\Room-1 (b).map"}));

struct BrowseCase {
    std::optional<std::string> chosen;
    QString strExpected;
};

void PrintTo(const BrowseCase& browse, std::ostream* pOut) {
    *pOut << browse.chosen.value_or("(cancelled)");
}

class CEditorBrowseTest : public CEditorDialogsTest,
                          public testing::WithParamInterface<BrowseCase> {};

TEST_P(CEditorBrowseTest, PutsTheChosenFilesBareNameIntoTheField) {
    m_Services.SetNextFileDialogResult(GetParam().chosen);
    RunMain([&](CKVLEditDlg& dialog) {
        Fill(dialog, {"before.map", "2"});
        Control<QPushButton>(dialog, IDC_BROWSE).click();
        EXPECT_EQ(Fields(dialog), QStringList({GetParam().strExpected, "2", "", ""}));
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

INSTANTIATE_TEST_SUITE_P(Choices, CEditorBrowseTest,
                         testing::Values(BrowseCase{"/home/mapper/maps/room1.map", "room1.map"},
                                         BrowseCase{"C:\\maps\\room1.map", "room1.map"},
                                         BrowseCase{"/maps/a b/Big Hall.MAP", "Big Hall.MAP"},
                                         BrowseCase{std::nullopt, "before.map"}));

enum class Way { Button, Key, Window };

void PrintTo(Way eWay, std::ostream* pOut) {
    *pOut << (eWay == Way::Button ? "Button" : eWay == Way::Key ? "Key" : "Window");
}

class CEditorLeaveTest : public CEditorDialogsTest, public testing::WithParamInterface<Way> {
protected:
    // Cancel, Escape or the close box.
    static void Leave(CTemplateDialog& dialog) {
        switch (GetParam()) {
            case Way::Button:
                Control<QPushButton>(dialog, IDCANCEL).click();
                break;
            case Way::Key:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            case Way::Window:
                dialog.close();
                break;
        }
    }
};

TEST_P(CEditorLeaveTest, TheMainDialogAsksAndKeepsEverythingAfterNoAndEndsUnwrittenAfterYes) {
    m_Services.SetNextAnswer(MessageBoxResult::No);
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    const int nResult = RunMain([&](CKVLEditDlg& dialog) {
        Fill(dialog, {"room1.map", "2", "1", "1"});
        Leave(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Fields(dialog), QStringList({"room1.map", "2", "1", "1"}));
        Leave(dialog);
    });

    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>(2, kExitQuestion));
    EXPECT_EQ(m_Services.Messages().at(0).eType, MessageBoxType::YesNo);
    EXPECT_TRUE(m_Services.FileDialogs().empty());
    EXPECT_EQ(theSettings.m_Definition.m_strMapFile, "");
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
}

TEST_P(CEditorLeaveTest, TheExitDefinitionAsksTooAndEndsTheRunWithoutASaveDialog) {
    m_Services.SetNextAnswer(MessageBoxResult::No);
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    const int nResult = RunMain(
        [&](CKVLEditDlg& dialog) {
            Fill(dialog, {"room1.map", "3"});
            Control<QPushButton>(dialog, IDC_NEXT).click();
        },
        [&](CExitDefinitionDlg& dialog) {
            Choose(dialog, {"2", "", "", EXIT_WEST});
            Leave(dialog);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Control<CListComboBox>(dialog, IDC_SUBCELL_X).currentText(), "2");
            EXPECT_TRUE(Control<QCheckBox>(dialog, IDC_WEST).isChecked());
            Leave(dialog);
        });

    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>(2, kExitQuestion));
    EXPECT_TRUE(m_Services.FileDialogs().empty());
}

TEST_P(CEditorLeaveTest, TheWindowMenuOffersTheAboutBoxWhichClosesWithoutAQuestion) {
    QString strAbout;
    CModalDriver driver;
    driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        Fill(dialog, {"room1.map", "2", "3", "4"});
        QWidget& field = *dialog.GetDlgItem(IDC_DIM_Y);
        field.setFocus();
        if (GetParam() == Way::Window) {  // a right click onto the dialog's face
            const QPoint point(dialog.width() - 5, 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, point, dialog.mapToGlobal(point));
            QApplication::sendEvent(&dialog, &event);
        } else {
            QTest::keyClick(&field, GetParam() == Way::Key ? Qt::Key_Menu : Qt::Key_F10,
                            GetParam() == Way::Key ? Qt::NoModifier : Qt::ShiftModifier);
        }
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        ASSERT_EQ(pMenu->actions().size(), 1);
        EXPECT_EQ(pMenu->actions()[0]->text(), "&About KVLEdit...");
        QTest::keyClick(pMenu, Qt::Key_Down);
        QTest::keyClick(pMenu, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Fields(dialog), QStringList({"room1.map", "2", "3", "4"}));
        dialog.done(IDCANCEL);
    });
    driver.When<CAboutDlg>([&](CAboutDlg& about) {
        strAbout = about.windowTitle();
        for (const QLabel* pLabel : about.findChildren<QLabel*>()) {
            strAbout += "|" + pLabel->text();
        }
        QTest::keyClick(&about, Qt::Key_Return);
    });
    CKVLEditDlg dialog;
    dialog.DoModal();

    EXPECT_EQ(strAbout, "About KVLEdit||KVLEdit Version 1.0");
    EXPECT_TRUE(m_Services.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AllWays, CEditorLeaveTest,
                         testing::Values(Way::Button, Way::Key, Way::Window));

struct ListCase {
    QString x, y, z;
    QStringList itemsX, itemsY, itemsZ;
};

void PrintTo(const ListCase& list, std::ostream* pOut) {
    *pOut << (list.x + " x " + list.y + " x " + list.z).toStdString();
}

class CEditorListsTest : public CEditorDialogsTest, public testing::WithParamInterface<ListCase> {};

TEST_P(CEditorListsTest, TheExitDefinitionListsTheCoordinatesInTextOrderWithTheFirstSelected) {
    const ListCase& expected = GetParam();
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    RunMain(
        [&](CKVLEditDlg& dialog) {
            Fill(dialog, {"", expected.x, expected.y, expected.z});
            Control<QPushButton>(dialog, IDC_NEXT).click();
        },
        [&](CExitDefinitionDlg& dialog) {
            const std::pair<int, QStringList> lists[] = {{IDC_SUBCELL_X, expected.itemsX},
                                                         {IDC_SUBCELL_Y, expected.itemsY},
                                                         {IDC_SUBCELL_Z, expected.itemsZ}};
            for (const auto& [nId, items] : lists) {
                const CListComboBox& list = Control<CListComboBox>(dialog, nId);
                QStringList shown;
                for (int i = 0; i < list.count(); ++i) {
                    shown.append(list.itemText(i));
                }
                EXPECT_EQ(shown, items);
                EXPECT_EQ(list.currentText(), items.isEmpty() ? "" : "0");
            }
            dialog.done(IDCANCEL);
        });
}

INSTANTIATE_TEST_SUITE_P(Dimensions, CEditorListsTest,
                         testing::Values(ListCase{"2", "1", "1", {"0", "1"}, {"0"}, {"0"}},
                                         ListCase{"12",
                                                  "",
                                                  "3",
                                                  {"0", "1", "10", "11", "2", "3", "4", "5", "6",
                                                   "7", "8", "9"},
                                                  {},
                                                  {"0", "1", "2"}},
                                         ListCase{"0", "-1", "-99999999999", {}, {}, {}}));

TEST_F(CEditorDialogsTest, OkRefusesAnEmptyListAndAddKeepsTheControlsForTheNextAdd) {
    m_Services.SetNextFileDialogResult(std::nullopt);
    RunMain(
        [&](CKVLEditDlg& dialog) {
            Fill(dialog, {"room1.map", "2", "1", "1"});
            Control<QPushButton>(dialog, IDC_NEXT).click();
        },
        [&](CExitDefinitionDlg& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Return);  // OK
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>{"No exits defined!"});

            Choose(dialog, {"1", "", "", EXIT_NORTH | EXIT_EAST});
            Control<QPushButton>(dialog, IDC_ADD).click();
            QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);  // an animated click
            EXPECT_TRUE(QTest::qWaitFor(
                [] { return theSettings.m_Definition.GetSubCellCount() == 2; }, 1000));
            EXPECT_EQ(Control<CListComboBox>(dialog, IDC_SUBCELL_X).currentText(), "1");
            EXPECT_TRUE(Control<QCheckBox>(dialog, IDC_EAST).isChecked());
            Control<QPushButton>(dialog, IDOK).click();
        });

    SubCell added;
    added.nX = 1;
    added.SetExits(EXIT_NORTH | EXIT_EAST);
    EXPECT_EQ(theSettings.m_Definition.m_SubCells, (std::vector<SubCell>{added, added, SubCell{}}));
    EXPECT_EQ(m_Services.Messages().size(), 1u);
}

struct RunCase {
    const char* pszName;
    RunInput input;
    int32_t nDimX, nDimY, nDimZ;
    std::vector<ExpectedSubCell> records;
};

void PrintTo(const RunCase& run, std::ostream* pOut) {
    *pOut << run.pszName;
}

class CEditorRunTest : public CEditorDialogsTest, public testing::WithParamInterface<RunCase> {};

TEST_P(CEditorRunTest, WritesTheDefinitionByteForByteWhereTheUserChose) {
    const RunCase& run = GetParam();
    const std::string target = TempPath("out/" + run.input.strMapFile.toStdString() + ".kvl");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(TempPath("out"))));
    TestFiles::WriteAll(target, std::string(500, 'x'));  // an older file is replaced

    const QString strId = RunThrough(run.input, target);

    EXPECT_EQ(m_nResult, IDOK);
    EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>{"File written successfully"});
    EXPECT_EQ(TestFiles::ReadAll(target),
              KvlFileBytes(strId.toUInt(), run.input.strMapFile.toStdString(), run.nDimX, run.nDimY,
                           run.nDimZ, run.records));
    EXPECT_EQ(TestFiles::ListFolder(TempPath("out")).size(), 1u) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CEditorRunTest,
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
        RunCase{"PastedAndEmptyDimensions",
                {"odd.map", " 3a", "-2", "", {{"2", "", "", 0}}},
                3,
                -2,
                0,
                {{0, 2, 0, 0}}}));

struct ProposalCase {
    QString strMapFile;
    std::string strProposed;
};

void PrintTo(const ProposalCase& proposal, std::ostream* pOut) {
    *pOut << proposal.strMapFile.toStdString();
}

class CEditorProposalTest : public CEditorDialogsTest,
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
                                         ProposalCase{"/home/mapper/castle.map", "castle.KVL"},
                                         ProposalCase{"archive.tar.gz", "archive.tar.KVL"},
                                         ProposalCase{"README", "README.KVL"},
                                         ProposalCase{"", ".KVL"}));

class CEditorWriteFailureTest : public CEditorDialogsTest,
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

// Dimensions beyond the limit would hang the program filling the lists or exhaust memory:
// Next refuses them, naming the limit, and the main dialog stays as it was. Within the limit
// the run goes on with lists as long as the dimensions.
struct LimitCase {
    QString x, y, z;
    bool bRefused;
};

void PrintTo(const LimitCase& limit, std::ostream* pOut) {
    *pOut << (limit.x + " x " + limit.y + " x " + limit.z).toStdString();
}

class CEditorSizeLimitTest : public CEditorDialogsTest,
                             public testing::WithParamInterface<LimitCase> {};

TEST_P(CEditorSizeLimitTest, NextRefusesDimensionsBeyondTheLimitAndKeepsTheFields) {
    const LimitCase& limit = GetParam();
    const QStringList fields = {"room1.map", limit.x, limit.y, limit.z};
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    int nCountX = -1;
    const auto onExit = [&](CExitDefinitionDlg& dialog) {
        nCountX = Control<CListComboBox>(dialog, IDC_SUBCELL_X).count();
        Control<QPushButton>(dialog, IDCANCEL).click();
    };
    const int nResult = RunMain(
        [&](CKVLEditDlg& dialog) {
            Fill(dialog, fields);
            Control<QPushButton>(dialog, IDC_NEXT).click();
            if (limit.bRefused) {
                EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
                EXPECT_EQ(Fields(dialog), fields);
                Control<QPushButton>(dialog, IDCANCEL).click();
            }
        },
        limit.bRefused ? std::function<void(CExitDefinitionDlg&)>() : onExit);

    if (limit.bRefused) {
        EXPECT_EQ(nResult, IDCANCEL);
        ASSERT_EQ(m_Services.Messages().size(), 2u);
        EXPECT_NE(m_Services.Messages()[0].strText.find("1048576"), std::string::npos);
        EXPECT_EQ(theSettings.m_Definition.m_strMapFile, "");
        EXPECT_EQ(theSettings.m_Definition.m_nDimX, 0);
    } else {
        EXPECT_EQ(nResult, IDOK);
        EXPECT_EQ(nCountX, std::max(theSettings.m_Definition.m_nDimX, 0));
    }
    EXPECT_EQ(m_Services.MessageTexts().back(), kExitQuestion);
    EXPECT_TRUE(m_Services.FileDialogs().empty());
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(Dimensions, CEditorSizeLimitTest,
                         testing::Values(LimitCase{"1048577", "1", "1", true},
                                         LimitCase{"-5", "0", "1048577", true},
                                         LimitCase{"1024", "1024", "2", true},
                                         LimitCase{"65536", "65536", "65536", true},
                                         LimitCase{"99999999999", "1", "1", true},
                                         LimitCase{"1024", "1024", "1", false},
                                         LimitCase{"1048576", "0", "-3", false},
                                         LimitCase{"-99999999999", "5", "5", false}));

}  // namespace
