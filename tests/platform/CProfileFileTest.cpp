#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "platform/CProfileFile.h"

namespace {

class CProfileFileTest : public testing::Test {
protected:
    std::string PathOf(const char* pszName) const { return m_Dir.filePath(pszName).toStdString(); }

    QTemporaryDir m_Dir;
    const std::string m_strProfile = PathOf("Gridforge.INI");
};

TEST_F(CProfileFileTest, WriteChangesOneValueOfAMessyProfileAndNothingElse) {
    const std::string head =
        "; Gridforge settings, edited by hand\r\n"
        "\r\n"
        "[Globals]\r\n"
        "Source_Directory = \"D:\\Prefabs\\\"   \r\n"
        "# no comment=1\r\n"
        "[id]\r\n"
        "  ; the editors' counter\r\n";
    const std::string tail =
        "\r\n"
        "next_id=99\r\n"
        "\r\n"
        "[ID]\r\n"
        "NEXT_ID=7\r\n"
        "[template_settings]\r\n"
        "percent_to_fill=0.60";
    TestFiles::WriteAll(m_strProfile, head + "\tnext_id = '41'\t" + tail);

    EXPECT_EQ(CProfileFile::GetString(m_strProfile, "globals", "source_directory", ""),
              "D:\\Prefabs\\");
    EXPECT_EQ(CProfileFile::GetInt(m_strProfile, "globals", "# NO COMMENT", 0), 1u);
    ASSERT_EQ(CProfileFile::GetInt(m_strProfile, "ID", "NEXT_ID", 1), 41u);
    ASSERT_TRUE(CProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 42));

    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), head + "\tnext_id =42" + tail);
}

struct IntCase {
    const char* pszValue;
    uint32_t nExpected;
};

void PrintTo(const IntCase& c, std::ostream* pStream) {
    *pStream << testing::PrintToString(std::string(c.pszValue));
}

class CProfileFileIntTest : public CProfileFileTest, public testing::WithParamInterface<IntCase> {};

TEST_P(CProfileFileIntTest, ReadsIntegersAsWindowsDoes) {
    TestFiles::WriteAll(m_strProfile, std::string("[S]\nk=") + GetParam().pszValue + "\n");
    EXPECT_EQ(CProfileFile::GetInt(m_strProfile, "S", "k", 77), GetParam().nExpected)
        << GetParam().pszValue;
}

INSTANTIATE_TEST_SUITE_P(Cases, CProfileFileIntTest,
                         testing::Values(IntCase{"", 77}, IntCase{"\"\"", 77},
                                         IntCase{"-1", 0xFFFFFFFFu}, IntCase{"4294967297", 1},
                                         IntCase{"-4294967295", 1}, IntCase{"010", 10},
                                         IntCase{"42abc", 42}, IntCase{"abc", 0}, IntCase{"-", 0},
                                         IntCase{"+5", 5}, IntCase{"\" 12\"", 12},
                                         IntCase{"'-3'", static_cast<uint32_t>(-3)},
                                         IntCase{"1 2", 1}, IntCase{"0x10", 0}));

TEST_F(CProfileFileTest, ReadsDefaultsWhereNoRegularFileIs) {
    ASSERT_TRUE(QDir(m_Dir.path()).mkdir("folder"));
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    for (const char* pszName : {"missing", "folder", "pipe"}) {
        EXPECT_EQ(CProfileFile::GetString(PathOf(pszName), "S", "k", "def"), "def") << pszName;
        EXPECT_EQ(CProfileFile::GetInt(PathOf(pszName), "S", "k", -2), static_cast<uint32_t>(-2));
        EXPECT_FALSE(CProfileFile::WriteInt(PathOf(pszName) + "/x/Gridforge.INI", "S", "k", 1));
    }
    // A folder or a pipe of the profile's name is never replaced.
    EXPECT_FALSE(CProfileFile::WriteInt(PathOf("folder"), "S", "k", 1));
    EXPECT_FALSE(CProfileFile::WriteInt(PathOf("pipe"), "S", "k", 1));
    EXPECT_EQ(TestFiles::ListFolder(m_Dir.path().toStdString()),
              (std::vector<std::string>{"folder", "pipe"}));
}

TEST_F(CProfileFileTest, WriteCreatesAMissingFileWithOnlyThatKey) {
    ASSERT_TRUE(CProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", INT32_MIN));
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), "[ID]\nNEXT_ID=-2147483648\n");
    EXPECT_EQ(CProfileFile::GetInt(m_strProfile, "id", "next_id", 0), 0x80000000u);
}

TEST_F(CProfileFileTest, WriteKeepsThePermissionsOfTheFile) {
    TestFiles::WriteAll(m_strProfile, "[ID]\nNEXT_ID=1\n");
    ASSERT_EQ(chmod(m_strProfile.c_str(), 0604), 0);
    ASSERT_TRUE(CProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 2));
    struct stat status {};
    ASSERT_EQ(stat(m_strProfile.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
}

TEST_F(CProfileFileTest, WriteOnAFullDiskLeavesTheOldFileWhole) {
    const std::string old = "[ID]\nNEXT_ID=1\n" + std::string(8000, ';') + "\n";
    TestFiles::WriteAll(m_strProfile, old);
    const ChildProcess::Outcome outcome = ChildProcess::RunWithFileSizeLimit(
        4096, true, [this] { return !CProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 2); });
    EXPECT_EQ(outcome.nExitCode, 0) << "the failed write was reported as success";
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), old);
    EXPECT_EQ(TestFiles::ListFolder(m_Dir.path().toStdString()),
              std::vector<std::string>{"Gridforge.INI"});
}

TEST_F(CProfileFileTest, WriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    const std::string filler = std::string(200, ';') + "\r\n";
    std::string head = "[globals]\r\n";
    std::string tail = "\r\n[template_settings]\r\n";
    for (int i = 0; i < 1500; ++i) {
        head += filler;
        tail += filler;
    }
    head += "[ID]\r\nNEXT_ID=";
    TestFiles::WriteAll(m_strProfile, head + "0" + tail);
    // Kills land anywhere in the first few rewrites, whatever a rewrite takes in this build.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(CProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 0));
    const auto nWriteMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count();

    const unsigned nSeed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(nSeed));
    std::mt19937 random(nSeed);
    long nLast = 0;
    for (int nKill = 0; nKill < 25; ++nKill) {
        QProcess writer;
        writer.start(KVL_PROFILE_WRITER_LOOP, {QString::fromStdString(m_strProfile)});
        ASSERT_TRUE(writer.waitForReadyRead(30000));
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % (3 * nWriteMs + 1)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(30000));

        const std::string bytes = TestFiles::ReadAll(m_strProfile);
        ASSERT_TRUE(bytes.size() > head.size() + tail.size() && bytes.starts_with(head) &&
                    bytes.ends_with(tail))
            << "torn file after kill " << nKill << ", " << bytes.size() << " bytes";
        const std::string number =
            bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
        ASSERT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
        EXPECT_GE(std::stol(number), nLast);
        nLast = std::stol(number);
    }
    // A kill between linking the finished temporary file and renaming it may leave that
    // temporary beside the profile; the profile itself is whole, which is what counts.
    EXPECT_GT(nLast, 0) << "no writer got as far as one write";
}

}  // namespace
