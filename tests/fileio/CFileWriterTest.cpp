#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "fileio/CFileWriter.h"
#include "fileio/CTextFileWriter.h"

namespace {

using Names = std::vector<std::string>;

class FileWriterTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_Folder.isValid()); }
    std::string PathOf(const char* pszName) const {
        return m_Folder.filePath(pszName).toStdString();
    }
    Names FolderContents() const { return TestFiles::ListFolder(m_Folder.path().toStdString()); }

    QTemporaryDir m_Folder;
};

struct StringCase {
    std::string strName;
    std::string strText;
    std::string strExpected;
};

void PrintTo(const StringCase& c, std::ostream* pStream) {
    *pStream << c.strName;
}

class WriteStringTest : public FileWriterTest, public testing::WithParamInterface<StringCase> {};

TEST_P(WriteStringTest, WritesLengthWithNulThenTextAndNul) {
    const std::string path = PathOf("out.bin");
    CFileWriter writer;
    ASSERT_TRUE(writer.Open(path, "wb"));

    EXPECT_TRUE(writer.WriteString(GetParam().strText));
    EXPECT_TRUE(writer.Close());

    EXPECT_EQ(TestFiles::ReadAll(path), GetParam().strExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteStringTest,
    testing::Values(StringCase{"Empty", "", std::string("\x01\x00\x00\x00\x00", 5)},
                    StringCase{"Abc", "abc",
                               std::string("\x04\x00\x00\x00"
                                           "abc\x00",
                                           8)},
                    StringCase{"LengthAbove255", std::string(300, 'z'),
                               std::string("\x2D\x01\x00\x00", 4) + std::string(300, 'z') + '\0'}));

TEST_F(FileWriterTest, OpenTwiceClosesTheFirstFileBeforeStartingTheSecond) {
    CFileWriter writer;
    ASSERT_TRUE(writer.Open(PathOf("first"), "wb"));
    ASSERT_TRUE(writer.WriteString("1"));

    ASSERT_TRUE(writer.Open(PathOf("second"), "wb"));
    EXPECT_EQ(TestFiles::ReadAll(PathOf("first")), std::string("\x02\x00\x00\x00"
                                                               "1\x00",
                                                               6));
    ASSERT_TRUE(writer.WriteString("2"));
    ASSERT_TRUE(writer.Close());

    EXPECT_EQ(TestFiles::ReadAll(PathOf("first")), std::string("\x02\x00\x00\x00"
                                                               "1\x00",
                                                               6));
    EXPECT_EQ(TestFiles::ReadAll(PathOf("second")), std::string("\x02\x00\x00\x00"
                                                                "2\x00",
                                                                6));
    EXPECT_EQ(FolderContents(), (Names{"first", "second"}));
}

TEST_F(FileWriterTest, CloseIsSafeToRepeatAndEndsWriting) {
    CFileWriter writer;
    EXPECT_TRUE(writer.Close()) << "nothing open, nothing to do";
    EXPECT_FALSE(writer.WriteString("nowhere"));
    ASSERT_TRUE(writer.Open(PathOf("out"), "wb"));
    ASSERT_TRUE(writer.WriteString("a"));

    EXPECT_TRUE(writer.Close());
    EXPECT_TRUE(writer.Close());
    EXPECT_FALSE(writer.WriteString("late"));

    EXPECT_EQ(TestFiles::ReadAll(PathOf("out")), std::string("\x02\x00\x00\x00"
                                                             "a\x00",
                                                             6));
    EXPECT_EQ(FolderContents(), Names{"out"});
}

// A writer abandoned before Close (an early return) may hold half a file: it is dropped and
// an older file of the name stays.
TEST_F(FileWriterTest, WriterDestroyedBeforeCloseKeepsTheOlderFile) {
    TestFiles::WriteAll(PathOf("kept"), "older");
    {
        CFileWriter writer;
        ASSERT_TRUE(writer.Open(PathOf("kept"), "wb"));
        ASSERT_TRUE(writer.WriteString("newer"));
    }
    EXPECT_EQ(TestFiles::ReadAll(PathOf("kept")), "older");
    EXPECT_EQ(FolderContents(), Names{"kept"});
}

TEST_F(FileWriterTest, OnlyWriteModesOpen) {
    for (const char* pszMode : {"wb", "wt", "w"}) {
        CFileWriter writer;
        EXPECT_TRUE(writer.Open(PathOf("out"), pszMode)) << pszMode;
        EXPECT_TRUE(writer.Close()) << pszMode;
    }
    TestFiles::WriteAll(PathOf("out"), "unchanged");
    for (const char* pszMode : {"rb", "r+", "a", "ab", "", static_cast<const char*>(nullptr)}) {
        CFileWriter writer;
        EXPECT_FALSE(writer.Open(PathOf("out"), pszMode)) << (pszMode ? pszMode : "null");
        EXPECT_FALSE(writer.WriteString("x"));
        EXPECT_FALSE(writer.Close()) << "the file was not written";
    }
    EXPECT_EQ(TestFiles::ReadAll(PathOf("out")), "unchanged");
    EXPECT_EQ(FolderContents(), Names{"out"});
}

#ifndef _WIN32
// The write fails for real part way; Close must say so whether the failure showed in a write
// or only when the buffered bytes were flushed, and the older file stays.
TEST_F(FileWriterTest, FailedWriteMakesCloseFailAndKeepsTheOlderFile) {
    struct Case {
        size_t nLimit;
        std::string strText;
    };
    for (const Case& c : {Case{4096, std::string(100000, 'w')}, Case{6, "abc"}}) {
        const std::string path = PathOf("target");
        TestFiles::WriteAll(path, "older");

        const ChildProcess::Outcome outcome =
            ChildProcess::RunWithFileSizeLimit(c.nLimit, true, [&] {
                CFileWriter writer;
                if (!writer.Open(path, "wb")) {
                    return true;  // seen as success: the test fails
                }
                writer.WriteString(c.strText);
                return writer.Close();
            });

        ASSERT_TRUE(outcome.bExited) << c.nLimit;
        EXPECT_EQ(outcome.nExitCode, 1) << c.nLimit;
        EXPECT_EQ(TestFiles::ReadAll(path), "older") << c.nLimit;
        EXPECT_EQ(FolderContents(), Names{"target"}) << c.nLimit;
    }
}
#endif

TEST_F(FileWriterTest, WriteLineEndsEachLineWithTheTextLineEnding) {
#ifdef _WIN32
    const std::string strEnd = "\r\n";
#else
    const std::string strEnd = "\n";
#endif
    const std::string path = PathOf("lines.INI");
    CTextFileWriter writer;
    ASSERT_TRUE(writer.Open(path, "wt"));

    EXPECT_TRUE(writer.WriteLine(";"));
    EXPECT_TRUE(writer.WriteLine(""));
    EXPECT_TRUE(writer.WriteLine("[general]"));
    ASSERT_TRUE(writer.Close());

    EXPECT_EQ(TestFiles::ReadAll(path), ";" + strEnd + strEnd + "[general]" + strEnd);
}

}  // namespace
