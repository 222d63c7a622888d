#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "DefinitionSamples.h"
#include "TestFiles.h"
#include "definition/CKvlReader.h"
#include "definition/CKvlWriter.h"

namespace {

// 90 bytes: the name length at 42, the name from 46, the dimensions from 52, the record count
// at 64 and the one record from 68.
const CKvlDefinition kSmall =
    Definition(7, "a.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH | EXIT_EAST)});

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

// The definition read is written again: the same bytes only if every field came back. Words
// that should be 0 are kept as read, with a warning each.
TEST_F(CKvlReaderTest, GivesBackEveryFieldTheWriterWrote) {
    std::vector<SubCell> cells = {Cell(INT32_MIN, -1, INT32_MAX, EXIT_SOUTH | EXIT_WEST),
                                  Cell(1, 2, 3, EXIT_EAST), Cell(1, 2, 3, EXIT_NORTH)};
    cells[1].nReserved1 = 5;
    cells[2].nReserved2 = UINT32_MAX;
    for (const CKvlDefinition& definition :
         {kSmall, Definition(0, "", 0, 0, 0, {}),
          Definition(UINT32_MAX, "R\xC3\xA4ume\\\"2\".map", -3, INT32_MAX, 16, cells)}) {
        const std::string bytes = BytesOf(definition);
        for (const KvlReadResult& result :
             {Read(bytes), CKvlReader::ReadFile(Path("written.KVL"))}) {
            ASSERT_TRUE(result.IsOk()) << result.m_Error.strMessage;
            EXPECT_EQ(result.m_Warnings.size(), definition.m_nId == UINT32_MAX ? 2u : 0u);
            EXPECT_EQ(BytesOf(result.m_Definition), bytes);
        }
    }
}

TEST_F(CKvlReaderTest, RefusesAFileCutAnywhere) {
    const std::string bytes = BytesOf(kSmall);
    for (size_t nCut = 0; nCut < bytes.size(); ++nCut) {
        const KvlReadResult result = Read(bytes.substr(0, nCut));
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt) << "cut at " << nCut;
        EXPECT_LE(result.m_Error.nOffset, nCut);
    }
}

TEST_F(CKvlReaderTest, RefusesWithTheOffsetOfTheFault) {
    // Where the small example is overwritten, with what value of how many bytes; the offset
    // the reader blames and part of what it says.
    const std::tuple<size_t, uint32_t, size_t, uint64_t, const char*> cases[] = {
        {0, 33, 4, 0, "header length is 33"},
        {4, 'k', 1, 4, "signature"},
        {42, 0, 4, 42, "at least 1"},
        {42, UINT32_MAX, 4, 42, "runs past the end"},
        {42, 7, 4, 52, "does not end in a NUL"},
        {47, 0, 1, 47, "NUL before its end"},
        {64, UINT32_MAX, 4, 64, "only 22 follow"},
        {90, 0, 1, 90, "1 bytes follow"},
        {68, 0x15, 1, 68, "0x0010"},
        {69, 0x80, 1, 68, "0x8000"},
    };
    for (const auto& [nAt, nValue, nWidth, nBlamed, pszSays] : cases) {
        std::string bytes = BytesOf(kSmall);
        bytes.resize(std::max(bytes.size(), nAt + nWidth));
        for (size_t i = 0; i < nWidth; ++i) {
            bytes[nAt + i] = static_cast<char>(nValue >> (8 * i));
        }
        const KvlReadResult result = Read(bytes);
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt) << pszSays;
        EXPECT_EQ(result.m_Error.nOffset, nBlamed) << pszSays;
        EXPECT_NE(result.m_Error.strMessage.find(pszSays), std::string::npos)
            << result.m_Error.strMessage;
    }
}

// A pipe would block a reader that opened it.
TEST_F(CKvlReaderTest, FilesThatCannotBeReadSayWhyWithoutBlocking) {
    ASSERT_EQ(mkfifo(Path("pipe.KVL").c_str(), 0600), 0);
    for (const std::string& path :
         {Path("missing.KVL"), m_Folder.path().toStdString(), Path("pipe.KVL")}) {
        EXPECT_EQ(CKvlReader::ReadFile(path).eStatus, KvlReadResult::Status::CannotOpen) << path;
    }
}

}  // namespace
