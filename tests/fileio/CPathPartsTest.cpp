#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fileio/CPathParts.h"

namespace {

struct Parts {
    std::string strDrive, strDir, strFname, strExt;
};

Parts SplitParts(const char* pszPath) {
    CPathParts parts;
    parts.Split(pszPath);
    return {parts.Compose(PP_DRIVE), parts.Compose(PP_DIR), parts.Compose(PP_FNAME),
            parts.Compose(PP_EXT)};
}

struct SplitCase {
    std::string strName;
    std::string strPath;
    Parts expected;
};

void PrintTo(const SplitCase& c, std::ostream* pStream) {
    *pStream << c.strName;
}

class PathSplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(PathSplitTest, SplitsIntoDriveDirectoryNameAndExtension) {
    const SplitCase& c = GetParam();
    const Parts parts = SplitParts(c.strPath.c_str());
    EXPECT_EQ(parts.strDrive, c.expected.strDrive);
    EXPECT_EQ(parts.strDir, c.expected.strDir);
    EXPECT_EQ(parts.strFname, c.expected.strFname);
    EXPECT_EQ(parts.strExt, c.expected.strExt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathSplitTest,
    testing::Values(
        SplitCase{"WindowsExecutable",
                  R"(C:\Games\Tools\editor.exe)",
                  {"C:", R"(\Games\Tools\)", "editor", ".exe"}},
        SplitCase{"BareMapName", "room1.map", {"", "", "room1", ".map"}},
        SplitCase{"TwoDots", "archive.tar.gz", {"", "", "archive.tar", ".gz"}},
        SplitCase{"NoDot", "README", {"", "", "README", ""}},
        SplitCase{"EndsInSeparator", R"(C:\maps\)", {"C:", R"(\maps\)", "", ""}},
        SplitCase{"PosixPath", "/opt/kvledit/kvledit", {"", "/opt/kvledit/", "kvledit", ""}},
        SplitCase{
            "MixedSeparators", R"(C:/mixed\seps/x.kvl)", {"C:", R"(/mixed\seps/)", "x", ".kvl"}},
        SplitCase{"DotInDirectoryOnly", "maps.old/room", {"", "maps.old/", "room", ""}},
        SplitCase{"DotFile", ".hidden", {"", "", "", ".hidden"}},
        SplitCase{"TrailingDot", "name.", {"", "", "name", "."}},
        SplitCase{"DriveOnly", "C:", {"C:", "", "", ""}},
        SplitCase{"DriveRelative", "C:room.map", {"C:", "", "room", ".map"}},
        SplitCase{"UncPath", R"(\\server\share\f.txt)", {"", R"(\\server\share\)", "f", ".txt"}},
        SplitCase{"Empty", "", {"", "", "", ""}}));

TEST(PathComposeTest, PutsTheChosenPartsTogetherInFixedOrder) {
    const Parts all = {"C:", R"(\Games\Tools\)", "editor", ".exe"};
    CPathParts parts;
    parts.Split(R"(C:\Games\Tools\editor.exe)");
    for (unsigned flags = 0; flags < 16; ++flags) {
        const std::string expected =
            std::string(flags & PP_DRIVE ? all.strDrive : "") + (flags & PP_DIR ? all.strDir : "") +
            (flags & PP_FNAME ? all.strFname : "") + (flags & PP_EXT ? all.strExt : "");
        EXPECT_EQ(parts.Compose(flags), expected) << flags;
    }
    EXPECT_STREQ(parts.Compose(PP_DRIVE | PP_DIR), R"(C:\Games\Tools\)");
    EXPECT_STREQ(parts.Compose(PP_FNAME), "editor");
    EXPECT_STREQ(parts.Compose(PP_FNAME | 0x10), "editor") << "unknown bits are ignored";
}

TEST(PathComposeTest, NullOrRefusedPathEmptiesEveryPart) {
    const std::string tooLong(CPathParts::kMaxPath, 'x');
    for (const char* pszPath : {static_cast<const char*>(nullptr), tooLong.c_str()}) {
        CPathParts parts;
        parts.Split(R"(C:\maps\room1.map)");
        parts.Split(pszPath);
        for (unsigned flags = 0; flags < 16; ++flags) {
            EXPECT_STREQ(parts.Compose(flags), "") << flags;
        }
    }
}

// Paths of up to 259 characters are split whole, however long one part is; from 260 on
// every part is empty.
TEST(PathLengthTest, LongestPathSplitsWholeAndLongerIsRefused) {
    struct Case {
        std::string strPath;
        Parts expected;
    };
    const std::string dir = "/" + std::string(257, 'd') + "/";
    const std::string fname = std::string(255, 'f');
    const std::string drivePath = R"(C:\)" + std::string(247, 'd') + R"(\room.map)";
    const Case cases[] = {
        {drivePath, {"C:", R"(\)" + std::string(247, 'd') + R"(\)", "room", ".map"}},
        {dir, {"", dir, "", ""}},
        {fname + ".map", {"", "", fname, ".map"}},
        {"." + std::string(258, 'e'), {"", "", "", "." + std::string(258, 'e')}},
        {dir + "x", {"", "", "", ""}},
        {std::string(1000, 'p') + ".map", {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        const Parts parts = SplitParts(c.strPath.c_str());
        EXPECT_EQ(parts.strDrive, c.expected.strDrive) << c.strPath.size();
        EXPECT_EQ(parts.strDir, c.expected.strDir) << c.strPath.size();
        EXPECT_EQ(parts.strFname, c.expected.strFname) << c.strPath.size();
        EXPECT_EQ(parts.strExt, c.expected.strExt) << c.strPath.size();
    }
    ASSERT_EQ(drivePath.size(), 259u);
    ASSERT_EQ(dir.size(), 259u);
    CPathParts parts;
    parts.Split(drivePath.c_str());
    EXPECT_EQ(parts.Compose(PP_DRIVE | PP_DIR | PP_FNAME | PP_EXT), drivePath);
}

TEST(PathComposeTest, ComposingAgainUsesThePartsNotTheLastResult) {
    CPathParts parts;
    parts.Split("C:/maps/room1.map");
    EXPECT_STREQ(parts.Compose(PP_FNAME), "room1");
    EXPECT_STREQ(parts.Compose(PP_DRIVE | PP_DIR), "C:/maps/");
    EXPECT_STREQ(parts.Compose(PP_FNAME | PP_EXT), "room1.map");
}

}  // namespace
