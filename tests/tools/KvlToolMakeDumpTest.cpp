#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "ToolProcess.h"
#include "definition/CKvlWriter.h"

namespace {

using Json = nlohmann::json;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class KvlToolTest : public testing::Test {
protected:
    QString Folder() const { return m_Folder.path(); }
    std::string PathOf(const std::string& name) const {
        return m_Folder.filePath(QString::fromStdString(name)).toStdString();
    }
    ToolRun Run(const QStringList& args) const { return RunKvlTool(args, Folder()); }

    QTemporaryDir m_Folder;
};

TEST_F(KvlToolTest, MakeThenDumpJsonGivesBackEveryField) {
    const ToolRun make = Run({"make", "castle hall.map", "--dims", "2x2x1", "--exit", "1,0,0:NE",
                              "--exit", "0,1,0:sw", "--exit", "1,0,0:-", "--id", "4000000000"});
    ASSERT_EQ(make.nExitCode, 0) << make.strErr;

    const ToolRun dump = Run({"dump", "--json", "castle hall.KVL"});
    ASSERT_EQ(dump.nExitCode, 0) << dump.strErr;
    const Json object = Json::parse(dump.strOut);
    EXPECT_EQ(object["file"], "castle hall.KVL");
    EXPECT_EQ(object["header_length"], 34);
    EXPECT_EQ(object["signature"], CKvlWriter::kHeaderText);
    EXPECT_EQ(object["id"], 4000000000u);
    EXPECT_EQ(object["map_file"], "castle hall.map");
    EXPECT_EQ(object["dimensions"], Json::parse(R"({"x":2,"y":2,"z":1})"));
    EXPECT_EQ(object["sub_cell_count"], 5);
    EXPECT_EQ(object["warnings"], Json::array());

    // The given records in order, then completion in x, then y, then z order.
    const auto cell = [](int x, int y, bool bNorth, bool bSouth, bool bEast, bool bWest) {
        return Json{{"x", x},          {"y", y},
                    {"z", 0},          {"exits", bNorth + 2 * bSouth + 4 * bEast + 8 * bWest},
                    {"north", bNorth}, {"south", bSouth},
                    {"east", bEast},   {"west", bWest},
                    {"reserved1", 0},  {"reserved2", 0}};
    };
    EXPECT_EQ(
        object["sub_cells"],
        Json::array({cell(1, 0, true, false, true, false), cell(0, 1, false, true, false, true),
                     cell(1, 0, false, false, false, false), cell(0, 0, false, false, false, false),
                     cell(1, 1, false, false, false, false)}));
}

struct EditorCase {
    const char* pszName;
    std::string mapFile;
    int32_t nDimX, nDimY, nDimZ;
    std::vector<SubCell> exits;
    uint32_t nId;

    friend void PrintTo(const EditorCase& testCase, std::ostream* pOut) {
        *pOut << testCase.pszName;
    }
};

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t nExits) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(nExits);
    return cell;
}

QString ExitArgument(const SubCell& cell) {
    QString letters;
    letters += cell.bNorth ? "N" : "";
    letters += cell.bSouth ? "S" : "";
    letters += cell.bEast ? "E" : "";
    letters += cell.bWest ? "W" : "";
    return QStringLiteral("--exit=%1,%2,%3:%4")
        .arg(cell.nX)
        .arg(cell.nY)
        .arg(cell.nZ)
        .arg(letters.isEmpty() ? QStringLiteral("-") : letters);
}

class KvlToolEditorTest : public KvlToolTest, public testing::WithParamInterface<EditorCase> {};

