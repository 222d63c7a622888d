#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "ToolProcess.h"
#include "definition/CKvlWriter.h"
#include "tools/CCheckCommand.h"

namespace {

const char* const kCleanSummary =
    "; Prefab Castery Summary Data File\r\n"
    "[general]\r\n"
    "description=Castle rooms\r\n"
    "gen_class_name=Castle\r\n"
    "game_type=1\r\n"
    "quantum_unit_x=128\r\n"
    "quantum_unit_y=128\r\n"
    "quantum_unit_z=64\r\n";

SubCell Cell(int32_t x, int32_t y, int32_t z) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    return cell;
}

// A small collection that passes every check: summary.INI, two map files and their
// definitions, one of them with a lower-case extension and a map file name whose case differs
// from the file on disk.
class CCollection {
public:
    CCollection() {
        WriteText("summary.INI", kCleanSummary);
        WriteText("room1.map", "{\n}\n");
        WriteText("HALL.map", "{\n}\n");
        WriteDefinition("room1.KVL", 1, "room1.map", 2, 1, 1, {Cell(1, 0, 0), Cell(0, 0, 0)});
        WriteDefinition("hall.kvl", 2, "hall.map", 1, 1, 1, {Cell(0, 0, 0)});
    }

    std::string Folder() const { return m_Folder.path().toStdString(); }
    std::string PathOf(const std::string& name) const { return Folder() + "/" + name; }

    void WriteText(const std::string& name, const std::string& text) const {
        TestFiles::WriteAll(PathOf(name), text);
    }
    void Remove(const std::string& name) const {
        ASSERT_TRUE(QFile::remove(QString::fromStdString(PathOf(name))));
    }
    void WriteDefinition(const std::string& name, uint32_t nId, const std::string& mapFile,
                         int32_t x, int32_t y, int32_t z, std::vector<SubCell> cells) const {
        CKvlDefinition definition;
        definition.m_nId = nId;
        definition.m_strMapFile = mapFile;
        definition.m_nDimX = x;
        definition.m_nDimY = y;
        definition.m_nDimZ = z;
        definition.m_SubCells = std::move(cells);
        ASSERT_TRUE(CKvlWriter().Write(PathOf(name), definition));
    }
    void Patch(const std::string& name, size_t nOffset, char cByte) const {
        std::string bytes = TestFiles::ReadAll(PathOf(name));
        bytes.at(nOffset) = cByte;
        WriteText(name, bytes);
    }

private:
    QTemporaryDir m_Folder;
};

struct CheckRun {
    int nExitCode = -1;
    std::vector<std::string> lines;
    std::string strErr;
};

CheckRun Check(const CCollection& collection) {
    std::ostringstream out;
    std::ostringstream err;
    CheckRun run;
    run.nExitCode = CCheckCommand::Check(collection.Folder(), out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        run.lines.push_back(line);
    }
    run.strErr = err.str();
    return run;
}

TEST(CCheckCommandTest, CleanCollectionHasNoProblems) {
    const CCollection collection;

    const CheckRun run = Check(collection);

    EXPECT_EQ(run.nExitCode, 0);
    EXPECT_TRUE(run.lines.empty()) << run.lines.front();
    EXPECT_NE(run.strErr.find("no problems found"), std::string::npos) << run.strErr;
}

struct ProblemCase {
    const char* pszName;
    std::function<void(const CCollection&)> spoil;
    // Lines expected, each after the path of the collection's folder, which also stands for
    // every "{}".
    std::vector<std::string> expected;

    friend void PrintTo(const ProblemCase& testCase, std::ostream* pOut) {
        *pOut << testCase.pszName;
    }
};

class CCheckCommandProblemTest : public testing::TestWithParam<ProblemCase> {};

