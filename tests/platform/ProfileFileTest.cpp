#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "platform/ProfileFile.h"

namespace {

class ProfileFileTest : public testing::Test {
protected:
    TestFiles::TempFolder m_Dir;
    const std::string m_strProfile = m_Dir.PathOf("Gridforge.INI");
};

TEST_F(ProfileFileTest, ReadsAsWindowsDoesAndWriteChangesOneValueOfAMessyProfileAndNothingElse) {
    const std::string head =
        "; Gridforge settings, edited by hand\r\n\r\n[Globals]\r\n"
        "Source_Directory = \"D:\\Prefabs\\\"   \r\n[id]\r\n  ; the editors' counter\r\n";
    const std::string tail =
        "\r\nnext_id=99\r\n[ID]\r\nNEXT_ID=7\r\n[template_settings]\r\npercent_to_fill=0.60";
    TestFiles::WriteAll(m_strProfile, head + "\tnext_id = '41'\t" + tail);

    EXPECT_EQ(ProfileFile::GetString(m_strProfile, "globals", "source_directory", ""),
              "D:\\Prefabs\\");
    ASSERT_EQ(ProfileFile::GetInt(m_strProfile, "ID", "NEXT_ID", 1), 41u);
    ASSERT_TRUE(ProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 42));

    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), head + "\tnext_id =42" + tail);

    // Integers read as Windows reads them, missing values as the default.
    const std::pair<const char*, uint32_t> cases[] = {
        {"", 77}, {"\"\"", 77}, {"-1", UINT32_MAX}, {"4294967297", 1}, {"\" 12\"", 12}, {"0x10", 0},
    };
    for (const auto& [pszValue, nExpected] : cases) {
        TestFiles::WriteAll(m_strProfile, std::string("[S]\nk=") + pszValue + "\n");
        EXPECT_EQ(ProfileFile::GetInt(m_strProfile, "S", "k", 77), nExpected) << pszValue;
    }
    TestFiles::WriteAll(m_strProfile, "[S]\nempty=\n");
    EXPECT_EQ(ProfileFile::GetString(m_strProfile, "S", "empty", "def"), "");
    // A pipe of the profile's name is neither read, which could block, nor replaced.
#ifndef _WIN32  // no pipes in folders on Windows
    const std::string pipe = TestFiles::NoRegularFiles(m_Dir).back();
    EXPECT_EQ(ProfileFile::GetString(pipe, "S", "empty", "def"), "def");
    EXPECT_FALSE(ProfileFile::WriteInt(pipe, "S", "k", 1));
    EXPECT_EQ(TestFiles::ListFolder(m_Dir.Path()),
              (std::vector<std::string>{"Gridforge.INI", "pipe"}));
#endif
}

// Writers killed at will and file size limits need fork and resource limits.
#ifndef _WIN32

TEST_F(ProfileFileTest, WriterKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
    const std::string filler = std::string(300000, ';') + "\r\n";
    const std::string head = "[globals]\r\n" + filler + "[ID]\r\nNEXT_ID=";
    const std::string tail = "\r\n[template_settings]\r\n" + filler;
    TestFiles::WriteAll(m_strProfile, head + "0" + tail);
    // Kills land anywhere in the first few rewrites, whatever a rewrite takes in this build.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 0));
    const auto writeTime = std::chrono::steady_clock::now() - start;

    std::mt19937 random(std::random_device{}());
    bool bWritten = false;
    for (int nKill = 0; nKill < 25; ++nKill) {
        const int nWriter = ChildProcess::Start([this] {
            for (int32_t n = 1; ProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", n); ++n) {
            }
            return 1;
        });
        ASSERT_GT(nWriter, 0) << "fork failed";  // kill(-1) would end every process we may signal
        std::this_thread::sleep_for(writeTime * (random() % 300) / 100);
        ASSERT_EQ(kill(nWriter, SIGKILL), 0);
        ASSERT_EQ(ChildProcess::Wait(nWriter), -1);

        const std::string bytes = TestFiles::ReadAll(m_strProfile);
        const size_t nEnd = bytes.find_first_not_of("0123456789", head.size());
        ASSERT_TRUE(bytes.starts_with(head) && nEnd > head.size() && nEnd != std::string::npos &&
                    bytes.substr(nEnd) == tail)
            << "torn file after kill " << nKill << ", " << bytes.size() << " bytes";
        bWritten = bWritten || bytes[head.size()] != '0';
    }
    EXPECT_TRUE(bWritten) << "no writer got as far as one write";
}

// A hard-linked profile is rewritten in place (the tools' per-user tests see both names
// advance); a disk too full for the longer content fails before the first byte, so neither
// name sees a torn file.
TEST_F(ProfileFileTest, ProfileRewrittenInPlaceIsLeftWholeWhenItCannotGrow) {
    const std::string profile = "[ID]\r\nNEXT_ID=9\r\n" + std::string(5000, ';');
    TestFiles::WriteAll(m_strProfile, profile);
    ASSERT_EQ(link(m_strProfile.c_str(), m_Dir.PathOf("link.INI").c_str()), 0);
    const auto grow = [this] { return ProfileFile::WriteInt(m_strProfile, "ID", "NEXT_ID", 10); };
    EXPECT_EQ(ChildProcess::Run(grow, profile.size()), 1) << "the write should fail";
    EXPECT_EQ(TestFiles::ReadAll(m_Dir.PathOf("link.INI")), profile);
}

#endif

}  // namespace
