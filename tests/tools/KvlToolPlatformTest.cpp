#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "KvlToolTest.h"
#include "platform/CFileLock.h"
#include "platform/NativePath.h"

namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using Names = std::vector<std::string>;

const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

// What the system and its file names make different: names beyond ASCII, the ways to spell
// a path, other processes holding files and locks.
using KvlToolPlatformTest = KvlToolTest;

// "’" and "â" are one byte each in the code page of the generator's Windows, and no UTF-8:
// a copy of kvltool in such a folder takes identifiers from the profile beside it, as the
// editor does, unless told otherwise, and keeps the profile's every other byte; the map's name
// is the same on disk, in the definition and to check. Unlike the editor, it writes nothing
// with an identifier that could not be reserved: a batch would fill a collection with
// duplicates.
TEST_F(KvlToolPlatformTest, NamesBeyondAsciiKeepEveryByte) {
    const std::string folder = m_Folder.Path() + kSeparator + "O\222Brien";
    const std::string exe = NativePath::ToBytes(fs::path(KVLTOOL_PATH).filename());
    ASSERT_TRUE(fs::create_directory(NativePath::From(folder)));
    const std::string program = folder + kSeparator + exe;
    ASSERT_TRUE(fs::copy_file(KVLTOOL_PATH, NativePath::From(program)));
    const std::string profile = "; O\222Brien's\r\n[ID]\r\nNEXT_ID=";
    TestFiles::WriteAll(folder + kSeparator + "Gridforge.INI", profile + "7\r\n");
    TestFiles::WriteAll(folder + kSeparator + "summary.INI", kSummary);
    TestFiles::WriteAll(folder + kSeparator + "Ch\xE2teau.map", kOneCellMap);
    const ProgramRun::Options inFolder{.strFolder = folder};
    const Args make = {"make", "Ch\xE2teau.map", "--dims=1x1x1", "--exit=0,0,0:N", "--force"};
    const std::string kvl = folder + kSeparator + "Ch\xE2teau.KVL";

    EXPECT_THAT(Run(make, inFolder, program), Succeeds());
    EXPECT_EQ(TestFiles::ReadAll(kvl),
              Kvl({7, "Ch\xE2teau.map", 1, 1, 1, {Cell(0, 0, 0, EXIT_NORTH)}}));
    EXPECT_THAT(Run(make + Args{"--id=77"}, inFolder, program), Succeeds());
    EXPECT_THAT(Run(make + Args{"--profile=gone/p.INI"}, inFolder, program),
                Exits(2, "no definition was written, since identifier 1 is not reserved"));
    EXPECT_EQ(IdOf(kvl), 77u);
    // The names in the folder as the bytes kvltool takes them in.
    Names names;
    for (const auto& entry : fs::directory_iterator(NativePath::From(folder))) {
        names.push_back(NativePath::ToBytes(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"Ch\xE2teau.KVL", "Ch\xE2teau.map", "Gridforge.INI",
                            "Gridforge.INI.lock", exe, "summary.INI"}));
    EXPECT_EQ(TestFiles::ReadAll(folder + kSeparator + "Gridforge.INI"), profile + "8\r\n");
    EXPECT_THAT(Run({"check", "."}, inFolder), Succeeds());
}

// Absolute paths with either separator, with a drive or from its root, and relative ones
// reach the same files; messages join what was given and a file name with the system's
// separator.
TEST_F(KvlToolPlatformTest, EverySpellingOfAPathReachesTheSameFiles) {
    ASSERT_TRUE(fs::create_directory(Path("sub")));
    const fs::path native = NativePath::From(m_Folder.Path() + kSeparator + "sub");
    const std::string spellings[] = {
        NativePath::ToBytes(native), NativePath::ToBytes(native.generic_string()),
        NativePath::ToBytes(native.root_directory() / native.relative_path()), "sub"};
    uint32_t nId = 1;
    for (const std::string& folder : spellings) {
        const ToolRun make = Run({"make", folder + "/a.map", "--dims=1x1x1", "--exit=0,0,0:N",
                                  "--id=" + std::to_string(nId), "--force"});
        EXPECT_EQ(make.nExitCode, 0) << folder << make.strErr;
        EXPECT_EQ(IdOf(Path("sub/a.KVL")), nId++) << folder;
        EXPECT_THAT(Run({"check", folder}).strOut,
                    HasSubstr(folder + kSeparator + "a.KVL: the map file \"a.map\" is not in"))
            << folder;
    }
}

