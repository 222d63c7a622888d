#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "definition/CKvlReader.h"
#include "definition/CKvlWriter.h"

namespace {

SubCell MakeCell(int32_t x, int32_t y, int32_t z, uint16_t nExits) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(nExits);
    return cell;
}

CKvlDefinition MakeDefinition(uint32_t nId, std::string mapFile, int32_t x, int32_t y, int32_t z,
                              std::vector<SubCell> cells) {
    CKvlDefinition definition;
    definition.m_nId = nId;
    definition.m_strMapFile = std::move(mapFile);
    definition.m_nDimX = x;
    definition.m_nDimY = y;
    definition.m_nDimZ = z;
    definition.m_SubCells = std::move(cells);
    return definition;
}

// Identifier 7, a.map, 1 x 1 x 1, one record (0, 0, 0) with North and East: 90 bytes.
CKvlDefinition SmallExample() {
    return MakeDefinition(7, "a.map", 1, 1, 1, {MakeCell(0, 0, 0, EXIT_NORTH | EXIT_EAST)});
}

class CKvlReaderTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const {
        return m_Folder.filePath(QString::fromStdString(name)).toStdString();
    }

    std::string BytesOf(const CKvlDefinition& definition) const {
        const std::string path = PathOf("written.KVL");
        EXPECT_TRUE(CKvlWriter().Write(path, definition));
        return TestFiles::ReadAll(path);
    }

    static KvlReadResult Read(const std::string& bytes) {
        return CKvlReader::ReadBytes(bytes.data(), bytes.size());
    }

    QTemporaryDir m_Folder;
};

void ExpectSameDefinition(const CKvlDefinition& actual, const CKvlDefinition& expected) {
    EXPECT_EQ(actual.m_nId, expected.m_nId);
    EXPECT_EQ(actual.m_strMapFile, expected.m_strMapFile);
    EXPECT_EQ(actual.m_nDimX, expected.m_nDimX);
    EXPECT_EQ(actual.m_nDimY, expected.m_nDimY);
    EXPECT_EQ(actual.m_nDimZ, expected.m_nDimZ);
    EXPECT_EQ(actual.m_SubCells, expected.m_SubCells);
}

std::vector<SubCell> EveryExitCombination() {
    std::vector<SubCell> cells;
    for (uint16_t nExits = 0; nExits <= EXIT_ALL; ++nExits) {
        cells.push_back(MakeCell(nExits, -nExits, nExits % 3, nExits));
    }
    cells.push_back(MakeCell(INT32_MIN, INT32_MAX, -1, EXIT_ALL));
    cells.push_back(cells.front());  // duplicates are kept as they are
    return cells;
}

struct RoundTripCase {
    const char* pszName;
    CKvlDefinition definition;

    friend void PrintTo(const RoundTripCase& testCase, std::ostream* pOut) {
        *pOut << testCase.pszName;
    }
};

class CKvlReaderRoundTripTest : public CKvlReaderTest,
                                public testing::WithParamInterface<RoundTripCase> {};

TEST_P(CKvlReaderRoundTripTest, GivesBackEveryFieldTheWriterWrote) {
    const CKvlDefinition& written = GetParam().definition;
    const std::string bytes = BytesOf(written);

    const KvlReadResult fromFile = CKvlReader::ReadFile(PathOf("written.KVL"));
    ASSERT_TRUE(fromFile.IsOk()) << fromFile.m_Error.strMessage;
    ExpectSameDefinition(fromFile.m_Definition, written);
    EXPECT_TRUE(fromFile.m_Warnings.empty());

    const KvlReadResult fromBytes = Read(bytes);
    ASSERT_TRUE(fromBytes.IsOk()) << fromBytes.m_Error.strMessage;
    ExpectSameDefinition(fromBytes.m_Definition, written);
}

INSTANTIATE_TEST_SUITE_P(
    Definitions, CKvlReaderRoundTripTest,
    testing::Values(RoundTripCase{"SmallExample", SmallExample()},
                    RoundTripCase{"EmptyNameNoRecords", MakeDefinition(0, "", 0, 0, 0, {})},
                    RoundTripCase{"ExtremeValues",
                                  MakeDefinition(UINT32_MAX, "R\xC3\xA4ume\\castle hall \"2\".map",
                                                 -3, INT32_MAX, INT32_MIN, EveryExitCombination())},
                    RoundTripCase{
                        "LongName",
                        MakeDefinition(1, std::string(1000, 'm') + ".map", 2, 1, 1,
                                       {MakeCell(1, 0, 0, EXIT_WEST), MakeCell(0, 0, 0, 0)})}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.pszName; });