// What the editor does with the same input: the records added in order, completion, the writer.
TEST_P(KvlToolEditorTest, MakeWritesTheEditorsBytes) {
    const EditorCase& input = GetParam();
    CKvlDefinition definition;
    definition.m_nId = input.nId;
    definition.m_strMapFile = input.mapFile;
    definition.m_nDimX = input.nDimX;
    definition.m_nDimY = input.nDimY;
    definition.m_nDimZ = input.nDimZ;
    for (const SubCell& cell : input.exits) {
        definition.AddSubCell(cell);
    }
    definition.CompleteSubCells();
    ASSERT_TRUE(CKvlWriter().Write(PathOf("editor.KVL"), definition));

    QStringList args = {
        "make",
        QString::fromStdString(input.mapFile),
        QStringLiteral("--dims=%1x%2x%3").arg(input.nDimX).arg(input.nDimY).arg(input.nDimZ),
        "--id",
        QString::number(input.nId),
        "-o",
        "tool.KVL"};
    for (const SubCell& cell : input.exits) {
        args << ExitArgument(cell);
    }
    const ToolRun make = Run(args);

    ASSERT_EQ(make.nExitCode, 0) << make.strErr;
    EXPECT_EQ(TestFiles::ReadAll(PathOf("tool.KVL")), TestFiles::ReadAll(PathOf("editor.KVL")));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, KvlToolEditorTest,
    testing::Values(
        EditorCase{
            "OneExitOfTwo", "room1.map", 2, 1, 1, {Cell(1, 0, 0, EXIT_NORTH | EXIT_EAST)}, 7},
        EditorCase{"SameSubCellTwice",
                   "twice.map",
                   2,
                   2,
                   2,
                   {Cell(1, 1, 0, EXIT_WEST), Cell(1, 1, 0, EXIT_ALL), Cell(0, 0, 1, 0)},
                   12},
        EditorCase{"NoBlock", "flat.map", 0, 0, 0, {Cell(0, 0, 0, EXIT_SOUTH)}, 1},
        EditorCase{"NegativeDimension", "neg.map", -2, 3, 1, {Cell(0, 2, 0, EXIT_EAST)}, 99},
        EditorCase{"EmptyMapName", "", 1, 1, 1, {Cell(0, 0, 0, 0)}, 0},
        EditorCase{"Tall", "tower.map", 1, 1, 9, {Cell(0, 0, 8, EXIT_NORTH)}, UINT32_MAX}),
    [](const testing::TestParamInfo<EditorCase>& info) { return info.param.pszName; });

TEST_F(KvlToolTest, MakeReplacesAnExistingFileOnlyWithForce) {
    TestFiles::WriteAll(PathOf("room1.KVL"), "precious");
    const QStringList args = {"make",   "room1.map", "--dims", "1x1x1",
                              "--exit", "0,0,0:N",   "--id",   "3"};

    const ToolRun refused = Run(args);
    EXPECT_EQ(refused.nExitCode, 2);
    EXPECT_TRUE(Contains(refused.strErr, "room1.KVL")) << refused.strErr;
    EXPECT_TRUE(Contains(refused.strErr, "--force")) << refused.strErr;
    EXPECT_EQ(TestFiles::ReadAll(PathOf("room1.KVL")), "precious");

    const ToolRun forced = Run(QStringList(args) << "--force");
    EXPECT_EQ(forced.nExitCode, 0) << forced.strErr;
    EXPECT_EQ(TestFiles::ReadAll(PathOf("room1.KVL")).size(), 62u + 10 + 22);
    EXPECT_EQ(TestFiles::ListFolder(Folder().toStdString()), std::vector<std::string>{"room1.KVL"});
}

TEST_F(KvlToolTest, MakeNamesTheOutputAfterTheMapFilesBaseName) {
    const struct {
        const char* pszMap;
        const char* pszOutput;
    } cases[] = {
        {"room1.map", "room1.KVL"},
        {"maps/S2/hall.map", "hall.KVL"},
        {"C:\\Prefabs\\archive.tar.map", "archive.tar.KVL"},
        {"README", "README.KVL"},
    };
    for (const auto& testCase : cases) {
        QTemporaryDir folder;
        const ToolRun make = RunKvlTool(
            {"make", testCase.pszMap, "--dims", "1x1x1", "--exit", "0,0,0:-", "--id", "1"},
            folder.path());
        EXPECT_EQ(make.nExitCode, 0) << testCase.pszMap << ": " << make.strErr;
        EXPECT_EQ(TestFiles::ListFolder(folder.path().toStdString()),
                  std::vector<std::string>{testCase.pszOutput})
            << testCase.pszMap;
    }
}

// Each of these is refused with exit status 2 and a message, and writes nothing.
TEST_F(KvlToolTest, BadCommandLinesAreUsageErrors) {
    const struct {
        QStringList args;
        const char* pszMessagePart;
    } cases[] = {
        {{}, "name a subcommand"},
        {{"frobnicate"}, "frobnicate"},
        {{"make", "a.map", "--exit", "0,0,0:N"}, "--dims"},
        {{"make", "a.map", "--dims", "2x2", "--exit", "0,0,0:N"}, "XxYxZ"},
        {{"make", "a.map", "--dims", "2000x2000x1", "--exit", "0,0,0:N"}, "1048576"},
        {{"make", "a.map", "--dims", "1x1x1"}, "no exits"},
        {{"make", "a.map", "--dims", "1x1x1", "--exit", "0,0,0:Q"}, "X,Y,Z:EXITS"},
        {{"make", "a.map", "--dims", "2x1x1", "--exit", "2,0,0:N"}, "outside the dimensions"},
        {{"make", "a.map", "--dims", "1x1x1", "--exit", "0,0,0:N", "--id", "-1"}, "identifier"},
        {{"make", "a.map", "--dims", "1x1x1", "--exit", "0,0,0:N", "--id", "1", "--profile",
          "p.INI"},
         "excludes"},
        {{"make", ".map", "--dims", "1x1x1", "--exit", "0,0,0:N", "--id", "1"}, "-o"},
        {{"dump"}, "FILE"},
        {{"dump", "--json", "--grid", "x.KVL"}, "excludes"},
        {{"check"}, "FOLDER"},
    };
    for (const auto& testCase : cases) {
        const QString commandLine = testCase.args.join(' ');
        const ToolRun run = Run(testCase.args);
        EXPECT_EQ(run.nExitCode, 2) << commandLine.toStdString();
        EXPECT_TRUE(Contains(run.strErr, testCase.pszMessagePart))
            << commandLine.toStdString() << ": " << run.strErr;
        EXPECT_TRUE(TestFiles::ListFolder(Folder().toStdString()).empty())
            << commandLine.toStdString();
    }
}

