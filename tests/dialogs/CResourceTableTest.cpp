#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>

#include "QtPrinters.h"
#include "dialogs/CDialogBuilder.h"
#include "dialogs/CResourceTable.h"
#include "res/Resource.h"

namespace {

struct NamedId {
    const char* pszName;
    int nId;
};

void PrintTo(const NamedId& named, std::ostream* pOut) {
    *pOut << named.pszName;
}

class CResourceIdTest : public testing::TestWithParam<NamedId> {};

TEST_P(CResourceIdTest, TheEmbeddedResourcesNumberEveryNameAsTheCodeDoes) {
    EXPECT_EQ(CResourceTable::Instance().IdOf(GetParam().pszName), GetParam().nId);
}

INSTANTIATE_TEST_SUITE_P(
    AllIds, CResourceIdTest,
    testing::Values(NamedId{"IDC_STATIC", IDC_STATIC}, NamedId{"IDOK", IDOK},
                    NamedId{"IDCANCEL", IDCANCEL}, NamedId{"IDM_ABOUTBOX", IDM_ABOUTBOX},
                    NamedId{"IDD_ABOUTBOX", IDD_ABOUTBOX}, NamedId{"IDS_ABOUTBOX", IDS_ABOUTBOX},
                    NamedId{"IDD_KVLEDIT_DIALOG", IDD_KVLEDIT_DIALOG},
                    NamedId{"IDR_MAINFRAME", IDR_MAINFRAME},
                    NamedId{"IDD_EXIT_DEFINITION", IDD_EXIT_DEFINITION},
                    NamedId{"IDC_MAP_FILE", IDC_MAP_FILE}, NamedId{"IDC_BROWSE", IDC_BROWSE},
                    NamedId{"IDC_NEXT", IDC_NEXT}, NamedId{"IDC_DIM_X", IDC_DIM_X},
                    NamedId{"IDC_DIM_Y", IDC_DIM_Y}, NamedId{"IDC_DIM_Z", IDC_DIM_Z},
                    NamedId{"IDC_ID", IDC_ID}, NamedId{"IDC_SUBCELL_X", IDC_SUBCELL_X},
                    NamedId{"IDC_SUBCELL_Y", IDC_SUBCELL_Y},
                    NamedId{"IDC_SUBCELL_Z", IDC_SUBCELL_Z}, NamedId{"IDC_ADD", IDC_ADD},
                    NamedId{"IDC_NORTH", IDC_NORTH}, NamedId{"IDC_SOUTH", IDC_SOUTH},
                    NamedId{"IDC_EAST", IDC_EAST}, NamedId{"IDC_WEST", IDC_WEST}));

TEST(CResourceTableTest, HoldsTheAboutMenuTextAndNothingForUnknownIds) {
    const CResourceTable& table = CResourceTable::Instance();
    EXPECT_EQ(table.String(IDS_ABOUTBOX), "&About KVLEdit...");
    EXPECT_TRUE(table.String(IDD_ABOUTBOX).isEmpty());
    EXPECT_EQ(table.Dialog(IDS_ABOUTBOX), nullptr);
    EXPECT_TRUE(table.Icon(IDD_ABOUTBOX).isNull());
    EXPECT_FALSE(table.IdOf("IDC_NOTHING").has_value());
}

TEST(CResourceTableTest, TheApplicationIconHasA32And16PixelImageOf16ColoursEach) {
    const QIcon icon = CResourceTable::Instance().Icon(IDR_MAINFRAME);
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), 2);
    for (const int nSize : {32, 16}) {
        SCOPED_TRACE(nSize);
        EXPECT_TRUE(sizes.contains(QSize(nSize, nSize)));
        const QImage image = icon.pixmap(nSize, nSize).toImage();
        ASSERT_EQ(image.size(), QSize(nSize, nSize));
        QSet<QRgb> colours;
        for (int y = 0; y < nSize; ++y) {
            for (int x = 0; x < nSize; ++x) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_LE(colours.size(), 16);
        EXPECT_GE(colours.size(), 4) << "a drawing, not a blank";
    }
}

// A resource text that cannot be read yields an empty table and says what is wrong.
struct BadJson {
    const char* pszWhat;
    const char* pszJson;
};

void PrintTo(const BadJson& bad, std::ostream* pOut) {
    *pOut << bad.pszWhat;
}

class CResourceTableBadJsonTest : public testing::TestWithParam<BadJson> {};

