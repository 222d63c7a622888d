#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QDir>
#include <QTemporaryDir>
#include <climits>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TestFiles.h"
#include "definition/CKvlDefinition.h"
#include "definition/CKvlWriter.h"

namespace {

std::string Le32(uint32_t nValue) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((nValue >> (8 * i)) & 0xFF);
    }
    return bytes;
}

std::string Le16(uint16_t nValue) {
    return {static_cast<char>(nValue & 0xFF), static_cast<char>(nValue >> 8)};
}

std::string Text(const std::string& text) {
    return Le32(static_cast<uint32_t>(text.size() + 1)) + text + '\0';
}

const std::string kHeader = Text("KESTRAVEN SOFTWARE     .KVL (1.0)");

std::string Record(uint16_t nExits, int32_t x, int32_t y, int32_t z) {
    return Le16(nExits) + Le32(static_cast<uint32_t>(x)) + Le32(static_cast<uint32_t>(y)) +
           Le32(static_cast<uint32_t>(z)) + Le32(0) + Le32(0);
}

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(exits);
    return cell;
}

CKvlDefinition Definition(uint32_t nId, const std::string& mapFile, int32_t dimX, int32_t dimY,
                          int32_t dimZ, const std::vector<SubCell>& cells) {
    CKvlDefinition definition;
    definition.m_nId = nId;
    definition.m_strMapFile = mapFile;
    definition.m_nDimX = dimX;
    definition.m_nDimY = dimY;
    definition.m_nDimZ = dimZ;
    for (const SubCell& cell : cells) {
        definition.AddSubCell(cell);
    }
    return definition;
}

// The example definition: identifier 7, a.map, 1 x 1 x 1, (0, 0, 0) with North and East.
CKvlDefinition SmallDefinition() {
    return Definition(7, "a.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH | EXIT_EAST)});
}

CKvlDefinition DefinitionOfSize(int nRecords) {
    std::vector<SubCell> cells;
    for (int i = 0; i < nRecords; ++i) {
        cells.push_back(Cell(i, 0, 0, EXIT_SOUTH));
    }
    return Definition(99, "big.map", nRecords, 1, 1, cells);
}

class KvlWriterTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_Folder.isValid()); }
    std::string PathOf(const char* pszName) const {
        return m_Folder.filePath(pszName).toStdString();
    }
    std::vector<std::string> FolderContents() const {
        return TestFiles::ListFolder(m_Folder.path().toStdString());
    }

    QTemporaryDir m_Folder;
};

TEST_F(KvlWriterTest, ExampleDefinitionIsWrittenByteForByte) {
    const std::string path = PathOf("a.KVL");

    ASSERT_TRUE(CKvlWriter().Write(path, SmallDefinition()));

    const std::string expected(
        "\x22\x00\x00\x00"
        "KESTRAVEN SOFTWARE     .KVL (1.0)\x00"
        "\x07\x00\x00\x00"
        "\x06\x00\x00\x00"
        "a.map\x00"
        "\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00"
        "\x01\x00\x00\x00"
        "\x05\x00"
        "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00",
        90);
    EXPECT_EQ(TestFiles::ReadAll(path), expected);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"a.KVL"});
}

struct LayoutCase {
    std::string strName;
    CKvlDefinition definition;
    std::string strExpected;
};

void PrintTo(const LayoutCase& c, std::ostream* pStream) {
    *pStream << c.strName;
}

class KvlLayoutTest : public KvlWriterTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(KvlLayoutTest, FileHoldsExactlyTheFieldsInOrder) {
    const std::string path = PathOf("out.KVL");

    ASSERT_TRUE(CKvlWriter().Write(path, GetParam().definition));

    EXPECT_EQ(TestFiles::ReadAll(path), GetParam().strExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KvlLayoutTest,
    testing::Values(
        LayoutCase{"EmptyMapName", Definition(1, "", 1, 1, 1, {Cell(0, 0, 0, 0)}),
                   kHeader + Le32(1) + Le32(1) + '\0' + Le32(1) + Le32(1) + Le32(1) + Le32(1) +
                       Record(0, 0, 0, 0)},
        LayoutCase{"AllFourExitsAreFifteen",
                   Definition(0xFFFFFFFF, "x", 1, 1, 1, {Cell(0, 0, 0, EXIT_ALL)}),
                   kHeader + Le32(0xFFFFFFFF) + Text("x") + Le32(1) + Le32(1) + Le32(1) + Le32(1) +
                       std::string("\x0F\x00", 2) + std::string(20, '\0')},
        LayoutCase{
            "NegativeDimensionsAsTwosComplement", Definition(2, "n.map", -1, INT32_MIN, -256, {}),
            kHeader + Le32(2) + Text("n.map") + std::string("\xFF\xFF\xFF\xFF", 4) +
                std::string("\x00\x00\x00\x80", 4) + std::string("\x00\xFF\xFF\xFF", 4) + Le32(0)},
        LayoutCase{"DuplicatesAndOutsideRecordsInListOrder",
                   Definition(3, "d.map", 1, 1, 1,
                              {Cell(0, 0, 0, EXIT_NORTH), Cell(0, 0, 0, EXIT_WEST),
                               Cell(5, -1, INT32_MAX, EXIT_SOUTH | EXIT_EAST)}),
                   kHeader + Le32(3) + Text("d.map") + Le32(1) + Le32(1) + Le32(1) + Le32(3) +
                       Record(1, 0, 0, 0) + Record(8, 0, 0, 0) + Record(6, 5, -1, INT32_MAX)},
        LayoutCase{"NoRecords", Definition(0, "room1.map", 0, 0, 0, {}),
                   kHeader + Le32(0) + Text("room1.map") + Le32(0) + Le32(0) + Le32(0) + Le32(0)},
        LayoutCase{"MultiByteValues", Definition(0x01020304, "m", 300, 65536, 1, {}),
                   kHeader + std::string("\x04\x03\x02\x01", 4) + Text("m") +
                       std::string("\x2C\x01\x00\x00", 4) + std::string("\x00\x00\x01\x00", 4) +
                       Le32(1) + Le32(0)}));

TEST_F(KvlWriterTest, ReplacesALongerFileWhole) {
    const std::string path = PathOf("a.KVL");
    TestFiles::WriteAll(path, std::string(1000, 'x'));

    ASSERT_TRUE(CKvlWriter().Write(path, SmallDefinition()));

    EXPECT_EQ(TestFiles::ReadAll(path).size(), 90u);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"a.KVL"});
}