TEST_F(KvlToolTest, HelpIsThereForTheToolAndEachSubcommand) {
    const QStringList commandLines[] = {
        {"--help"}, {"make", "--help"}, {"dump", "--help"}, {"check", "-h"}};
    for (const QStringList& args : commandLines) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.nExitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(Contains(run.strOut, "Usage: kvltool")) << run.strOut;
    }
}

TEST_F(KvlToolTest, MakeThatCannotWriteSaysSoAndLeavesNothing) {
    TestFiles::WriteAll(PathOf("plain"), "x");
    for (const char* pszOutput : {"missing/room.KVL", "plain/room.KVL"}) {
        const ToolRun make = Run({"make", "room.map", "--dims", "1x1x1", "--exit", "0,0,0:N",
                                  "--id", "1", "-o", pszOutput});
        EXPECT_EQ(make.nExitCode, 2) << pszOutput;
        EXPECT_TRUE(Contains(make.strErr, pszOutput)) << make.strErr;
        EXPECT_EQ(TestFiles::ListFolder(Folder().toStdString()), std::vector<std::string>{"plain"});
    }
}

// A copy of kvltool in a folder of its own, with a Gridforge.INI beside it.
class KvlToolProfileTest : public KvlToolTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(Folder()).mkdir("bin"));
        m_strProgram = m_Folder.filePath("bin/kvltool");
        ASSERT_TRUE(QFile::copy(KvlToolPath(), m_strProgram));
        TestFiles::WriteAll(PathOf("bin/Gridforge.INI"), "[ID]\r\nNEXT_ID=5\r\n");
    }

    ToolRun MakeWithProfile(const QString& map, const QStringList& more = {}) const {
        return RunKvlTool(QStringList{"make", map, "--dims", "1x1x1", "--exit", "0,0,0:N"} + more,
                          Folder(), m_strProgram);
    }

    uint32_t IdentifierIn(const std::string& name) const {
        const ToolRun dump = RunKvlTool({"dump", "--json", QString::fromStdString(name)}, Folder());
        return Json::parse(dump.strOut).value("id", 0u);
    }

    QString m_strProgram;
};

TEST_F(KvlToolProfileTest, MakeTakesConsecutiveIdentifiersFromTheProfileBesideIt) {
    ASSERT_EQ(MakeWithProfile("a.map").nExitCode, 0);
    ASSERT_EQ(MakeWithProfile("b.map").nExitCode, 0);

    EXPECT_EQ(IdentifierIn("a.KVL"), 5u);
    EXPECT_EQ(IdentifierIn("b.KVL"), 6u);
    EXPECT_TRUE(Contains(TestFiles::ReadAll(PathOf("bin/Gridforge.INI")), "NEXT_ID=7"));
}

TEST_F(KvlToolProfileTest, ProfileOptionNamesAnotherCounter) {
    TestFiles::WriteAll(PathOf("other.INI"), "[globals]\ngame_type=1\n[ID]\nNEXT_ID=41\n");

    ASSERT_EQ(MakeWithProfile("a.map", {"--profile", "other.INI"}).nExitCode, 0);

    EXPECT_EQ(IdentifierIn("a.KVL"), 41u);
    EXPECT_EQ(TestFiles::ReadAll(PathOf("other.INI")),
              "[globals]\ngame_type=1\n[ID]\nNEXT_ID=42\n");
    EXPECT_EQ(TestFiles::ReadAll(PathOf("bin/Gridforge.INI")), "[ID]\r\nNEXT_ID=5\r\n");
}

