#include <filesystem>
#include <optional>
#include <tuple>

#include "KvlToolTest.h"

namespace {

class KvlToolCheckTest : public KvlToolTest {};

// Each case spoils one file of a collection that passes every check: hall.kvl and HALL.map
// differ in case from the names that name them, which the generator's platform allows. room1's
// map has a doorway west of (0,0,0) and north of (1,0,0); its definition adds one in the east.
TEST_F(KvlToolCheckTest, CheckReportsEachProblemOnALineOfItsOwn) {
    const std::string room1 =
        Kvl({1, "room1.map", 2, 1, 1, {Cell(1, 0, 0, EXIT_NORTH | EXIT_EAST), Cell(0, 0, 0)}});
    // The file, its new bytes (none: it is removed), the lines reported.
    const std::tuple<const char*, std::optional<std::string>, const char*> cases[] = {
        {"HALL.map", "{\n{\n( 0 0 0 ) ( 1 0 0 )\n}\n}\n",
         "./HALL.map:4:1: expected a face's \"(\", found \"}\"\n"},
        {"summary.INI", {}, "./summary.INI: missing\n"},
        {"summary.INI", "[general]\ngame_type=4\nquantum_unit_x=256\nquantum_unit_y=-8\n",
         "./summary.INI: [general] game_type is \"4\"; expected 1 (Quake), 2 (Quake II) or 3 "
         "(Hexen II)\n./summary.INI: [general] quantum_unit_y is \"-8\"; expected a positive "
         "size\n./summary.INI: [general] quantum_unit_z is missing; expected a positive size\n"},
        {"room1.KVL", room1.substr(0, 50),
         "./room1.KVL: offset 42: the map name length 10 runs past the end of the file: only 4 "
         "bytes follow\n"},
        {"room1.map", {}, "./room1.KVL: the map file \"room1.map\" is not in the folder\n"},
        {"hall.kvl", Kvl({2, "", 1, 1, 1, {Cell(0, 0, 0)}}), "./hall.kvl: names no map file\n"},
        {"hall.kvl", Kvl({1, "hall.map", 1, 1, 1, {Cell(0, 0, 0)}}),
         ".: identifier 1 is used by 2 definitions: ./hall.kvl, ./room1.KVL\n"},
        {"room1.KVL",
         Kvl({1, "room1.map", 2, 1, 1, {Cell(1, 0, 0), Cell(1, 0, 0), Cell(0, -1, 0)}}),
         "./room1.KVL: sub cell record 2 at (0, -1, 0) lies outside the dimensions 2 x 1 x 1\n"
         "./room1.KVL: sub cell (1, 0, 0) has 2 records: 0, 1\n"
         "./room1.KVL: sub cell (0, 0, 0) has no record\n"},
        {"room1.KVL", Kvl({1, "room1.map", 2, 0, 1, {}}),
         "./room1.KVL: the Y dimension is 0; a prefab is at least one sub cell along each axis\n"},
        {"room1.KVL", Kvl({1, "room1.map", 1025, 1024, 1, {Cell(0, 0, 0)}}),
         "./room1.KVL: the dimensions 1025 x 1024 x 1 exceed the limit of 1048576 sub cells\n"},
        {"room1.KVL", Kvl({1, "room1.map", 1, 1, 1, {Cell(0, 0, 0)}}),
         "./room1.KVL: the dimensions 1 x 1 x 1 differ from its map's 2 x 1 x 1\n"},
        {"room1.map", MapSamples::Room(), ""},  // as it was: no problem, and left so for --exits
    };
    for (const auto& [pszFile, bytes, pszLines] : cases) {
        Put("summary.INI", kSummary);
        Put("room1.map", MapSamples::Room());
        Put("HALL.map", kOneCellMap);
        Put("room1.KVL", room1);
        Put("hall.kvl", Kvl({2, "hall.map", 1, 1, 1, {Cell(0, 0, 0)}}));
        if (bytes) {
            Put(pszFile, *bytes);
        } else {
            ASSERT_TRUE(std::filesystem::remove(Path(pszFile)));
        }
        const ToolRun run = Run({"check", "."});
        EXPECT_EQ(run.strOut, Shown(pszLines));
        EXPECT_EQ(run.nExitCode, *pszLines ? 1 : 0) << run.strErr;
    }
    // Each side that differs from the map's, the others quiet.
    EXPECT_EQ(Run({"check", "--exits", "."}).strOut,
              Shown("./room1.KVL: sub cell (0, 0, 0) side W is no exit, but the map is open there\n"
                    "./room1.KVL: sub cell (1, 0, 0) side E is an exit, but the map is closed "
                    "there\n"));
    ASSERT_TRUE(std::filesystem::create_directory(Path("empty")));
    EXPECT_EQ(Run({"check", "empty"}).strOut,
              Shown("empty/summary.INI: missing\nempty: holds no .KVL definitions\n"));
}

}  // namespace
