#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "CEditorFixture.h"
#include "CModalDriver.h"
#include "DialogControls.h"
#include "QtPrinters.h"
#include "config/CGeneratorSettings.h"
#include "dialogs/CExitDefinitionDlg.h"
#include "dialogs/CListComboBox.h"
#include "res/Resource.h"

namespace {

QStringList Items(const CListComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items.append(list.itemText(i));
    }
    return items;
}

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(exits);
    return cell;
}

class CExitDefinitionDlgTest : public CEditorFixture {
protected:
    void SetDimensions(int32_t x, int32_t y, int32_t z) {
        theSettings.m_Definition.m_nDimX = x;
        theSettings.m_Definition.m_nDimY = y;
        theSettings.m_Definition.m_nDimZ = z;
    }

    // Runs the dialog with one step acting on it; the step must end it.
    int Run(const std::function<void(CTemplateDialog&)>& step) {
        CModalDriver driver;
        driver.When<CExitDefinitionDlg>(step);
        CExitDefinitionDlg dialog;
        return dialog.DoModal();
    }

    const std::vector<SubCell>& SubCells() const { return theSettings.m_Definition.m_SubCells; }
};

struct ListCase {
    int32_t nDimX, nDimY, nDimZ;
    QStringList x, y, z;
};

void PrintTo(const ListCase& list, std::ostream* pOut) {
    *pOut << list.nDimX << " x " << list.nDimY << " x " << list.nDimZ;
}

class CExitDefinitionListsTest : public CExitDefinitionDlgTest,
                                 public testing::WithParamInterface<ListCase> {};

TEST_P(CExitDefinitionListsTest, ListTheCoordinatesInTextOrderWithTheFirstSelected) {
    const ListCase& expected = GetParam();
    SetDimensions(expected.nDimX, expected.nDimY, expected.nDimZ);
    Run([&](CTemplateDialog& dialog) {
        const std::pair<int, const QStringList*> lists[] = {{IDC_SUBCELL_X, &expected.x},
                                                            {IDC_SUBCELL_Y, &expected.y},
                                                            {IDC_SUBCELL_Z, &expected.z}};
        for (const auto& [nId, pItems] : lists) {
            const CListComboBox& list = Control<CListComboBox>(dialog, nId);
            EXPECT_EQ(Items(list), *pItems) << list.objectName().toStdString();
            EXPECT_EQ(list.currentIndex(), pItems->isEmpty() ? -1 : 0);
            EXPECT_EQ(list.currentText(), pItems->isEmpty() ? QString() : QStringLiteral("0"));
        }
        dialog.done(IDCANCEL);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Dimensions, CExitDefinitionListsTest,
    testing::Values(ListCase{2, 1, 1, {"0", "1"}, {"0"}, {"0"}},
                    ListCase{12,
                             1,
                             3,
                             {"0", "1", "10", "11", "2", "3", "4", "5", "6", "7", "8", "9"},
                             {"0"},
                             {"0", "1", "2"}},
                    ListCase{0, -1, -2147483647 - 1, {}, {}, {}},
                    ListCase{21,
                             0,
                             2,
                             {"0",  "1", "10", "11", "12", "13", "14", "15", "16", "17", "18",
                              "19", "2", "20", "3",  "4",  "5",  "6",  "7",  "8",  "9"},
                             {},
                             {"0", "1"}}));

TEST_F(CExitDefinitionDlgTest, AddAppendsTheChosenSubCellAndLeavesTheControlsAsTheyAre) {
    SetDimensions(2, 1, 1);
    const int nResult = Run([&](CTemplateDialog& dialog) {
        Control<CListComboBox>(dialog, IDC_SUBCELL_X).setCurrentIndex(1);
        Control<QCheckBox>(dialog, IDC_NORTH).setChecked(true);
        Control<QCheckBox>(dialog, IDC_EAST).setChecked(true);
        Control<QPushButton>(dialog, IDC_ADD).click();
        // The mnemonic presses Add a second time with the same choice (an animated click).
        QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return SubCells().size() == 2; }, 1000));
        EXPECT_EQ(Control<CListComboBox>(dialog, IDC_SUBCELL_X).currentText(), "1");
        EXPECT_TRUE(Control<QCheckBox>(dialog, IDC_NORTH).isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, IDC_SOUTH).isChecked());
        EXPECT_TRUE(Control<QCheckBox>(dialog, IDC_EAST).isChecked());
        EXPECT_FALSE(Control<QCheckBox>(dialog, IDC_WEST).isChecked());
        Control<QPushButton>(dialog, IDOK).click();
    });

    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(SubCells(),
              (std::vector<SubCell>{Cell(1, 0, 0, EXIT_NORTH | EXIT_EAST),
                                    Cell(1, 0, 0, EXIT_NORTH | EXIT_EAST), Cell(0, 0, 0, 0)}));
    EXPECT_TRUE(m_Services.Messages().empty());
}

