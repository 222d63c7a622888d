#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QMenu>
#include <array>

#include "CEditorFixture.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CKVLEditDlg.h"
#include "dialogs/CListComboBox.h"

namespace {

constexpr int kFieldIds[] = {IDC_MAP_FILE, IDC_DIM_X, IDC_DIM_Y, IDC_DIM_Z};

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

// Cancel, Escape and the close box, each answered No, keep the dialog and its state; then
// Cancel, answered Yes, ends it. The caller queues the answers.
void LeaveAfterThreeNos(CTemplateDialog& dialog, const std::function<QString()>& state) {
    const QString strBefore = state();
    for (int nWay = 0; nWay < 4; ++nWay) {
        if (nWay == 1) {
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Escape);
        } else if (nWay == 2) {
            dialog.close();
        } else {
            Control<QPushButton>(dialog, IDCANCEL).click();
        }
        EXPECT_EQ(dialog.isVisible() ? state() : "ended", nWay < 3 ? strBefore : "ended") << nWay;
    }
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

std::string Describe(const FileDialogRequest& request) {
    return (request.eKind == FileDialogRequest::Kind::Save ? "save " : "open ") +
           request.strInitialName + " ." + request.strDefaultExt + " " + request.strFilter;
}

// The bytes a definition file must hold, put together independently of the writer. A record
// is exits, X, Y, Z.
std::string KvlFileBytes(quint32 nId, const QByteArray& mapFile, const std::array<qint32, 3>& dims,
                         const std::vector<std::array<qint32, 4>>& records) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto putString = [&out](const QByteArray& text) {
        out << static_cast<qint32>(text.size() + 1);
        out.writeRawData(text.constData(), static_cast<int>(text.size() + 1));
    };
    putString("KESTRAVEN SOFTWARE     .KVL (1.0)");
    out << nId;
    putString(mapFile);
    out << dims[0] << dims[1] << dims[2] << static_cast<qint32>(records.size());
    for (const auto& record : records) {
        out << static_cast<qint16>(record[0]) << record[1] << record[2] << record[3] << qint64(0);
    }
    return bytes.toStdString();
}

class CEditorDialogsTest : public CEditorFixture {
protected:
    int RunMain(const std::function<void(CKVLEditDlg&)>& onMain,
                const std::function<void(CExitDefinitionDlg&)>& onExit = {}) {
        m_Driver.When<CKVLEditDlg>(onMain);
        if (onExit) {
            m_Driver.When<CExitDefinitionDlg>(onExit);
        }
        CKVLEditDlg dialog;
        return dialog.DoModal();
    }

    static void Next(CKVLEditDlg& dialog, const QString& fields) {
        Fill(dialog, fields);
        Control<QPushButton>(dialog, IDC_NEXT).click();
    }
};

// Typed keys reach a dimension field only as digits, pasted text as it is; Browse puts the
// chosen file's bare name into the map file field.
TEST_F(CEditorDialogsTest, TheFieldsTakeDigitsFromTheKeyboardPastedTextAndBrowsedNames) {
    const struct {
        int nId;
        const char *pszTyped, *pszPasted, *pszExpected;
    } typing[] = {{IDC_DIM_X, "12a-3 .4", "", "1234"},
                  {IDC_DIM_Y, "7x", " -2x", "7 -2x"},
                  {IDC_MAP_FILE, "C:\\m\\Room-1 (b).map", "", "C:\\m\\Room-1 (b).map"}};
    const std::pair<std::optional<std::string>, QString> browsing[] = {
        {"/home/mapper/maps/room1.map", "room1.map"},
        {"C:\\maps\\Big Hall.MAP", "Big Hall.MAP"},
        {std::nullopt, "Big Hall.MAP"}};
    for (const auto& choice : browsing) {
        m_Services.SetNextFileDialogResult(choice.first);
    }
    RunMain([&](CKVLEditDlg& dialog) {
        for (const auto& row : typing) {
            auto& field = Control<QLineEdit>(dialog, row.nId);
            QTest::keyClicks(&field, row.pszTyped);
            QApplication::clipboard()->setText(row.pszPasted);
            QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field.text(), row.pszExpected);
        }
        for (const auto& choice : browsing) {
            Control<QPushButton>(dialog, IDC_BROWSE).click();
            EXPECT_EQ(Control<QLineEdit>(dialog, IDC_MAP_FILE).text(), choice.second);
        }
        dialog.done(IDCANCEL);
    });
    ASSERT_EQ(m_Services.FileDialogs().size(), 3u);
    EXPECT_EQ(Describe(m_Services.FileDialogs()[0]), "open  .map Map Files (*.map)|*.map||");
}