// Each case is held to the lines about what it spoils: those about summary.INI, or those
// about the rest; the clean collection above shows that neither kind appears uncalled for.
TEST_P(CCheckCommandProblemTest, ReportsEachProblemOnALineOfItsOwn) {
    const CCollection collection;
    GetParam().spoil(collection);

    const CheckRun run = Check(collection);

    std::vector<std::string> expected;
    for (std::string line : GetParam().expected) {
        for (size_t nAt = line.find("{}"); nAt != std::string::npos; nAt = line.find("{}")) {
            line.replace(nAt, 2, collection.Folder());
        }
        expected.push_back(collection.Folder() + line);
    }
    const std::string summaryPrefix = collection.PathOf("summary.INI") + ":";
    const auto isAboutSummary = [&](const std::string& line) {
        return line.rfind(summaryPrefix, 0) == 0;
    };
    const bool bSummaryCase = isAboutSummary(expected.front());
    std::vector<std::string> relevant;
    std::copy_if(run.lines.begin(), run.lines.end(), std::back_inserter(relevant),
                 [&](const std::string& line) { return isAboutSummary(line) == bSummaryCase; });
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_EQ(relevant, expected);
    EXPECT_NE(run.strErr.find("problem(s) found"), std::string::npos) << run.strErr;
}

INSTANTIATE_TEST_SUITE_P(
    Problems, CCheckCommandProblemTest,
    testing::Values(
        ProblemCase{"SummaryMissing",
                    [](const CCollection& c) { c.Remove("summary.INI"); },
                    {"/summary.INI: missing"}},
        ProblemCase{"UnknownGame",
                    [](const CCollection& c) {
                        c.WriteText("summary.INI",
                                    "[general]\ngame_type=4\nquantum_unit_x=1\nquantum_unit_y=1\n"
                                    "quantum_unit_z=1\n");
                    },
                    {"/summary.INI: [general] game_type is \"4\"; expected 1 (Quake), 2 "
                     "(Quake II) or 3 (Hexen II)"}},
        ProblemCase{"QuantumUnitZeroOrMissing",
                    [](const CCollection& c) {
                        c.WriteText("summary.INI",
                                    "[general]\ngame_type=3\nquantum_unit_x=256\n"
                                    "quantum_unit_y=-8\n");
                    },
                    {"/summary.INI: [general] quantum_unit_y is \"-8\"; expected a positive size",
                     "/summary.INI: [general] quantum_unit_z is missing; expected a positive "
                     "size"}},
        ProblemCase{"TruncatedDefinition",
                    [](const CCollection& c) {
                        c.WriteText("room1.KVL",
                                    TestFiles::ReadAll(c.PathOf("room1.KVL")).substr(0, 50));
                    },
                    {"/room1.KVL: offset 42: the map name length 10 runs past the end of the "
                     "file: only 4 bytes follow"}},
        ProblemCase{"ReservedWordSet",
                    [](const CCollection& c) { c.Patch("room1.KVL", 90, 3); },
                    {"/room1.KVL: offset 90: sub cell record 0: reserved word 2 is 3 instead of "
                     "0"}},
        ProblemCase{"MapFileMissing",
                    [](const CCollection& c) { c.Remove("room1.map"); },
                    {"/room1.KVL: the map file \"room1.map\" is not in the folder"}},
        ProblemCase{"MapFileInASubfolder",
                    [](const CCollection& c) {
                        c.WriteDefinition("hall.kvl", 2, "maps/HALL.map", 1, 1, 1, {Cell(0, 0, 0)});
                    },
                    {"/hall.kvl: the map file \"maps/HALL.map\" is not in the folder"}},
        ProblemCase{"NoMapFileNamed",
                    [](const CCollection& c) {
                        c.WriteDefinition("hall.kvl", 2, "", 1, 1, 1, {Cell(0, 0, 0)});
                    },
                    {"/hall.kvl: names no map file"}},
        ProblemCase{"IdentifierTwice",
                    [](const CCollection& c) {
                        c.WriteDefinition("hall.kvl", 1, "hall.map", 1, 1, 1, {Cell(0, 0, 0)});
                    },
                    {": identifier 1 is used by 2 definitions: {}/hall.kvl, {}/room1.KVL"}},
        ProblemCase{"RecordOutside",
                    [](const CCollection& c) {
                        c.WriteDefinition("room1.KVL", 1, "room1.map", 2, 1, 1,
                                          {Cell(1, 0, 0), Cell(0, 0, 0), Cell(0, -1, 0)});
                    },
                    {"/room1.KVL: sub cell record 2 at (0, -1, 0) lies outside the dimensions "
                     "2 x 1 x 1"}},
        ProblemCase{"SubCellNotCovered",
                    [](const CCollection& c) {
                        c.WriteDefinition("room1.KVL", 1, "room1.map", 2, 1, 1, {Cell(1, 0, 0)});
                    },
                    {"/room1.KVL: sub cell (0, 0, 0) has no record"}},
        ProblemCase{"SubCellTwice",
                    [](const CCollection& c) {
                        c.WriteDefinition("room1.KVL", 1, "room1.map", 2, 1, 1,
                                          {Cell(1, 0, 0), Cell(0, 0, 0), Cell(1, 0, 0)});
                    },
                    {"/room1.KVL: sub cell (1, 0, 0) has 2 records: 0, 2"}},
        ProblemCase{"EmptyBlock",
                    [](const CCollection& c) {
                        c.WriteDefinition("room1.KVL", 1, "room1.map", 2, 0, 1, {});
                    },
                    {"/room1.KVL: the Y dimension is 0; a prefab is at least one sub cell along "
                     "each axis"}},
        ProblemCase{"BlockBeyondTheLimit",
                    [](const CCollection& c) {
                        c.WriteDefinition("room1.KVL", 1, "room1.map", 1025, 1024, 1,
                                          {Cell(0, 0, 0)});
                    },
                    {"/room1.KVL: the dimensions 1025 x 1024 x 1 exceed the limit of 1048576 "
                     "sub cells"}},
        ProblemCase{"NoDefinitions",
                    [](const CCollection& c) {
                        c.Remove("room1.KVL");
                        c.Remove("hall.kvl");
                    },
                    {": holds no .KVL definitions"}}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.pszName; });

