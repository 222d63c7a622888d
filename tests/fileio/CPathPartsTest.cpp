#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/CPathParts.h"

namespace {

using Parts = std::vector<std::string>;  // drive, directory, file name, extension

// Every part of a path of up to 259 characters is split whole; a longer path is refused.
TEST(CPathPartsTest, SplitsWholeAnyPathShorterThan260AndRefusesLongerOnes) {
    const std::string dir = "/" + std::string(257, 'd') + "/";
    const std::string name(255, 'f');
    const std::string ext = "." + std::string(258, 'e');
    const struct {
        std::string strPath;
        Parts expected;
    } cases[] = {
        {R"(C:\Games\Tools\editor.exe)", {"C:", R"(\Games\Tools\)", "editor", ".exe"}},
        {"archive.tar.gz", {"", "", "archive.tar", ".gz"}},
        {R"(C:/mixed\seps/x.kvl)", {"C:", R"(/mixed\seps/)", "x", ".kvl"}},
        {"maps.old/room", {"", "maps.old/", "room", ""}},
        {".hidden", {"", "", "", ".hidden"}},
        {"C:room.map", {"C:", "", "room", ".map"}},
        {R"(\\server\share\f.txt)", {"", R"(\\server\share\)", "f", ".txt"}},
        {"", {"", "", "", ""}},
        {dir, {"", dir, "", ""}},
        {name + ".map", {"", "", name, ".map"}},
        {ext, {"", "", "", ext}},
        {dir + "x", {"", "", "", ""}},
    };
    CPathParts parts;  // one for all: nothing of a path may stay for the next
    for (const auto& c : cases) {
        parts.Split(c.strPath.c_str());
        EXPECT_EQ(parts.Compose(PP_DRIVE | PP_DIR | PP_FNAME | PP_EXT),
                  c.expected[0] + c.expected[1] + c.expected[2] + c.expected[3]);
        EXPECT_EQ(Parts({parts.Compose(PP_DRIVE), parts.Compose(PP_DIR), parts.Compose(PP_FNAME),
                         parts.Compose(PP_EXT)}),
                  c.expected)
            << c.strPath;
    }
    parts.Split(nullptr);
    EXPECT_STREQ(parts.Compose(PP_DRIVE | PP_DIR | PP_FNAME | PP_EXT), "");
}

}  // namespace
