#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/CIniDocument.h"

namespace {

struct ReadCase {
    const char* pszText;
    const char* pszSection;
    const char* pszKey;
    std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* pStream) {
    *pStream << testing::PrintToString(std::string(c.pszText)) << " " << c.pszSection << "/"
             << c.pszKey;
}

class CIniDocumentReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(CIniDocumentReadTest, FindsValueAsWindowsDoes) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(CIniDocument(c.pszText).GetValue(c.pszSection, c.pszKey), c.expected) << c.pszText;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CIniDocumentReadTest,
    testing::Values(
        ReadCase{"[S]\r\nk=crlf\r\n", "S", "k", "crlf"}, ReadCase{"[S]\rx=1\rk=cr", "S", "k", "cr"},
        ReadCase{" \t[ S ] trailing\nk=v", "S", "k", "v"},
        ReadCase{"[S\nk=unclosed", "S", "k", "unclosed"},
        ReadCase{"k=before\n[S]\n", "S", "k", std::nullopt},
        ReadCase{"[S]\nk=a=b", "S", "k", "a=b"},
        ReadCase{"[S]\n \tk \t= \t v w \t", "S", "k", "v w"},
        ReadCase{"[S]\nk= \" v \" ", "S", "k", " v "}, ReadCase{"[S]\nk='v'", "S", "k", "v"},
        ReadCase{"[S]\nk=\"v'", "S", "k", "\"v'"}, ReadCase{"[S]\nk=\"\"v\"\"", "S", "k", "\"v\""},
        ReadCase{"[S]\nk=\"", "S", "k", "\""}, ReadCase{"[S]\nk\nk=after", "S", "k", "after"},
        ReadCase{"[S]\n  ;k=comment", "S", "k", std::nullopt},
        ReadCase{"[S]\n#k=hash", "S", "#k", "hash"},
        ReadCase{"[S]\nk=v ;not a comment", "S", "k", "v ;not a comment"},
        ReadCase{"[gLoBaLs]\nSource_Directory=x", "GLOBALS", "source_directory", "x"},
        ReadCase{"[S]\na=1\n[S]\nk=second", "S", "k", std::nullopt},
        ReadCase{"[S]\nk=1\nK=2", "S", "k", "1"}, ReadCase{"[S]\nk=", "S", "k", ""},
        ReadCase{"[S]\n[T]\nk=v", "S", "k", std::nullopt},
        ReadCase{"[T]\nk=v", "S", "k", std::nullopt}, ReadCase{"", "S", "k", std::nullopt}));

struct WriteCase {
    const char* pszBefore;
    const char* pszSection;
    const char* pszKey;
    const char* pszAfter;
};

void PrintTo(const WriteCase& c, std::ostream* pStream) {
    *pStream << testing::PrintToString(std::string(c.pszBefore)) << " " << c.pszSection << "/"
             << c.pszKey;
}

class CIniDocumentWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(CIniDocumentWriteTest, ChangesOnlyWhatTheWriteNeeds) {
    const WriteCase& c = GetParam();
    CIniDocument document(c.pszBefore, "\r\n");
    document.SetValue(c.pszSection, c.pszKey, "7");
    EXPECT_EQ(document.Bytes(), c.pszAfter) << c.pszBefore;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CIniDocumentWriteTest,
    testing::Values(WriteCase{"[S]\r\n  Key = \"5\" ; old\r\n", "s", "KEY", "[S]\r\n  Key =7\r\n"},
                    WriteCase{"[S]\nk=1\nk=2\n", "S", "k", "[S]\nk=7\nk=2\n"},
                    WriteCase{"[S]\na=1\n;c\n\n[T]\n", "S", "k", "[S]\na=1\nk=7\n;c\n\n[T]\n"},
                    WriteCase{"[S]\na=1\njunk\n", "S", "k", "[S]\na=1\nk=7\njunk\n"},
                    WriteCase{"[S]\n[T]\n", "S", "k", "[S]\nk=7\n[T]\n"},
                    WriteCase{"[S]\na=1", "S", "k", "[S]\na=1\nk=7\n"},
                    WriteCase{"[S]\na=1\n[T]\n[S]\nk=1\n", "S", "k",
                              "[S]\na=1\nk=7\n[T]\n[S]\nk=1\n"},
                    WriteCase{"k=1\n[S]\n", "S", "k", "k=1\n[S]\nk=7\n"},
                    WriteCase{"[T]\r\nx=1\r\n", "S", "k", "[T]\r\nx=1\r\n[S]\r\nk=7\r\n"},
                    WriteCase{"[T]\nx=1", "S", "k", "[T]\nx=1\n[S]\nk=7\n"},
                    WriteCase{"[T]\rx=1\r", "S", "k", "[T]\rx=1\r[S]\rk=7\r"},
                    WriteCase{"[T]", "S", "k", "[T]\r\n[S]\r\nk=7\r\n"},
                    WriteCase{"", "S", "k", "[S]\r\nk=7\r\n"}));

TEST(CIniDocumentTest, KeepsEveryByteOfAnUnchangedText) {
    for (const std::string& text : std::initializer_list<std::string>{
             "", "\n", "a", "\r\r\n\n\r", "[S]\r\nk=v\n;c\rx", std::string("[S]\0\nk=\0v\n", 11)}) {
        EXPECT_EQ(CIniDocument(text).Bytes(), text);
    }
}

}  // namespace