TEST(CCheckCommandTest, ManySubCellsWithoutARecordAreCountedAfterTheFirstTen) {
    const CCollection collection;
    collection.WriteDefinition("room1.KVL", 1, "room1.map", 4, 4, 1, {Cell(0, 0, 0)});

    const CheckRun run = Check(collection);
    std::vector<std::string> lines;
    std::copy_if(run.lines.begin(), run.lines.end(), std::back_inserter(lines),
                 [&](const std::string& line) {
                     return line.rfind(collection.PathOf("room1.KVL"), 0) == 0;
                 });

    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], collection.PathOf("room1.KVL") + ": sub cell (0, 1, 0) has no record");
    EXPECT_EQ(lines[9], collection.PathOf("room1.KVL") + ": sub cell (2, 2, 0) has no record");
    EXPECT_EQ(lines[10], collection.PathOf("room1.KVL") +
                             ": and 5 more sub cells of 4 x 4 x 1 have no record");
}

TEST(CCheckCommandTest, ExitStatusThroughTheProgram) {
    const CCollection collection;
    QTemporaryDir empty;

    EXPECT_EQ(RunKvlTool({"check", QString::fromStdString(collection.Folder())}).nExitCode, 0);
    collection.Remove("room1.map");
    EXPECT_EQ(RunKvlTool({"check", QString::fromStdString(collection.Folder())}).nExitCode, 1);
    const ToolRun missing = RunKvlTool({"check", empty.filePath("gone")});
    EXPECT_EQ(missing.nExitCode, 2);
    EXPECT_NE(missing.strErr.find("gone: no folder"), std::string::npos) << missing.strErr;
}

}  // namespace
