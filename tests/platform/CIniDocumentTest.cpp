#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "platform/CIniDocument.h"

namespace {

using namespace std::string_literals;

// Quotes, case, blanks and repeated keys or sections are proven on a whole profile elsewhere.
TEST(CIniDocumentTest, FindsValuesAsWindowsDoes) {
    // Text, key in section S, value.
    const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
        {"[S]\rx=1\rk=cr", "k", "cr"},
        {"k=before\n[S]\n", "k", std::nullopt},
        {"[S]\n \tk \t= \t v=w \t", "k", "v=w"},
        {"[S]\n  ;k=comment", "k", std::nullopt},
        {"[S]\n#k=hash ;no comment", "#k", "hash ;no comment"},
        {"[s]\nK=first\nk=second\n[S]\nk=third", "k", "first"},
        {"[T]\nk=t\n[ s ]\n[S]\nk=later", "k", std::nullopt},
    };
    for (const auto& [pszText, pszKey, expected] : cases) {
        EXPECT_EQ(CIniDocument(pszText).GetValue("S", pszKey), expected) << pszText;
    }
}

// k=7 written into section S in the document's own line endings, not the CRLF given for a
// document with none (a new profile, which KvlToolPlatformTest's lock test shows).
TEST(CIniDocumentTest, WriteChangesOnlyWhatItNeedsInTheDocumentsOwnLineEndings) {
    const std::pair<const char*, const char*> cases[] = {
        {"[S]\na=1\n;c\n\n[T]\n", "[S]\na=1\nk=7\n;c\n\n[T]\n"},
        {"[S]\na=1", "[S]\na=1\nk=7\n"},
        {"[S]\na=1\n[T]\n[S]\nk=1\n", "[S]\na=1\nk=7\n[T]\n[S]\nk=1\n"},
        {"[T]\rx=1\r", "[T]\rx=1\r[S]\rk=7\r"},
    };
    for (const auto& [pszBefore, pszAfter] : cases) {
        CIniDocument document(pszBefore, "\r\n");
        document.SetValue("S", "k", "7");
        EXPECT_EQ(document.Bytes(), pszAfter) << pszBefore;
    }
    for (const std::string& text : {"\r\r\n\n\r"s, "[S]\r\nk=v\n;c\rx"s, "[S]\0\nk=\0v"s}) {
        EXPECT_EQ(CIniDocument(text).Bytes(), text);
    }
    // Lines written move the lines below them: every later write must still find its line.
    CIniDocument document("[A]\na=1\n;c\n[B]\nb=2\n[a]\na=old", "\r\n");
    const std::tuple<const char*, const char*, const char*> writes[] = {
        {"A", "y", "4"}, {"b", "x", "3"}, {"a", "A", "5"}, {"C", "z", "6"},
        {"B", "b", "7"}, {"A", "y", "8"}, {"c", "Z", "9"},
    };
    for (const auto& [pszSection, pszKey, pszValue] : writes) {
        document.SetValue(pszSection, pszKey, pszValue);
    }
    EXPECT_EQ(document.Bytes(), "[A]\na=5\ny=8\n;c\n[B]\nb=7\nx=3\n[a]\na=old\n[C]\nz=9\n");
}

}  // namespace