TEST_F(CKvlReaderTest, DecodesLittleEndianBytesWrittenByHand) {
    std::string bytes("\x22\0\0\0", 4);
    bytes += std::string(CKvlWriter::kHeaderText) + '\0';
    bytes += std::string("\x01\x02\x03\x04", 4);                         // identifier
    bytes += std::string("\x02\0\0\0m\0", 6);                            // name "m"
    bytes += std::string("\xFE\xFF\xFF\xFF\x00\x01\0\0\x01\0\0\0", 12);  // -2, 256, 1
    bytes += std::string("\x01\0\0\0", 4);                               // one record
    bytes += std::string("\x0A\x00", 2);                                 // South and West
    bytes += std::string("\x05\0\0\0\xFF\xFF\xFF\xFF\0\0\0\x80", 12);
    bytes += std::string(8, '\0');

    const KvlReadResult result = Read(bytes);

    ASSERT_TRUE(result.IsOk()) << result.m_Error.strMessage;
    SubCell expected = MakeCell(5, -1, INT32_MIN, EXIT_SOUTH | EXIT_WEST);
    ExpectSameDefinition(result.m_Definition,
                         MakeDefinition(0x04030201, "m", -2, 256, 1, {expected}));
}

// Where each field of a written definition begins, and the offset the reader blames when the
// file ends inside it: a length or a count answers for the bytes it announces.
uint64_t BlamedOffset(uint64_t nCut, uint64_t nNameLength) {
    const uint64_t nAfterName = 46 + nNameLength;
    const uint64_t starts[] = {
        0, 4, 38, 42, nAfterName, nAfterName + 4, nAfterName + 8, nAfterName + 12};
    uint64_t nBlamed = 0;
    for (const uint64_t nStart : starts) {
        if (nStart <= nCut) {
            nBlamed = nStart;
        }
    }
    if (nCut >= 46 && nCut < nAfterName) {
        return 42;
    }
    return nBlamed;
}

TEST_F(CKvlReaderTest, TruncatedAtEveryOffsetNamesTheFieldThatIsCut) {
    const CKvlDefinition definition = MakeDefinition(
        3, "room1.map", 2, 1, 1, {MakeCell(1, 0, 0, EXIT_NORTH), MakeCell(0, 0, 0, 0)});
    const std::string bytes = BytesOf(definition);
    ASSERT_EQ(bytes.size(), 62u + 10 + 2 * 22);

    for (size_t nCut = 0; nCut < bytes.size(); ++nCut) {
        const KvlReadResult result = Read(bytes.substr(0, nCut));
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt) << "cut at " << nCut;
        EXPECT_EQ(result.m_Error.nOffset, BlamedOffset(nCut, 10)) << "cut at " << nCut;
        EXPECT_FALSE(result.m_Error.strMessage.empty());
        EXPECT_TRUE(result.m_Definition.m_SubCells.empty());
    }
}

void PutUInt32(std::string& bytes, size_t nOffset, uint32_t nValue) {
    for (int i = 0; i < 4; ++i) {
        bytes[nOffset + i] = static_cast<char>((nValue >> (8 * i)) & 0xFF);
    }
}

struct CorruptionCase {
    const char* pszName;
    std::function<void(std::string&)> corrupt;
    uint64_t nOffset;
    const char* pszMessagePart;

    friend void PrintTo(const CorruptionCase& testCase, std::ostream* pOut) {
        *pOut << testCase.pszName;
    }
};

class CKvlReaderCorruptionTest : public CKvlReaderTest,
                                 public testing::WithParamInterface<CorruptionCase> {};