// Leaving the main dialog, then the Exit Definition dialog of a second run.
TEST_F(CEditorDialogsTest, EveryWayOutAsksKeepsAllAfterNoAndEndsWithoutSavingAfterYes) {
    for (int i = 0; i < 8; ++i) {
        m_Services.SetNextAnswer(i % 4 == 3 ? MessageBoxResult::Yes : MessageBoxResult::No);
    }
    EXPECT_EQ(RunMain([](CKVLEditDlg& dialog) {
                  Fill(dialog, "room1.map|2|1|1");
                  LeaveAfterThreeNos(dialog, [&] { return Fields(dialog); });
              }),
              IDCANCEL);
    EXPECT_EQ(RunMain([](CKVLEditDlg& dialog) { Next(dialog, "room1.map|3"); },
                      [](CExitDefinitionDlg& dialog) {
                          Choose(dialog, "2||", 8);
                          LeaveAfterThreeNos(dialog, [&] {
                              return Control<CListComboBox>(dialog, IDC_SUBCELL_X).currentText() +
                                     (Control<QCheckBox>(dialog, IDC_WEST).isChecked() ? "W" : "");
                          });
                      }),
              IDOK);
    EXPECT_EQ(m_Services.MessageTexts(),
              std::vector<std::string>(8, "Are you sure you want to exit?"));
    EXPECT_TRUE(m_Services.FileDialogs().empty()) << "nothing saved";
}