// The lock keeps out every other process while its holder lives, and dies with it: a new
// profile is then made, with the generator's line ends. Makers started together from it, half
// of them naming the profile another way, each get an identifier of their own.
TEST_F(KvlToolPlatformTest, AKilledLockHolderHoldsUpNoMakerAndMakersTogetherGetOwnIdentifiers) {
    const std::string profile = m_Folder.Path() + kSeparator + "Gridforge.INI";
    ProgramRun::CProgram holder(LOCK_HOLDER_PATH, {profile, Path("locked")});
    for (int nTry = 0; nTry < 3000 && !TestFiles::Exists(Path("locked")); ++nTry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(TestFiles::Exists(Path("locked")));
    CFileLock lock;
    EXPECT_FALSE(lock.Lock(CFileLock::LockPathFor(profile), std::chrono::milliseconds(100)));
    holder.Kill();
    EXPECT_NE(holder.Wait().nExitCode, 0);
    EXPECT_THAT(Run(Words(kMake + "--profile=Gridforge.INI")), Succeeds());
#ifdef _WIN32
    const std::string other = fs::path(profile).generic_string();
#else
    const std::string other = Path("link.INI");
    fs::create_symlink(profile, other);
#endif
    std::vector<std::unique_ptr<ProgramRun::CProgram>> makers(40);
    for (size_t i = 0; i < makers.size(); ++i) {
        makers[i] = Start(Words(kMake + "-o " + std::to_string(i) +
                                ".KVL --profile=" + (i % 2 ? other : profile)));
    }
    std::set<uint32_t> ids;
    for (size_t i = 0; i < makers.size(); ++i) {
        EXPECT_THAT(makers[i]->Wait(), Succeeds());
        ids.insert(IdOf(std::to_string(i) + ".KVL"));
    }
    // Forty distinct identifiers and the counter 41 on, in the new profile's line ends: the first
    // maker took 1, and the others 2 to 41, since the other tests show that a maker takes the
    // counter's own value.
    EXPECT_EQ(ids.size(), makers.size());
    EXPECT_EQ(Read("Gridforge.INI"), "[ID]\r\nNEXT_ID=42\r\n");
}

// A file that another program reads is replaced where the system allows it; where it does
// not (Windows), that is told, before any identifier is used, and the old file stays.
TEST_F(KvlToolPlatformTest, FileHeldOpenByAReaderIsReplacedOrKept) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.KVL", "a.KVL: is held open by another program"},
        {"Gridforge.INI", "Couldn't reserve the identifier!"},
    };
    for (const auto& [pszHeld, pszSays] : cases) {
        Put("a.KVL", "old");
        Put("Gridforge.INI", "[ID]\r\nNEXT_ID=5\r\n");
        std::ifstream reader(Path(pszHeld), std::ios::binary);
        const ToolRun make = Run(Words(kMake + "--force --profile=Gridforge.INI"));
        Names files = Files();
        std::erase(files, "Gridforge.INI.lock");
        EXPECT_EQ(files, (Names{"Gridforge.INI", "a.KVL"})) << pszHeld;
#ifdef _WIN32
        EXPECT_THAT(make, Exits(2, pszSays)) << pszHeld;
        EXPECT_EQ(Read("a.KVL"), "old") << pszHeld;
        EXPECT_EQ(Read("Gridforge.INI"), "[ID]\r\nNEXT_ID=5\r\n") << pszHeld;
#else
        EXPECT_THAT(make, Succeeds()) << pszHeld << pszSays;
        EXPECT_EQ(IdOf("a.KVL"), 5u) << pszHeld;
#endif
    }
}

}  // namespace