TEST_F(KvlToolProfileTest, IdOptionLeavesTheCounterAlone) {
    ASSERT_EQ(MakeWithProfile("a.map", {"--id", "77"}).nExitCode, 0);

    EXPECT_EQ(IdentifierIn("a.KVL"), 77u);
    EXPECT_EQ(TestFiles::ReadAll(PathOf("bin/Gridforge.INI")), "[ID]\r\nNEXT_ID=5\r\n");
}

// The editor's rule: the identifier is handed out even when the counter cannot be advanced,
// and the user is told. kvltool says so on its error stream and in its exit status.
TEST_F(KvlToolProfileTest, CounterThatCannotBeAdvancedIsAProblemFound) {
    TestFiles::WriteAll(PathOf("plain"), "x");

    const ToolRun make = MakeWithProfile("a.map", {"--profile", "plain/p.INI"});

    EXPECT_EQ(make.nExitCode, 1);
    EXPECT_TRUE(Contains(make.strErr, "kvltool: ")) << make.strErr;
    EXPECT_TRUE(Contains(make.strErr, "p.INI")) << make.strErr;
    EXPECT_EQ(IdentifierIn("a.KVL"), 1u);
}

class KvlToolDumpTest : public KvlToolTest {
protected:
    void SetUp() override {
        ASSERT_EQ(Run({"make", "good.map", "--dims", "2x1x1", "--exit", "1,0,0:NE", "--id", "9"})
                      .nExitCode,
                  0);
        std::string bytes = TestFiles::ReadAll(PathOf("good.KVL"));
        TestFiles::WriteAll(PathOf("cut.KVL"), bytes.substr(0, 75));
        bytes[62 + 9 + 14] = 1;  // reserved word 1 of the first record
        TestFiles::WriteAll(PathOf("odd.KVL"), bytes);
    }
};

TEST_F(KvlToolDumpTest, ExitStatusTellsWhatWasFound) {
    const struct {
        QStringList files;
        int nExitCode;
        std::vector<const char*> errParts;
    } cases[] = {
        {{"good.KVL"}, 0, {}},
        {{"cut.KVL"}, 1, {"cut.KVL: offset 67: the sub cell count 2"}},
        {{"odd.KVL"}, 1, {"odd.KVL: offset 85: sub cell record 0: reserved word 1 is 1"}},
        {{"gone.KVL"}, 2, {"gone.KVL: no such file"}},
        {{"good.KVL", "cut.KVL", "gone.KVL"}, 2, {"cut.KVL: offset", "gone.KVL: no such"}},
    };
    for (const auto& testCase : cases) {
        for (const bool bJson : {false, true}) {
            QStringList args = {"dump"};
            args << testCase.files;
            if (bJson) {
                args << "--json";
            }
            const ToolRun run = Run(args);
            EXPECT_EQ(run.nExitCode, testCase.nExitCode) << args.join(' ').toStdString();
            for (const char* pszPart : testCase.errParts) {
                EXPECT_TRUE(Contains(run.strErr, pszPart)) << run.strErr;
            }
        }
    }
}

TEST_F(KvlToolDumpTest, TextListsEveryFieldAndEveryRecord) {
    const ToolRun run = Run({"dump", "odd.KVL"});

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

TEST_F(KvlToolDumpTest, JsonGivesOneObjectPerFileEvenForBadOnes) {
    const ToolRun run = Run({"dump", "--json", "good.KVL", "cut.KVL", "odd.KVL"});

    std::vector<Json> objects;
    size_t nStart = 0;
    for (size_t nEnd = run.strOut.find('\n'); nEnd != std::string::npos;
         nStart = nEnd + 1, nEnd = run.strOut.find('\n', nStart)) {
        objects.push_back(Json::parse(run.strOut.substr(nStart, nEnd - nStart)));
    }
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0]["id"], 9);
    EXPECT_EQ(objects[1]["error"], Json::parse(R"({"offset":67,"kind":"corrupt",
        "message":"the sub cell count 2 needs 44 bytes of records, but only 4 follow"})"));
    EXPECT_EQ(objects[2]["warnings"][0]["offset"], 85);
    EXPECT_EQ(objects[2]["sub_cells"][0]["reserved1"], 1);
}

TEST_F(KvlToolDumpTest, GridDrawsTheLayer) {
    const ToolRun run = Run({"dump", "--grid", "good.KVL"});

    EXPECT_EQ(run.nExitCode, 0);
    EXPECT_EQ(run.strOut,
              "good.KVL: identifier 9, map file \"good.map\", 2 x 1 x 1\n"
              "z=0  (north up, east right)\n"
              "       x=0     x=1\n"
              "     +-----+ +--N--+\n"
              "y=0  |     | |     E\n"
              "     +-----+ +-----+\n"
              "N S E W: exits   ?: no record   xN: N records, their exits together\n");
}

}  // namespace
