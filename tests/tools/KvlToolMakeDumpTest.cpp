#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <nlohmann/json.hpp>
#include <tuple>

#include "KvlToolTest.h"

namespace {

class KvlToolMakeDumpTest : public KvlToolTest {};

using Json = nlohmann::json;
using testing::HasSubstr;

// The editor's way: the records added in the order given, completion, its writer. --from-map
// measures the rest: room.map has a doorway west of (0,0,0) and north of (1,0,0); what is given
// still wins. "-o -" writes the definition's bytes, and only those, on standard output.
TEST_F(KvlToolMakeDumpTest, MakeWritesTheEditorsBytes) {
    Put("col/room.map", MapSamples::Room());
    const std::pair<const char*, CKvlDefinition> cases[] = {
        {"twice.map --dims=2x2x2 --id=4294967295 --exit=1,1,0:W --exit=1,1,0:NSEW",
         {UINT32_MAX, "twice.map", 2, 2, 2, {Cell(1, 1, 0, EXIT_WEST), Cell(1, 1, 0, EXIT_ALL)}}},
        {"'' --dims=1x3x9 --id=0 --exit=0,0,8:S --exit=0,0,0:-",
         {0, "", 1, 3, 9, {Cell(0, 0, 8, EXIT_SOUTH), Cell(0, 0, 0)}}},
        {"col/room.map --from-map --id=5",
         {5, "room.map", 2, 1, 1, {Cell(0, 0, 0, EXIT_WEST), Cell(1, 0, 0, EXIT_NORTH)}}},
        {"col/room.map --from-map --dims=3x1x1 --exit=2,0,0:E --id=5",
         {5, "room.map", 3, 1, 1, {Cell(2, 0, 0, EXIT_EAST)}}},
    };
    for (auto [pszArgs, definition] : cases) {
        const ToolRun run = Run(Words(std::string("make -o tool.KVL --force ") + pszArgs));
        ASSERT_THAT(run, Succeeds()) << pszArgs;
        EXPECT_EQ(run.strErr, "") << pszArgs;
        definition.CompleteSubCells();
        EXPECT_EQ(Read("tool.KVL"), Kvl(definition)) << pszArgs;
    }

    Put("p.INI", "[ID]\nNEXT_ID=8\n");
    const ToolRun run = Run(Words("make a.map --dims=2x1x1 --exit=1,0,0:W --profile=p.INI -o -"));
    EXPECT_EQ(run.nExitCode, 0) << run.strErr;
    EXPECT_EQ(run.strOut, Kvl({8, "a.map", 2, 1, 1, {Cell(1, 0, 0, EXIT_WEST), Cell(0, 0, 0)}}));
    EXPECT_THAT(run.strErr, HasSubstr("standard output written: identifier 8"));
    EXPECT_EQ(Read("p.INI"), "[ID]\nNEXT_ID=9\n");

    const ToolRun unreserved = Run(Words(kMake + "-o - --profile=gone/p.INI"));
    EXPECT_THAT(unreserved,
                Exits(2, "no definition was written, since identifier 1 is not reserved"));
    EXPECT_EQ(unreserved.strOut, "");
    EXPECT_EQ(Files(), (std::vector<std::string>{"col", "p.INI", "p.INI.lock", "tool.KVL"}));
}

// Of makers racing for one name without --force exactly one writes it; the others are told
// it exists and leave the winner's file as it was; --force replaces it. The output is named
// after the map file's base name, beside the map, which it names without folders. A pipe in the
// way is never replaced, not even with --force.
TEST_F(KvlToolMakeDumpTest, MakeReplacesAnExistingFileOnlyWithForceAndNeverAPipe) {
    ASSERT_TRUE(std::filesystem::create_directory(Path("Prefabs")));
    const std::string make = "make Prefabs/hall.tar.map --dims=1x1x1 --exit=0,0,0:N --id=";
    std::vector<std::unique_ptr<ProgramRun::CProgram>> makers;
    for (int nId = 1; nId <= 20; ++nId) {
        makers.push_back(Start(Words(make + std::to_string(nId))));
    }
    std::vector<uint32_t> winners;
    for (uint32_t nId = 1; nId <= makers.size(); ++nId) {
        const ToolRun run = makers[nId - 1]->Wait();
        if (run.nExitCode == 0) {
            winners.push_back(nId);
        }
        EXPECT_THAT(run, testing::AnyOf(Succeeds(),
                                        Exits(2, "hall.tar.KVL: exists already; give --force")));
    }
    EXPECT_EQ(winners, std::vector<uint32_t>{IdOf("Prefabs/hall.tar.KVL")});
    EXPECT_THAT(Run(Words(make + "21 --force")), Succeeds());
    EXPECT_EQ(Read("Prefabs/hall.tar.KVL"),
              Kvl({21, "hall.tar.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH)}}));
    EXPECT_EQ(TestFiles::ListFolder(Path("Prefabs")), std::vector<std::string>{"hall.tar.KVL"});
#ifndef _WIN32
    ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
    EXPECT_THAT(Run(Words(kMake + "--id=1 --force -o pipe")),
                Exits(2, "pipe: is not a regular file and is never replaced"));
    EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe")));
    EXPECT_EQ(Files(), (std::vector<std::string>{"Prefabs", "pipe"}));
#endif
}

// Help and the version go to standard output with status 0; anything else wrong is refused with
// status 2 and a message on the error stream. Nothing is left behind either way. Every output
// that cannot be written is found out before the counter moves: the identifier is still the next
// one to hand out. A folder is named as one, never as a file that --force would replace.
TEST_F(KvlToolMakeDumpTest, CommandLinesGetHelpOrAreRefused) {
    ASSERT_TRUE(std::filesystem::create_directory(Path("folder")));
    Put("plain", "x");
    Put("p.INI", "[ID]\nNEXT_ID=8\n");
    const std::string out = kMake + "--profile=p.INI -o ";
    const std::tuple<std::string, int, const char*> cases[] = {
        {"--help", 0, "Usage: kvltool"},
        {"--version", 0, "kvltool 1.0.0\n"},
        {"check -h", 0, "Usage: kvltool"},
        {"", 2, "name a subcommand"},
        {"frobnicate", 2, "frobnicate"},
        {"make a.map --exit=0,0,0:N", 2, "--dims"},
        {"make gone.map --from-map --id=1", 2, "gone.map: cannot be opened"},
        {"make a.map --dims=2147483648x1x1 --exit=0,0,0:N", 2, "XxYxZ"},
        {"make a.map --dims=2000x2000x1 --exit=0,0,0:N", 2, "limit of 1048576"},
        {"make a.map --dims=1x1x1", 2, "no exits"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:NN", 2, "X,Y,Z:EXITS"},
        {"make a.map --dims=2x1x1 --exit=2,0,0:N", 2, "outside the dimensions"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=0x10", 2, "identifier"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1 --profile=p.INI", 2, "excludes"},
        {"make .map --dims=1x1x1 --exit=0,0,0:N --id=1", 2, "name it with -o"},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1 -o ''", 2, "the output path is empty"},
        {"make a.map --dims=-5x1x1 --exit=0,0,0:N --id=1", 2, "not all at least 1"},
        {"make a.map --dims=0x0x0 --exit=0,0,0:N --id=1", 2, "not all at least 1"},
        {"dump", 2, "FILE"},
        {"dump gone.KVL", 2, "gone.KVL: no such file"},
        {"check gone", 2, "gone: no folder"},
        {"make " + std::string(300, 'a') + ".map --dims=1x1x1 --exit=0,0,0:N --id=1", 2,
         "longer than the 259 a path may have"},
        {"make " + std::string(253, 'a') + ".map --dims=1x1x1 --exit=0,0,0:N --id=1", 2,
         "longer than the 255 a file name may have"},
        // An empty name never stands for the current folder or the default profile.
        {"check ''", 2, "the folder name is empty"},
        {"paths --profile ''", 2, "the profile path is empty"},
        {out + "folder", 2, "folder: is a folder; no identifier was used"},
        {out + "plain/a.KVL", 2, "plain is no folder; no identifier was used"},
        {out + "gone/a.KVL", 2, "gone is no folder; no identifier was used"},
    };
    for (const auto& [args, nExitCode, pszSays] : cases) {
        EXPECT_THAT(Run(Words(args)), Exits(nExitCode, Shown(pszSays))) << args;
        EXPECT_EQ(Read("p.INI"), "[ID]\nNEXT_ID=8\n") << args;
        EXPECT_EQ(Files(), (std::vector<std::string>{"folder", "p.INI", "plain"})) << args;
    }
}

std::string Utf16LE(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    return bytes;
}

// A profile the Windows profile functions wrote with a byte-order mark, in UTF-8 or UTF-16LE,
// advances from its own counter and keeps its encoding; bytes that are no profile text are
// never rewritten, and no definition is made from them. The last identifier is handed out
// once (ProfileFileTest reads an earlier version's -1 as that one); the counter then refuses
// instead of starting again at identifiers long handed out.
TEST_F(KvlToolMakeDumpTest, ProfileAdvancesInItsEncodingToTheLastIdentifierOnly) {
    const std::string utf8 = "\xEF\xBB\xBF[globals]\r\ndescription=Ch\xC3\xA2teau\r\n[ID]\r\n";
    const std::u16string utf16 = u"[globals]\r\ndescription=Ch\u00E2teau \U0001F3F0\r\n";
    // The profile before, the identifier written (0: none, and the profile is left as it was),
    // the profile after or what is said.
    const std::tuple<std::string, uint32_t, std::string> cases[] = {
        {utf8 + "NEXT_ID=7\r\n", 7, utf8 + "NEXT_ID=8\r\n"},
        {Utf16LE(utf16 + u"[ID]\r\nNEXT_ID=7\r\n"), 7, Utf16LE(utf16 + u"[ID]\r\nNEXT_ID=8\r\n")},
        {Utf16LE(utf16), 1, Utf16LE(utf16 + u"[ID]\r\nNEXT_ID=2\r\n")},
        {std::string("[ID]\nNEXT_ID=7\n") + '\0' + "\n", 0, ""},
        {Utf16LE(u"[ID]\r\nNEXT_ID=7\r\n\xD800"), 0, ""},
        {Utf16LE(u"[ID]\r\nNEXT_ID=7\r\n") + "\n", 0, ""},
        {"[ID]\nNEXT_ID=4294967295\n", UINT32_MAX, "[ID]\nNEXT_ID=4294967296\n"},
        {"[ID]\nNEXT_ID=4294967296\n", 0, "No identifier is left!"},
    };
    for (const auto& [before, nId, after] : cases) {
        SCOPED_TRACE(testing::PrintToString(before));
        Put("p.INI", before);
        const ToolRun run = Run(Words(kMake + "--profile=p.INI"));
        EXPECT_EQ(Read("p.INI"), nId ? after : before);
        if (nId) {
            EXPECT_THAT(run, Succeeds());
            EXPECT_EQ(IdOf("a.KVL"), nId);
        } else {
            EXPECT_THAT(run, Exits(2, after));
            EXPECT_FALSE(TestFiles::Exists(Path("a.KVL")));
        }
        std::filesystem::remove(Path("a.KVL"));
    }
}

// Names come from files: the text escapes what could drive a terminal, JSON stays valid. With
// several files, one object per line even for bad ones, and the exit status is the worst of all.
// A file found bad at its last record shows nothing of the records before it. Every sub cell
// given to make, its records are exactly those given, in that order. The grid draws each layer,
// and refuses one too large to draw.
TEST_F(KvlToolMakeDumpTest, DumpShowsEveryFieldAndWhatIsWrong) {
    ASSERT_THAT(Run({"make", "castle hall.map", "--dims=1x2x1", "--exit=0,1,0:NE",
                     "--exit=0,0,0:sw", "--id=4000000000"}),
                Succeeds());
    const std::string good = Kvl({9, "a\xFF\x1B[2J\".map", 1, 1, 1, {Cell(0, 0, 0, 5)}});
    Put("good.KVL", good);
    Put("cut.KVL", good.substr(0, 75));
    Put("odd.KVL", good.substr(0, 88) + '\x01' + good.substr(89));  // reserved word 1
    std::string late = Kvl({9, "a.map", 2, 1, 1, {Cell(0, 0, 0, 5), Cell(1, 0, 0)}});
    late[90] = '\x10';  // an exit bit of no side in the second record
    Put("late.KVL", late);

    for (const char* pszMode : {"", "--grid"}) {
        EXPECT_EQ(Run(Words(std::string("dump ") + pszMode + " late.KVL")),
                  (ToolRun{1, "",
                           Shown("kvltool: late.KVL: offset 90: sub cell record 1 has exit bits "
                                 "0x0010 set that stand for no side\n")}))
            << pszMode;
    }

    EXPECT_EQ(Run({"dump", "odd.KVL"}),
              (ToolRun{1,
                       Shown("odd.KVL\n"
                             "  header length  34\n"
                             "  signature      \"KESTRAVEN SOFTWARE     .KVL (1.0)\"\n"
                             "  identifier     9\n"
                             "  map file       \"a\xFF\\x1B[2J\\\".map\"\n"
                             "  dimensions     1 x 1 x 1\n"
                             "  sub cells      1\n"
                             "    record  x  y  z  exits  reserved\n"
                             "    0       0  0  0  NE     1 0\n"),
                       Shown("kvltool: odd.KVL: offset 88: sub cell record 0: reserved word 1 is 1 "
                             "instead of 0\n")}));

    const ToolRun json =
        Run({"dump", "--json", "cut.KVL", "odd.KVL", "good.KVL", "late.KVL", "castle hall.KVL"});
    EXPECT_EQ(json.nExitCode, 1);
    std::vector<Json> object;
    std::istringstream out(json.strOut);
    for (std::string line; std::getline(out, line);) {
        object.push_back(Json::parse(line));
    }
    ASSERT_EQ(object.size(), 5);
    EXPECT_EQ(object[0]["error"], Json::parse(R"({"offset": 70, "kind": "corrupt",
        "message": "the sub cell count 1 needs 22 bytes of records, but only 1 follow"})"));
    EXPECT_EQ(object[1]["warnings"][0]["offset"], 88);
    EXPECT_EQ(object[1]["sub_cells"][0]["reserved1"], 1);
    EXPECT_EQ(object[2]["map_file"], "a\xEF\xBF\xBD\x1B[2J\".map");
    EXPECT_EQ(object[3], Json::parse(R"({"format": "kvltool-dump/1", "file": "late.KVL",
        "error": {"offset": 90, "kind": "corrupt", "message":
        "sub cell record 1 has exit bits 0x0010 set that stand for no side"}})"));
    EXPECT_EQ(object[4], Json::parse(R"j({"format": "kvltool-dump/1", "file": "castle hall.KVL",
        "header_length": 34, "signature": "KESTRAVEN SOFTWARE     .KVL (1.0)", "id": 4000000000,
        "map_file": "castle hall.map", "dimensions": {"x": 1, "y": 2, "z": 1},
        "sub_cell_count": 2, "warnings": [], "sub_cells": [
        {"x": 0, "y": 1, "z": 0, "exits": 5, "north": true, "south": false, "east": true,
         "west": false, "reserved1": 0, "reserved2": 0},
        {"x": 0, "y": 0, "z": 0, "exits": 10, "north": false, "south": true, "east": false,
         "west": true, "reserved1": 0, "reserved2": 0}]})j"));

    // North and West; South and East, then North again; none; all four, outside.
    const std::vector<SubCell> cells = {Cell(0, 1, 0, 9), Cell(1, 0, 0, 6), Cell(1, 0, 0, 1),
                                        Cell(0, 0, 0), Cell(9, 0, 0, 15)};
    Put("grid.KVL", Kvl({3, "r.map", 2, 2, 1, cells}));
    Put("huge.KVL", Kvl({3, "r.map", 40, INT32_MAX, INT32_MAX, {}}));

    EXPECT_EQ(Run({"dump", "--grid", "grid.KVL"}).strOut,
              Shown("grid.KVL: identifier 3, map file \"r.map\", 2 x 2 x 1\n"
                    "z=0  (north up, east right)\n"
                    "       x=0     x=1\n"
                    "     +--N--+ +-----+\n"
                    "y=1  W     | |  ?  |\n"
                    "     +-----+ +-----+\n"
                    "     +-----+ +--N--+\n"
                    "y=0  |     | | x2  E\n"
                    "     +-----+ +--S--+\n"
                    "N S E W: exits   ?: no record   xN: N records, their exits together\n"
                    "1 record(s) outside the dimensions, not drawn\n"));
    EXPECT_THAT(Run({"dump", "--grid", "huge.KVL"}).strOut, HasSubstr("is too large to draw"));
}

// Resource limits and the devices /dev/zero and /dev/full are POSIX's.
#ifndef _WIN32
// "-" reads standard input; a large definition is written as it is read, in little memory, and
// memory running out is a message, never an abort. An address space limit ends sanitized
// programs at their start, so those cases are left to the normal build. A definition larger than
// the file size limit is found out before the counter moves, and leaves nothing beside it.
// Output that cannot be written is an I/O error, never a success or a mere problem; a definition
// that never reached standard output used its identifier all the same.
TEST_F(KvlToolMakeDumpTest, StandardInputLargeFilesAndResourceLimitsEndInAMessage) {
    const std::string good = Kvl({9, "a.map", 1, 1, 1, {Cell(0, 0, 0, 5)}});
    Put("good.KVL", good);
    Put("p.INI", "[ID]\nNEXT_ID=8\n");
    ASSERT_EQ(Run(Words("make big.map --dims=1024x1024x1 --exit=0,0,0:N --id=2")).nExitCode, 0);
    // A map name said to be 400 MB long, in a sparse file that really is that long.
    Put("huge.KVL", good.substr(0, 42) + std::string("\x00\x84\xD7\x17", 4));
    std::filesystem::resize_file(Path("huge.KVL"), 400'000'050);
    const std::string as = "--as=314572800";  // an address space limit
    const ProgramRun::Options full{.strOutputFile = "/dev/full"};
    const char* const pszFull = "kvltool: writing to standard output failed";
    // Arguments, how it runs, the limit prlimit sets ("--": none), exit code, what it says.
    const std::tuple<std::string, ProgramRun::Options, std::string, int, const char*> cases[] = {
        {"dump --json -", ProgramRun::Options{.strInputFile = Path("good.KVL")}, "--", 0,
         "\"file\":\"standard input\""},
        {"dump -", ProgramRun::Options{.strInputFile = "/dev/zero"}, "--", 2,
         "standard input: holds more than 256 MiB"},
        {"dump --json big.KVL", ProgramRun::Options{.strOutputFile = "/dev/null"}, as, 0, ""},
        {"dump huge.KVL", {}, as, 2, "kvltool: out of memory"},
        {"make a.map --dims=20x10x10 --exit=0,0,0:N --profile=p.INI -o f", ProgramRun::Options{},
         "--fsize=4096", 2, "f: cannot be written: File too large; no identifier was used"},
        {"dump good.KVL", full, "--", 2, pszFull},
        {"dump --json good.KVL", full, "--", 2, pszFull},
        {"dump --grid good.KVL", full, "--", 2, pszFull},
        {"check .", full, "--", 2, pszFull},
        {"make a.map --dims=1x1x1 --exit=0,0,0:N --id=1", full, "--", 2, pszFull},
        // After the file size case: 8 here proves that case left the counter where it was.
        {kMake + "--profile=p.INI -o -", full, "--", 2, "identifier 8 is used up"},
    };
    for (const auto& [args, options, limit, nExitCode, pszSays] : cases) {
#if defined(__SANITIZE_ADDRESS__)
        if (limit == as) {
            continue;
        }
#endif
        const ToolRun run = Run(Args{limit, KVLTOOL_PATH} + Words(args), options, "prlimit");
        EXPECT_THAT(run, Exits(nExitCode, pszSays)) << args;
    }
    EXPECT_EQ(Read("p.INI"), "[ID]\nNEXT_ID=9\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.KVL", "big.KVL", "good.KVL", "huge.KVL",
                                                 "p.INI", "p.INI.lock"}));
}

#endif

}  // namespace