// Paths that cannot be created: Write fails and leaves the folder as it was.
TEST_F(KvlWriterTest, UncreatablePathFailsAndLeavesNothing) {
    const std::string blocker = PathOf("plain-file");
    TestFiles::WriteAll(blocker, "keep me");
    const std::string existingFolder = PathOf("folder");
    ASSERT_TRUE(QDir(m_Folder.path()).mkdir("folder"));

    for (const std::string& path :
         {PathOf("missing/a.KVL"), blocker + "/a.KVL", existingFolder, std::string()}) {
        EXPECT_FALSE(CKvlWriter().Write(path, SmallDefinition())) << path;
        EXPECT_EQ(FolderContents(), (std::vector<std::string>{"folder", "plain-file"})) << path;
        EXPECT_EQ(TestFiles::ReadAll(blocker), "keep me");
        EXPECT_TRUE(TestFiles::ListFolder(existingFolder).empty());
    }
}

#ifndef _WIN32
// A child process whose files may not grow beyond a limit writes a definition over an older
// file: the write fails part way, in a write or only when the buffered bytes are flushed.
struct LimitCase {
    std::string strName;
    size_t nFileSizeLimit;
    int nRecords;
    bool bIgnoreSignal;
    bool bExpectWritten;
};

void PrintTo(const LimitCase& c, std::ostream* pStream) {
    *pStream << c.strName;
}

class KvlWriterLimitTest : public KvlWriterTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(KvlWriterLimitTest, FailedWriteKeepsTheOlderFileAndLeavesNothingElse) {
    const LimitCase& c = GetParam();
    const std::string path = PathOf("room.KVL");
    const std::string older = "an older definition";
    TestFiles::WriteAll(path, older);
    const CKvlDefinition definition = DefinitionOfSize(c.nRecords);

    const ChildProcess::Outcome outcome = ChildProcess::RunWithFileSizeLimit(
        c.nFileSizeLimit, c.bIgnoreSignal, [&] { return CKvlWriter().Write(path, definition); });

    if (c.bExpectWritten) {
        ASSERT_TRUE(outcome.bExited);
        EXPECT_EQ(outcome.nExitCode, 0);
        EXPECT_EQ(TestFiles::ReadAll(path).size(), 62u + 8 + 22u * c.nRecords);
    } else if (c.bIgnoreSignal) {
        ASSERT_TRUE(outcome.bExited);
        EXPECT_EQ(outcome.nExitCode, 1) << "the failure must be reported";
        EXPECT_EQ(TestFiles::ReadAll(path), older);
    } else {
        EXPECT_FALSE(outcome.bExited) << "a process that dies mid-write";
        EXPECT_EQ(TestFiles::ReadAll(path), older);
        // No cleanup runs in a killed process: where the file system has no unnamed
        // temporary files, its temporary file may stay beside the target.
        return;
    }
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"room.KVL"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KvlWriterLimitTest,
    testing::Values(LimitCase{"FailsWhileWriting", 4096, 1000, true, false},
                    LimitCase{"FailsWhenFlushed", 64, 1, true, false},
                    LimitCase{"FailsOneByteShort", 62 + 8 + 22 * 3 - 1, 3, true, false},
                    LimitCase{"KilledWhileWriting", 4096, 1000, false, false},
                    LimitCase{"ExactlyAtTheLimitIsWritten", 62 + 8 + 22 * 3, 3, true, true},
                    LimitCase{"WithinTheLimitIsWritten", 1 << 20, 1000, true, true}));

class KvlWriterPermissionTest : public KvlWriterTest {
protected:
    void TearDown() override { ::umask(m_nOldUmask); }
    static mode_t ModeOf(const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
    }

    mode_t m_nOldUmask = ::umask(022);
};

TEST_F(KvlWriterPermissionTest, NewFileGetsWhatFopenWouldGive) {
    for (const mode_t nUmask : {022, 077, 002, 0}) {
        ::umask(nUmask);
        const std::string path = PathOf("new.KVL");
        std::remove(path.c_str());

        ASSERT_TRUE(CKvlWriter().Write(path, SmallDefinition()));

        EXPECT_EQ(ModeOf(path), 0666 & ~nUmask) << std::oct << nUmask;
    }
}

TEST_F(KvlWriterPermissionTest, ReplacedFileKeepsItsPermissions) {
    for (const mode_t nMode : {0600, 0640, 0604, 0755}) {
        const std::string path = PathOf("old.KVL");
        TestFiles::WriteAll(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), nMode), 0);

        ASSERT_TRUE(CKvlWriter().Write(path, SmallDefinition()));

        EXPECT_EQ(ModeOf(path), nMode) << std::oct << nMode;
        EXPECT_EQ(TestFiles::ReadAll(path).size(), 90u);
    }
}
#endif

}  // namespace