TEST_F(CEditorDialogsTest, RightClickShiftF10AndTheMenuKeyOfferTheAboutBox) {
    m_Driver.When<CKVLEditDlg>([&](CKVLEditDlg& dialog) {
        QWidget& field = Control<QLineEdit>(dialog, IDC_DIM_Y);
        field.setFocus();
        for (int nWay = 0; nWay < 3; ++nWay) {
            dialog.activateWindow();  // back from the About box
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QContextMenuEvent click(QContextMenuEvent::Mouse, {}, dialog.mapToGlobal(QPoint()));
            if (nWay == 0) {
                QApplication::sendEvent(&dialog, &click);
            } else {
                QTest::keyClick(&field, nWay == 1 ? Qt::Key_F10 : Qt::Key_Menu,
                                nWay == 1 ? Qt::ShiftModifier : Qt::NoModifier);
            }
            auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(pMenu, nullptr) << "way " << nWay;
            EXPECT_EQ(pMenu->actions().value(0)->text(), "&About KVLEdit...");
            QTest::keyClick(pMenu, Qt::Key_Down);
            QTest::keyClick(pMenu, Qt::Key_Return);
        }
        dialog.done(IDCANCEL);
    });
    for (int i = 0; i < 3; ++i) {
        m_Driver.When<CAboutDlg>([](CAboutDlg& about) { QTest::keyClick(&about, Qt::Key_Return); });
    }
    CKVLEditDlg dialog;
    dialog.DoModal();
    EXPECT_EQ(dialog.windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST_F(CEditorDialogsTest, TheExitDefinitionListsCoordinatesInTextOrderWithTheFirstSelected) {
    RunMain([](CKVLEditDlg& dialog) { Next(dialog, "|12|0|-5"); },
            [](CExitDefinitionDlg& dialog) {
                QString strLists;
                for (const int nId : {IDC_SUBCELL_X, IDC_SUBCELL_Y, IDC_SUBCELL_Z}) {
                    const auto& list = Control<CListComboBox>(dialog, nId);
                    strLists += list.currentText() + ":";
                    for (int i = 0; i < list.count(); ++i) {
                        strLists += list.itemText(i) + ",";
                    }
                }
                EXPECT_EQ(strLists, "0:0,1,10,11,2,3,4,5,6,7,8,9,::");
                dialog.done(IDCANCEL);
            });
}

// Dimensions beyond the limit would hang the program filling the lists or exhaust memory.
TEST_F(CEditorDialogsTest, NextRefusesDimensionsBeyondTheLimitKeepingTheFieldsAndTakesThoseAtIt) {
    const QString refused[] = {"a|1048577|1|1", "a|-5|0|1048577", "a|1024|1024|2",
                               "a|65536|65536|65536", "a|99999999999|1|1"};
    for (const QString accepted : {"b|1024|1024|1", "b|1048576|0|-3"}) {
        RunMain(
            [&](CKVLEditDlg& dialog) {
                for (const QString& tooLarge : refused) {
                    Next(dialog, tooLarge);
                    ASSERT_EQ(QApplication::activeModalWidget(), &dialog) << tooLarge.toStdString();
                    EXPECT_EQ(Fields(dialog), tooLarge);
                }
                EXPECT_NE(theSettings.m_Definition.m_strMapFile, "a");
                Next(dialog, accepted);
            },
            [&](CExitDefinitionDlg& dialog) {
                EXPECT_EQ(Control<CListComboBox>(dialog, IDC_SUBCELL_X).count(),
                          accepted.section(u'|', 1, 1).toInt());
                dialog.done(IDCANCEL);
            });
    }
    EXPECT_EQ(m_Services.Messages().size(), 2 * std::size(refused));
    for (const std::string& message : m_Services.MessageTexts()) {
        EXPECT_NE(message.find("1048576"), std::string::npos) << message;
    }
}

// A whole run: the fields, one choice added nAdds times, and the save dialog answered with a
// path in the temporary folder (none: cancelled). old.KVL there is replaced by the records,
// or kept when there are none to expect.
struct RunCase {
    const char *pszFields, *pszChoice;
    int nExits, nAdds;
    const char *pszTarget, *pszProposed;
    std::array<qint32, 3> dims;
    std::vector<std::array<qint32, 4>> records;
};

class CEditorRunTest : public CEditorDialogsTest, public testing::WithParamInterface<RunCase> {};

TEST_P(CEditorRunTest, WritesTheDefinitionByteForByteWhereTheUserChose) {
    const RunCase& run = GetParam();
    TestFiles::WriteAll(TempPath("old.KVL"), "old");
    TestFiles::WriteAll(TempPath("plain.txt"), "not a folder");
    const std::vector<std::string> filesBefore = TestFiles::ListFolder(TempPath(""));
    if (run.pszTarget != nullptr) {
        m_Services.SetNextFileDialogResult(TempPath(run.pszTarget));
    }
    QString strId;
    const CKVLEditDlg* pMain = nullptr;
    RunMain(
        [&](CKVLEditDlg& dialog) {
            pMain = &dialog;
            strId = Control<QLineEdit>(dialog, IDC_ID).text();
            Fill(dialog, run.pszFields);
            QTest::keyClick(dialog.GetDlgItem(IDC_MAP_FILE), Qt::Key_Return);  // Next
        },
        [&](CExitDefinitionDlg& dialog) {
            EXPECT_FALSE(pMain->isVisible()) << "the main dialog hides for the rest of the run";
            QTest::keyClick(&dialog, Qt::Key_Return);  // OK, refused while the list is empty
            Choose(dialog, run.pszChoice, run.nExits);
            for (int i = 0; i < run.nAdds; ++i) {
                Control<QPushButton>(dialog, IDC_ADD).click();
            }
            QTest::keyClick(&dialog, Qt::Key_Return);
        });

    std::vector<std::string> messages = {"No exits defined!"};
    if (run.pszTarget != nullptr) {
        messages.push_back(run.records.empty() ? "Couldn't write the file!"
                                               : "File written successfully");
    }
    EXPECT_EQ(m_Services.MessageTexts(), messages);
    ASSERT_EQ(m_Services.FileDialogs().size(), 1u);
    EXPECT_EQ(Describe(m_Services.FileDialogs()[0]),
              "save " + std::string(run.pszProposed) + " .kvl KVL Files (*.kvl)|*.kvl||");
    const QByteArray mapFile = QByteArray(run.pszFields).split('|')[0];
    EXPECT_EQ(
        TestFiles::ReadAll(TempPath("old.KVL")),
        run.records.empty() ? "old" : KvlFileBytes(strId.toUInt(), mapFile, run.dims, run.records));
    EXPECT_EQ(TestFiles::ListFolder(TempPath("")), filesBefore) << "nothing left behind";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, CEditorRunTest, testing::Values(
    RunCase{"room1.map|2|1|1", "1|0|0", 5, 1, "old.KVL", "room1.KVL", {2, 1, 1},
            {{5, 1, 0, 0}, {0, 0, 0, 0}}},
    RunCase{"C:\\maps\\hall.map|1|2|1", "0|1|0", 8, 2, "old.KVL", "hall.KVL", {1, 2, 1},
            {{8, 0, 1, 0}, {8, 0, 1, 0}, {0, 0, 0, 0}}},
    RunCase{"archive.tar.gz|0|0|0", "||", 2, 1, "old.KVL", "archive.tar.KVL", {0, 0, 0},
            {{2, 0, 0, 0}}},
    RunCase{"README| 3a|-2|", "2||", 0, 1, "old.KVL", "README.KVL", {3, -2, 0}, {{0, 2, 0, 0}}},
    RunCase{"|1|1|1", "0|0|0", 0, 1, nullptr, ".KVL", {}, {}},
    RunCase{"room1.map|2|1|1", "1|0|0", 1, 1, "gone/room1.KVL", "room1.KVL", {}, {}},
    RunCase{"room1.map|2|1|1", "1|0|0", 1, 1, "plain.txt/room1.KVL", "room1.KVL", {}, {}}));
// clang-format on

}  // namespace
