#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <nlohmann/json.hpp>

#include "KvlToolTest.h"
#include "definition/CKvlWriter.h"
#include "tools/CExitLetters.h"

namespace {

using Json = nlohmann::json;
using testing::HasSubstr;

QStringList Args(const char* pszCommandLine) {
    return QString(pszCommandLine).split(' ', Qt::SkipEmptyParts);
}

// With a dimension of 0 nothing is completed, so the records are exactly those given.
TEST_F(KvlToolTest, MakeThenDumpJsonGivesBackEveryField) {
    const ToolRun make = Run({"make", "castle hall.map", "--dims=0x3x4", "--exit=0,2,3:NE",
                              "--exit=0,1,2:sw", "--id=4000000000"});
    ASSERT_EQ(make.nExitCode, 0) << make.strErr;
    const ToolRun dump = Run({"dump", "--json", "castle hall.KVL"});

    EXPECT_EQ(Json::parse(dump.strOut), Json::parse(R"j({"file": "castle hall.KVL",
        "header_length": 34, "signature": "KESTRAVEN SOFTWARE     .KVL (1.0)", "id": 4000000000,
        "map_file": "castle hall.map", "dimensions": {"x": 0, "y": 3, "z": 4},
        "sub_cell_count": 2, "warnings": [], "sub_cells": [
        {"x": 0, "y": 2, "z": 3, "exits": 5, "north": true, "south": false, "east": true,
         "west": false, "reserved1": 0, "reserved2": 0},
        {"x": 0, "y": 1, "z": 2, "exits": 10, "north": false, "south": true, "east": false,
         "west": true, "reserved1": 0, "reserved2": 0}]})j"));
}

// The editor's way: the records added in the order given, completion, its writer.
TEST_F(KvlToolTest, MakeWritesTheEditorsBytes) {
    const struct {
        const char* pszMap;
        int32_t x, y, z;
        uint32_t nId;
        std::vector<SubCell> cells;
    } cases[] = {
        {"room1.map", 2, 1, 1, 7, {Cell(1, 0, 0, EXIT_NORTH | EXIT_EAST)}},
        {"twice.map", 2, 2, 2, UINT32_MAX, {Cell(1, 1, 0, EXIT_WEST), Cell(1, 1, 0, EXIT_ALL)}},
        {"", 1, 1, 9, 0, {Cell(0, 0, 8, EXIT_SOUTH), Cell(0, 0, 0)}},
        {"neg.map", -2, 3, 0, 99, {Cell(0, 2, 0, EXIT_EAST)}},
    };
    for (const auto& input : cases) {
        CKvlDefinition definition{input.nId, input.pszMap, input.x, input.y, input.z, {}};
        QStringList args = Args("make -o tool.KVL --force")
                           << input.pszMap
                           << QString::asprintf("--dims=%dx%dx%d", input.x, input.y, input.z)
                           << QString::asprintf("--id=%u", input.nId);
        for (const SubCell& cell : input.cells) {
            definition.AddSubCell(cell);
            args << QString::asprintf("--exit=%d,%d,%d:%s", cell.nX, cell.nY, cell.nZ,
                                      CExitLetters::Format(cell.GetExits()).c_str());
        }
        definition.CompleteSubCells();
        const ToolRun make = Run(args);
        ASSERT_EQ(make.nExitCode, 0) << make.strErr;
        EXPECT_EQ(Read("tool.KVL"), Kvl(definition)) << input.pszMap;
    }
}

TEST_F(KvlToolTest, MakeReplacesAnExistingFileOnlyWithForce) {
    Put("room1.KVL", "precious");
    const QStringList args = Args("make room1.map --dims=1x1x1 --exit=0,0,0:N --id=3");

    const ToolRun refused = Run(args);
    EXPECT_EQ(refused.nExitCode, 2);
    EXPECT_THAT(refused.strErr, HasSubstr("room1.KVL: exists already; give --force"));
    EXPECT_EQ(Read("room1.KVL"), "precious");

    EXPECT_EQ(Run(args + QStringList{"--force"}).nExitCode, 0);
    EXPECT_EQ(Read("room1.KVL"), Kvl({3, "room1.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH)}}));
    EXPECT_EQ(Files(), std::vector<std::string>{"room1.KVL"});
}

TEST_F(KvlToolTest, MakeNamesTheOutputAfterTheMapFilesBaseName) {
    for (const char* pszMap : {"maps/S2/hall.map", "C:\\Prefabs\\hall.tar.map"}) {
        EXPECT_EQ(Run({"make", pszMap, "--dims=1x1x1", "--exit=0,0,0:-", "--id=1"}).nExitCode, 0);
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"hall.KVL", "hall.tar.KVL"}));
}

// Each is refused with exit status 2 and a message, and leaves nothing behind.
TEST_F(KvlToolTest, BadCommandLinesAndOutputsAreRefused) {
    Put("plain", "x");
    const struct {
        const char* pszArgs;
        const char* pszSays;
    } cases[] = {
        {"", "name a subcommand"},
        {"frobnicate", "frobnicate"},
        {"make a.map --exit=0,0,0:N", "--dims"},
        {"make a.map --dims=2x2 --exit=0,0,0:N", "XxYxZ"},
        {"make a.map --dims=2147483648x1x1 --exit=0,0,0:N", "XxYxZ"},
        {"make a.map --dims=2000x2000x1 --exit=0,0,0:N", "limit of 1048576"},
        {"make a.map --dims=1x1x1", "no exits"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:NN", "X,Y,Z:EXITS"},
        {"make a.map --dims=1x1x1 --exit=0,0:N", "X,Y,Z:EXITS"},
        {"make a.map --dims=2x1x1 --exit=2,0,0:N", "outside the dimensions"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=0x10", "identifier"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1 --profile=p.INI", "excludes"},
        {"make .map --dims=1x1x1 --exit=0,0,0:N --id=1", "name it with -o"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1 -o gone/a.KVL", "gone/a.KVL: could not"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1 -o plain/a.KVL", "plain/a.KVL: could not"},
        {"dump", "FILE"},
        {"dump --json --grid x.KVL", "excludes"},
        {"dump gone.KVL", "gone.KVL: no such file"},
        {"check", "FOLDER"},
        {"check gone", "gone: no folder"},
    };
    for (const auto& testCase : cases) {
        const ToolRun run = Run(Args(testCase.pszArgs));
        EXPECT_EQ(run.nExitCode, 2) << testCase.pszArgs;
        EXPECT_THAT(run.strErr, HasSubstr(testCase.pszSays)) << testCase.pszArgs;
        EXPECT_EQ(Files(), std::vector<std::string>{"plain"}) << testCase.pszArgs;
    }
}

TEST_F(KvlToolTest, HelpIsThereForTheToolAndEachSubcommand) {
    for (const char* pszArgs : {"--help", "make --help", "dump --help", "check -h"}) {
        const ToolRun run = Run(Args(pszArgs));
        EXPECT_EQ(run.nExitCode, 0) << pszArgs;
        EXPECT_THAT(run.strOut, HasSubstr("Usage: kvltool")) << pszArgs;
    }
}

// A copy of kvltool in a folder of its own takes identifiers from the Gridforge.INI beside it, as
// the editor does, unless told otherwise.
TEST_F(KvlToolTest, MakeTakesIdentifiersFromTheProfileBesideIt) {
    ASSERT_TRUE(QDir(m_Folder.path()).mkdir("bin"));
    const QString program = m_Folder.filePath("bin/kvltool");
    ASSERT_TRUE(QFile::copy(KVLTOOL_PATH, program));
    Put("bin/Gridforge.INI", "[ID]\r\nNEXT_ID=5\r\n");
    Put("other.INI", "[globals]\ngame_type=1\n[ID]\nNEXT_ID=41\n");
    Put("plain", "x");
    const struct {
        const char* pszOptions;
        int nExitCode;
        uint32_t nId;
        const char* pszSays;
    } steps[] = {
        {"", 0, 5, ""},
        {"", 0, 6, ""},
        {"--profile=other.INI", 0, 41, ""},
        {"--id=77", 0, 77, ""},
        // As in the editor, the identifier is handed out even when the counter cannot be
        // advanced; the user is told, here on the error stream and in the exit status.
        {"--profile=plain/p.INI", 1, 1, "kvltool: "},
    };
    for (const auto& step : steps) {
        const ToolRun make =
            Run(Args("make a.map --dims=1x1x1 --exit=0,0,0:N --force") + Args(step.pszOptions),
                program);
        EXPECT_EQ(make.nExitCode, step.nExitCode) << step.pszOptions << make.strErr;
        EXPECT_THAT(make.strErr, HasSubstr(step.pszSays));
        EXPECT_EQ(Json::parse(Run({"dump", "--json", "a.KVL"}).strOut)["id"], step.nId);
    }
    EXPECT_EQ(Read("bin/Gridforge.INI"), "[ID]\r\nNEXT_ID=7\r\n");
    EXPECT_EQ(Read("other.INI"), "[globals]\ngame_type=1\n[ID]\nNEXT_ID=42\n");
}

class KvlToolDumpTest : public KvlToolTest {
protected:
    void SetUp() override {
        const std::string good = Kvl({9, "good.map", 2, 1, 1, {Cell(1, 0, 0, 5), Cell(0, 0, 0)}});
        Put("good.KVL", good);
        Put("cut.KVL", good.substr(0, 75));
        Put("odd.KVL", good.substr(0, 85) + '\x01' + good.substr(86));  // reserved word 1
    }
};

TEST_F(KvlToolDumpTest, TextListsEveryFieldAndEveryRecord) {
    const ToolRun run = Run({"dump", "odd.KVL"});

    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_EQ(run.strErr,
              "odd.KVL: offset 85: sub cell record 0: reserved word 1 is 1 instead of 0\n");
    EXPECT_EQ(run.strOut,
              "odd.KVL\n"
              "  header length  34\n"
              "  signature      \"KESTRAVEN SOFTWARE     .KVL (1.0)\"\n"
              "  identifier     9\n"
              "  map file       \"good.map\"\n"
              "  dimensions     2 x 1 x 1\n"
              "  sub cells      2\n"
              "    record  x  y  z  exits  reserved\n"
              "    0       1  0  0  NE     1 0\n"
              "    1       0  0  0  -      0 0\n");
}

// The exit status is the worst of all files.
TEST_F(KvlToolDumpTest, JsonGivesOneObjectPerLineEvenForBadFiles) {
    const ToolRun run = Run({"dump", "--json", "cut.KVL", "odd.KVL", "good.KVL"});
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_THAT(run.strErr, HasSubstr("cut.KVL: offset 67: the sub cell count 2 needs 44 bytes"));
    std::istringstream lines(run.strOut);
    std::vector<Json> objects;
    for (std::string line; std::getline(lines, line);) {
        objects.push_back(Json::parse(line));
    }
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2]["id"], 9);
    EXPECT_EQ(objects[0]["error"], Json::parse(R"({"offset": 67, "kind": "corrupt",
        "message": "the sub cell count 2 needs 44 bytes of records, but only 4 follow"})"));
    EXPECT_EQ(objects[1]["warnings"][0]["offset"], 85);
    EXPECT_EQ(objects[1]["sub_cells"][0]["reserved1"], 1);
}

// Names come from files: the text escapes what could drive a terminal, JSON stays valid.
TEST_F(KvlToolDumpTest, MapNamesAreShownSafely) {
    Put("name.KVL", Kvl({1, "bad\xFF\x1B[2J\".map", 1, 1, 1, {Cell(0, 0, 0)}}));

    EXPECT_THAT(Run({"dump", "name.KVL"}).strOut, HasSubstr("\"bad\xFF\\x1B[2J\\\".map\"\n"));
    EXPECT_EQ(Json::parse(Run({"dump", "--json", "name.KVL"}).strOut)["map_file"],
              "bad\xEF\xBF\xBD\x1B[2J\".map");
}

TEST_F(KvlToolDumpTest, GridDrawsEachLayer) {
    // North and West; South and East, then North again; none; all four, outside.
    const std::vector<SubCell> cells = {Cell(0, 1, 0, 9), Cell(1, 0, 0, 6), Cell(1, 0, 0, 1),
                                        Cell(0, 0, 0), Cell(9, 0, 0, 15)};
    Put("grid.KVL", Kvl({3, "r.map", 2, 2, 1, cells}));
    Put("huge.KVL", Kvl({3, "r.map", 40, INT32_MAX, INT32_MAX, {}}));

    EXPECT_EQ(Run({"dump", "--grid", "grid.KVL"}).strOut,
              "grid.KVL: identifier 3, map file \"r.map\", 2 x 2 x 1\n"
              "z=0  (north up, east right)\n"
              "       x=0     x=1\n"
              "     +--N--+ +-----+\n"
              "y=1  W     | |  ?  |\n"
              "     +-----+ +-----+\n"
              "     +-----+ +--N--+\n"
              "y=0  |     | | x2  E\n"
              "     +-----+ +--S--+\n"
              "N S E W: exits   ?: no record   xN: N records, their exits together\n"
              "1 record(s) outside the dimensions, not drawn\n");
    EXPECT_THAT(Run({"dump", "--grid", "huge.KVL"}).strOut, HasSubstr("is too large to draw"));
}

}  // namespace