TEST_F(CExitDefinitionDlgTest, OkRefusesAnEmptyListButAcceptsARecordWithoutExits) {
    SetDimensions(1, 1, 2);
    const int nResult = Run([&](CTemplateDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Return);  // Enter is OK
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_Services.MessageTexts(), std::vector<std::string>{"No exits defined!"});
        EXPECT_EQ(m_Services.Messages().at(0).eType, MessageBoxType::Ok);
        EXPECT_TRUE(SubCells().empty());

        Control<QPushButton>(dialog, IDC_ADD).click();
        Control<QPushButton>(dialog, IDOK).click();
    });

    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(SubCells(), (std::vector<SubCell>{Cell(0, 0, 0, 0), Cell(0, 0, 1, 0)}));
    EXPECT_EQ(m_Services.Messages().size(), 1u);
}

TEST_F(CExitDefinitionDlgTest, EmptyListsAddTheOriginAndCompletionAddsNothing) {
    SetDimensions(0, 0, 0);
    const int nResult = Run([&](CTemplateDialog& dialog) {
        for (const int nId : {IDC_NORTH, IDC_SOUTH, IDC_EAST, IDC_WEST}) {
            Control<QCheckBox>(dialog, nId).setChecked(true);
        }
        Control<QPushButton>(dialog, IDC_ADD).click();
        Control<QPushButton>(dialog, IDOK).click();
    });

    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(SubCells(), std::vector<SubCell>{Cell(0, 0, 0, EXIT_ALL)});
}

enum class LeaveBy { CancelButton, EscapeKey, CloseBox };

void PrintTo(LeaveBy eWay, std::ostream* pOut) {
    const char* const names[] = {"CancelButton", "EscapeKey", "CloseBox"};
    *pOut << names[static_cast<int>(eWay)];
}

class CExitDefinitionLeaveTest : public CExitDefinitionDlgTest,
                                 public testing::WithParamInterface<LeaveBy> {
protected:
    static void Leave(CTemplateDialog& dialog) {
        switch (GetParam()) {
            case LeaveBy::CancelButton:
                Control<QPushButton>(dialog, IDCANCEL).click();
                break;
            case LeaveBy::EscapeKey:
                QTest::keyClick(&dialog, Qt::Key_Escape);
                break;
            case LeaveBy::CloseBox:
                dialog.close();
                break;
        }
    }
};

TEST_P(CExitDefinitionLeaveTest, AsksFirstAndStaysAfterNo) {
    SetDimensions(3, 1, 1);
    m_Services.SetNextAnswer(MessageBoxResult::No);
    m_Services.SetNextAnswer(MessageBoxResult::Yes);
    const int nResult = Run([&](CTemplateDialog& dialog) {
        Control<CListComboBox>(dialog, IDC_SUBCELL_X).setCurrentIndex(2);
        Control<QCheckBox>(dialog, IDC_WEST).setChecked(true);
        Control<QPushButton>(dialog, IDC_ADD).click();

        Leave(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Control<CListComboBox>(dialog, IDC_SUBCELL_X).currentText(), "2");
        EXPECT_TRUE(Control<QCheckBox>(dialog, IDC_WEST).isChecked());
        Leave(dialog);
    });

    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(m_Services.MessageTexts(),
              std::vector<std::string>(2, "Are you sure you want to exit?"));
    EXPECT_EQ(m_Services.Messages().at(0).eType, MessageBoxType::YesNo);
    // Nothing completes the list on the way out.
    EXPECT_EQ(SubCells(), std::vector<SubCell>{Cell(2, 0, 0, EXIT_WEST)});
}

INSTANTIATE_TEST_SUITE_P(AllWays, CExitDefinitionLeaveTest,
                         testing::Values(LeaveBy::CancelButton, LeaveBy::EscapeKey,
                                         LeaveBy::CloseBox));

}  // namespace