// The small example: name length at 42, name at 46 to 51, dimensions from 52, count at 64,
// its one record from 68 to 89.
TEST_P(CKvlReaderCorruptionTest, RefusesWithTheOffsetOfTheFault) {
    std::string bytes = BytesOf(SmallExample());
    ASSERT_EQ(bytes.size(), 90u);
    GetParam().corrupt(bytes);
    const std::string path = PathOf("corrupt.KVL");
    TestFiles::WriteAll(path, bytes);

    for (const KvlReadResult& result : {Read(bytes), CKvlReader::ReadFile(path)}) {
        ASSERT_EQ(result.eStatus, KvlReadResult::Status::Corrupt);
        EXPECT_EQ(result.m_Error.nOffset, GetParam().nOffset);
        EXPECT_NE(result.m_Error.strMessage.find(GetParam().pszMessagePart), std::string::npos)
            << result.m_Error.strMessage;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CKvlReaderCorruptionTest,
    testing::Values(
        CorruptionCase{"HeaderLength", [](std::string& b) { PutUInt32(b, 0, 33); }, 0,
                       "header length is 33"},
        CorruptionCase{"MakersName", [](std::string& b) { b[4] = 'k'; }, 4, "signature"},
        CorruptionCase{"Version", [](std::string& b) { b[33] = '2'; }, 33, "signature"},
        CorruptionCase{"SignatureWithoutNul", [](std::string& b) { b[37] = ' '; }, 37, "signature"},
        CorruptionCase{"NameLengthZero", [](std::string& b) { PutUInt32(b, 42, 0); }, 42,
                       "at least 1"},
        CorruptionCase{"NameLengthHuge", [](std::string& b) { PutUInt32(b, 42, UINT32_MAX); }, 42,
                       "runs past the end"},
        CorruptionCase{"NameLengthOneLong", [](std::string& b) { PutUInt32(b, 42, 7); }, 52,
                       "does not end in a NUL"},
        CorruptionCase{"NameLengthOneShort", [](std::string& b) { PutUInt32(b, 42, 5); }, 50,
                       "does not end in a NUL"},
        CorruptionCase{"NulInsideName", [](std::string& b) { b[47] = '\0'; }, 47,
                       "NUL before its end"},
        CorruptionCase{"CountOneTooMany", [](std::string& b) { PutUInt32(b, 64, 2); }, 64,
                       "needs 44 bytes"},
        CorruptionCase{"CountHuge", [](std::string& b) { PutUInt32(b, 64, UINT32_MAX); }, 64,
                       "only 22 follow"},
        CorruptionCase{"CountOneTooFew", [](std::string& b) { PutUInt32(b, 64, 0); }, 68,
                       "22 bytes follow"},
        CorruptionCase{"TrailingByte", [](std::string& b) { b += '\0'; }, 90, "1 bytes follow"},
        CorruptionCase{"ExitBitFour", [](std::string& b) { b[68] = 0x15; }, 68, "0x0010"},
        CorruptionCase{"ExitBitFifteen", [](std::string& b) { b[69] = '\x80'; }, 68, "0x8000"}),
    [](const testing::TestParamInfo<CorruptionCase>& info) { return info.param.pszName; });

TEST_F(CKvlReaderTest, NonZeroReservedWordsReadWithAWarningEach) {
    std::string bytes = BytesOf(SmallExample());
    PutUInt32(bytes, 82, 5);
    PutUInt32(bytes, 86, UINT32_MAX);

    const KvlReadResult result = Read(bytes);

    ASSERT_TRUE(result.IsOk()) << result.m_Error.strMessage;
    EXPECT_EQ(result.m_Definition.m_SubCells.at(0).nReserved1, 5u);
    EXPECT_EQ(result.m_Definition.m_SubCells.at(0).nReserved2, UINT32_MAX);
    ASSERT_EQ(result.m_Warnings.size(), 2u);
    EXPECT_EQ(result.m_Warnings[0].nOffset, 82u);
    EXPECT_NE(result.m_Warnings[0].strMessage.find("reserved word 1 is 5"), std::string::npos);
    EXPECT_EQ(result.m_Warnings[1].nOffset, 86u);
    // Kept as read, so writing the definition again gives the same file.
    EXPECT_EQ(BytesOf(result.m_Definition), bytes);
}

TEST_F(CKvlReaderTest, FilesThatCannotBeReadSayWhyWithoutBlocking) {
    const std::string regularFile = PathOf("plain.txt");
    TestFiles::WriteAll(regularFile, "x");
    const std::string fifo = PathOf("pipe.KVL");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const struct {
        std::string path;
        const char* pszMessagePart;
    } cases[] = {
        {PathOf("missing.KVL"), "no such file"},
        {m_Folder.path().toStdString(), "not a regular file"},
        {fifo, "not a regular file"},
        {regularFile + "/inside.KVL", "no such file"},
    };
    for (const auto& testCase : cases) {
        const KvlReadResult result = CKvlReader::ReadFile(testCase.path);
        EXPECT_EQ(result.eStatus, KvlReadResult::Status::CannotOpen) << testCase.path;
        EXPECT_NE(result.m_Error.strMessage.find(testCase.pszMessagePart), std::string::npos)
            << testCase.path << ": " << result.m_Error.strMessage;
    }
}

}  // namespace