TEST_P(CResourceTableBadJsonTest, GivesAnEmptyTableAndAnError) {
    QString error;
    const CResourceTable table = CResourceTable::FromJson(GetParam().pszJson, &error);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(table.Dialog(100), nullptr);
    EXPECT_TRUE(table.String(101).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CResourceTableBadJsonTest,
    testing::Values(
        BadJson{"Empty", ""}, BadJson{"Array", "[]"}, BadJson{"Truncated", "{"},
        BadJson{"NoSections", "{}"},
        BadJson{"DialogsNotAList", R"({"dialogs": {}, "strings": [], "icons": []})"},
        BadJson{"DialogWithoutRect",
                R"({"dialogs": [{"name": "D", "id": 100}], "strings": [], "icons": []})"},
        BadJson{"IdAsText", R"({"dialogs": [], "strings": [{"name": "S", "id": "101",
                "text": "x"}], "icons": []})"},
        BadJson{"FractionalId", R"({"dialogs": [], "strings": [{"name": "S", "id": 101.5,
                "text": "x"}], "icons": []})"},
        BadJson{"ImageNotText", R"({"dialogs": [], "strings": [], "icons": [{"name": "I",
                "id": 1, "images": [3]}]})"},
        BadJson{"NamedIdAsText",
                R"({"dialogs": [], "strings": [], "icons": [], "ids": {"IDM_X": "16"}})"},
        BadJson{"RectOfThree", R"({"dialogs": [{"name": "D", "id": 100, "rect": [0, 0, 10],
                "caption": "c", "font": {"points": 8, "face": "f"}, "styles": [],
                "controls": []}], "strings": [], "icons": []})"},
        BadJson{"ControlNotAnObject", R"({"dialogs": [{"name": "D", "id": 100,
                "rect": [0, 0, 10, 10], "caption": "c", "font": {"points": 8, "face": "f"},
                "styles": [], "controls": [7]}], "strings": [], "icons": []})"},
        BadJson{"FontWithoutFace", R"({"dialogs": [{"name": "D", "id": 100,
                "rect": [0, 0, 10, 10], "caption": "c", "font": {"points": 8}, "styles": [],
                "controls": []}], "strings": [], "icons": []})"}));

// A small template of our own, to build what the program's templates do not show.
const char* const kTestTemplates = R"({
    "dialogs": [{
        "name": "IDD_TEST", "id": 7, "rect": [0, 0, 120, 60], "caption": "Test",
        "font": {"points": 8, "face": "MS Sans Serif"}, "styles": [],
        "controls": [
            {"name": "IDC_STATIC", "id": -1, "kind": "LTEXT", "styles": [],
             "text": "&Name:", "rect": [5, 5, 30, 8]},
            {"name": "IDC_NAME", "id": 10, "kind": "EDITTEXT", "styles": ["WS_TABSTOP"],
             "text": "", "rect": [40, 5, 60, 12]},
            {"name": "IDC_STATIC", "id": -1, "kind": "LTEXT", "styles": ["SS_NOPREFIX"],
             "text": "Tom & Jerry", "rect": [5, 25, 60, 8]},
            {"name": "IDC_ODD", "id": 11, "kind": "SCROLLBAR", "styles": [],
             "text": "", "rect": [5, 40, 60, 8]}
        ]}],
    "strings": [], "icons": []
})";

TEST(CDialogBuilderTest, StaticMnemonicsFocusTheNextControlUnlessAmpersandsShowAsTyped) {
    QString error;
    const CResourceTable table = CResourceTable::FromJson(kTestTemplates, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    QDialog dialog;
    const std::vector<QWidget*> controls = CDialogBuilder::Build(*table.Dialog(7), dialog);
    ASSERT_EQ(controls.size(), 4u);
    EXPECT_EQ(controls[3]->objectName(), "IDC_ODD") << "an unknown kind still takes its place";

    auto* pNamed = dynamic_cast<QLabel*>(controls[0]);
    auto* pPlain = dynamic_cast<QLabel*>(controls[2]);
    ASSERT_TRUE(pNamed && pPlain);
    EXPECT_EQ(pNamed->buddy(), controls[1]);
    EXPECT_EQ(pPlain->buddy(), nullptr);
    EXPECT_EQ(pPlain->text(), "Tom & Jerry");
    // Drawn as typed, ampersand included; a mnemonic's ampersand takes no room.
    EXPECT_GE(pPlain->sizeHint().width(), pPlain->fontMetrics().horizontalAdvance("Tom & Jerry"));
    EXPECT_LT(pNamed->sizeHint().width(), pNamed->fontMetrics().horizontalAdvance("&Name:"));

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), controls[1]);
    dialog.hide();
}

}  // namespace
