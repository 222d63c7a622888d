#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <QTest>

#include "QtPrinters.h"
#include "dialogs/CDialogBuilder.h"
#include "dialogs/CResourceTable.h"
#include "res/Resource.h"

namespace {

TEST(CResourceTableTest, NumbersTheStringIconAndMenuIdsAsTheCodeDoes) {
    const CResourceTable& table = CResourceTable::Instance();
    EXPECT_EQ(table.String(IDS_ABOUTBOX), "&About KVLEdit...");
    EXPECT_EQ(table.IdOf("IDS_ABOUTBOX"), IDS_ABOUTBOX);
    EXPECT_EQ(table.IdOf("IDM_ABOUTBOX"), IDM_ABOUTBOX);
    EXPECT_EQ(table.IdOf("IDR_MAINFRAME"), IDR_MAINFRAME);
    EXPECT_TRUE(table.String(IDD_ABOUTBOX).isEmpty());
    EXPECT_EQ(table.Dialog(IDS_ABOUTBOX), nullptr);
}

TEST(CResourceTableTest, TheApplicationIconHasA32And16PixelImageOf16ColoursEach) {
    const QIcon icon = CResourceTable::Instance().Icon(IDR_MAINFRAME);
    ASSERT_EQ(icon.availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
    for (const int nSize : {32, 16}) {
        const QImage image = icon.pixmap(nSize, nSize).toImage();
        QSet<QRgb> colours;
        for (int i = 0; i < nSize * nSize; ++i) {
            colours.insert(image.pixel(i % nSize, i / nSize));
        }
        EXPECT_LE(colours.size(), 16) << nSize;
        EXPECT_GE(colours.size(), 4) << "a drawing, not a blank";
    }
}

struct BadJson {
    const char* pszWhat;
    const char* pszJson;
};

void PrintTo(const BadJson& bad, std::ostream* pOut) {
    *pOut << bad.pszWhat;
}

class CResourceTableBadJsonTest : public testing::TestWithParam<BadJson> {};

TEST_P(CResourceTableBadJsonTest, GivesAnEmptyTableAndSaysWhatIsWrong) {
    QString error;
    const CResourceTable table = CResourceTable::FromJson(GetParam().pszJson, &error);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(table.Dialog(100), nullptr);
    EXPECT_TRUE(table.String(101).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CResourceTableBadJsonTest,
    testing::Values(BadJson{"Truncated", R"({"dialogs": [)"}, BadJson{"NoSections", "{}"},
                    BadJson{"FractionalId", R"({"dialogs": [], "icons": [],
                            "strings": [{"name": "S", "id": 1.5, "text": ""}]})"},
                    BadJson{"RectOfThree", R"({"strings": [], "icons": [], "dialogs": [{
                            "name": "D", "id": 100, "rect": [0, 0, 10], "caption": "c",
                            "font": {"points": 8, "face": "f"}, "styles": [],
                            "controls": []}]})"}));

// A template of our own, for what the program's templates do not show.
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

    auto& named = dynamic_cast<QLabel&>(*controls[0]);
    auto& plain = dynamic_cast<QLabel&>(*controls[2]);
    EXPECT_EQ(named.buddy(), controls[1]);
    EXPECT_EQ(plain.buddy(), nullptr);
    // Drawn as typed, ampersand included; a mnemonic's ampersand takes no room.
    EXPECT_GE(plain.sizeHint().width(), plain.fontMetrics().horizontalAdvance("Tom & Jerry"));
    EXPECT_LT(named.sizeHint().width(), named.fontMetrics().horizontalAdvance("&Name:"));

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), controls[1]);
    dialog.hide();
}

}  // namespace
