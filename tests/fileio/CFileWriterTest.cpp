#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "fileio/CFileWriter.h"
#include "fileio/CTextFileWriter.h"

namespace {

class FileWriterTest : public testing::Test {
protected:
    std::string PathOf(const char* pszName) const {
        return m_Folder.filePath(pszName).toStdString();
    }

    QTemporaryDir m_Folder;
};

TEST_F(FileWriterTest, StringsAreLengthTextAndNulAndLinesEndInALineFeed) {
    CFileWriter binary;
    ASSERT_TRUE(binary.Open(PathOf("strings"), "wb"));
    EXPECT_TRUE(binary.WriteString("") && binary.WriteString("abc"));
    ASSERT_TRUE(binary.Close());
    CTextFileWriter text;
    ASSERT_TRUE(text.Open(PathOf("lines"), "wt"));
    EXPECT_TRUE(text.WriteLine(";") && text.WriteLine("") && text.WriteLine("x"));
    ASSERT_TRUE(text.Close());

    EXPECT_EQ(TestFiles::ReadAll(PathOf("strings")), std::string("\1\0\0\0\0\4\0\0\0abc\0", 13));
    EXPECT_EQ(TestFiles::ReadAll(PathOf("lines")), ";\n\nx\n");
}

// A writer dropped before Close (an early return) may hold half a file: the older file stays.
TEST_F(FileWriterTest, WriterDroppedBeforeCloseKeepsTheOlderFile) {
    TestFiles::WriteAll(PathOf("kept"), "older");
    {
        CFileWriter writer;
        ASSERT_TRUE(writer.Open(PathOf("kept"), "wb"));
        ASSERT_TRUE(writer.WriteString("newer"));
    }
    EXPECT_FALSE(CFileWriter().Open(PathOf("kept"), "a")) << "not a write mode";
    EXPECT_EQ(TestFiles::ReadAll(PathOf("kept")), "older");
    EXPECT_EQ(TestFiles::ListFolder(m_Folder.path().toStdString()),
              std::vector<std::string>{"kept"});
}

TEST_F(FileWriterTest, NewFileFollowsTheUmaskAndAReplacedFileKeepsItsPermissions) {
    TestFiles::WriteAll(PathOf("old"), "old");
    ASSERT_EQ(chmod(PathOf("old").c_str(), 0604), 0);
    const mode_t nUmask = umask(027);
    for (const char* pszName : {"new", "old"}) {
        CFileWriter writer;
        EXPECT_TRUE(writer.Open(PathOf(pszName), "wb") && writer.Close());
    }
    umask(nUmask);
    EXPECT_EQ(std::filesystem::status(PathOf("new")).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::filesystem::status(PathOf("old")).permissions(), std::filesystem::perms(0604));
}

}  // namespace
