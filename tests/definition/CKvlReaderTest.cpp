#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <climits>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "definition/CKvlReader.h"
#include "definition/CKvlWriter.h"

namespace {

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t nExits) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(nExits);
    return cell;
}

// 90 bytes: the name length at 42, the name from 46, the dimensions from 52, the record count
// at 64 and the one record from 68.
const CKvlDefinition kSmall{7, "a.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH | EXIT_EAST)}};

class CKvlReaderTest : public testing::Test {
protected:
    std::string Path(const char* pszName) const { return m_Folder.filePath(pszName).toStdString(); }
    std::string BytesOf(const CKvlDefinition& definition) const {
        EXPECT_TRUE(CKvlWriter().Write(Path("written.KVL"), definition));
        return TestFiles::ReadAll(Path("written.KVL"));
    }
    static KvlReadResult Read(const std::string& bytes) {
        return CKvlReader::ReadBytes(bytes.data(), bytes.size());
    }

    QTemporaryDir m_Folder;
};

// The definition read is written again: the same bytes only if every field came back.
TEST_F(CKvlReaderTest, GivesBackEveryFieldTheWriterWrote) {
    std::vector<SubCell> everyExit;
    for (uint16_t nExits = 0; nExits <= EXIT_ALL; ++nExits) {
        everyExit.push_back(Cell(nExits, -nExits, nExits % 3, nExits));
    }
    everyExit.push_back(Cell(INT32_MIN, INT32_MAX, -1, EXIT_ALL));
    everyExit.push_back(everyExit.front());
    const CKvlDefinition definitions[] = {
        kSmall,
        {0, "", 0, 0, 0, {}},
        {UINT32_MAX, std::string(1000, 'm') + "R\xC3\xA4ume\\\"2\".map", -3, INT32_MAX, INT32_MIN,
         everyExit},
    };
    for (const CKvlDefinition& definition : definitions) {
        const std::string bytes = BytesOf(definition);
        for (const KvlReadResult& result :
             {Read(bytes), CKvlReader::ReadFile(Path("written.KVL"))}) {
            ASSERT_TRUE(result.IsOk()) << result.m_Error.strMessage;
            EXPECT_TRUE(result.m_Warnings.empty());
            EXPECT_EQ(BytesOf(result.m_Definition), bytes);
        }
    }
}

TEST_F(CKvlReaderTest, RefusesAFileCutAnywhere) {
    const std::string bytes =
        BytesOf({3, "room1.map", 2, 1, 1, {Cell(1, 0, 0, 1), Cell(0, 0, 0, 0)}});
    for (size_t nCut = 0; nCut < bytes.size(); ++nCut) {
        const KvlReadResult result = Read(bytes.substr(0, nCut));
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt) << "cut at " << nCut;
        EXPECT_LE(result.m_Error.nOffset, nCut);
    }
}

// Each case puts nValue, nWidth bytes little-endian, at nAt of the small example's bytes.
TEST_F(CKvlReaderTest, RefusesWithTheOffsetOfTheFault) {
    const struct {
        size_t nAt;
        uint32_t nValue;
        size_t nWidth;
        uint64_t nBlamed;
        const char* pszSays;
    } cases[] = {
        {0, 33, 4, 0, "header length is 33"},
        {4, 'k', 1, 4, "signature"},
        {42, 0, 4, 42, "at least 1"},
        {42, UINT32_MAX, 4, 42, "runs past the end"},
        {42, 7, 4, 52, "does not end in a NUL"},
        {47, 0, 1, 47, "NUL before its end"},
        {64, 2, 4, 64, "needs 44 bytes"},
        {64, UINT32_MAX, 4, 64, "only 22 follow"},
        {64, 0, 4, 68, "22 bytes follow"},
        {90, 0, 1, 90, "1 bytes follow"},
        {68, 0x15, 1, 68, "0x0010"},
        {69, 0x80, 1, 68, "0x8000"},
    };
    for (const auto& testCase : cases) {
        std::string bytes = BytesOf(kSmall);
        bytes.resize(std::max(bytes.size(), testCase.nAt + testCase.nWidth));
        for (size_t i = 0; i < testCase.nWidth; ++i) {
            bytes[testCase.nAt + i] = static_cast<char>(testCase.nValue >> (8 * i));
        }
        const KvlReadResult result = Read(bytes);
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt) << testCase.pszSays;
        EXPECT_EQ(result.m_Error.nOffset, testCase.nBlamed) << testCase.pszSays;
        EXPECT_NE(result.m_Error.strMessage.find(testCase.pszSays), std::string::npos)
            << result.m_Error.strMessage;
    }
}

TEST_F(CKvlReaderTest, ReadsNonZeroReservedWordsWithAWarningEach) {
    std::string bytes = BytesOf(kSmall);
    bytes[82] = 5;
    bytes[89] = '\x80';

    const KvlReadResult result = Read(bytes);

    ASSERT_TRUE(result.IsOk()) << result.m_Error.strMessage;
    ASSERT_EQ(result.m_Warnings.size(), 2u);
    EXPECT_EQ(result.m_Warnings[0].nOffset, 82u);
    EXPECT_EQ(result.m_Warnings[1].strMessage,
              "sub cell record 0: reserved word 2 is 2147483648 instead of 0");
    EXPECT_EQ(BytesOf(result.m_Definition), bytes);  // kept as read
}

// A pipe would block a reader that opened it.
TEST_F(CKvlReaderTest, FilesThatCannotBeReadSayWhyWithoutBlocking) {
    ASSERT_EQ(mkfifo(Path("pipe.KVL").c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* pszSays;
    } cases[] = {
        {Path("missing.KVL"), "no such file"},
        {m_Folder.path().toStdString(), "not a regular file"},
        {Path("pipe.KVL"), "not a regular file"},
    };
    for (const auto& testCase : cases) {
        const KvlReadResult result = CKvlReader::ReadFile(testCase.path);
        EXPECT_EQ(result.eStatus, KvlReadResult::Status::CannotOpen) << testCase.path;
        EXPECT_NE(result.m_Error.strMessage.find(testCase.pszSays), std::string::npos)
            << testCase.path << ": " << result.m_Error.strMessage;
    }
}

}  // namespace
