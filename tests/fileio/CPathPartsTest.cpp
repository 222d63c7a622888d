#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/CPathParts.h"
#include "fileio/PathText.h"

namespace {

using Parts = std::vector<std::string>;  // drive, directory, file name, extension

// Every part of a path of up to 259 characters is split whole; a longer path is refused.
TEST(CPathPartsTest, SplitsWholeAnyPathShorterThan260AndRefusesLongerOnes) {
    const std::string dir = "/" + std::string(257, 'd') + "/";
    const std::string name(255, 'f');
    const std::string ext = "." + std::string(258, 'e');
    const std::pair<std::string, Parts> cases[] = {
        {R"(C:/mixed\seps/x.tar.kvl)", {"C:", R"(/mixed\seps/)", "x.tar", ".kvl"}},
        {"maps.old/room", {"", "maps.old/", "room", ""}},
        {".hidden", {"", "", "", ".hidden"}},
        {"C:room.map", {"C:", "", "room", ".map"}},
        {dir, {"", dir, "", ""}},
        {name + ".map", {"", "", name, ".map"}},
        {ext, {"", "", "", ext}},
        {dir + "x", {"", "", "", ""}},
    };
    CPathParts parts;  // one for all: nothing of a path may stay for the next
    for (const auto& [path, expected] : cases) {
        parts.Split(path.c_str());
        EXPECT_EQ(Parts({parts.Compose(PP_DRIVE), parts.Compose(PP_DIR), parts.Compose(PP_FNAME),
                         parts.Compose(PP_EXT)}),
                  expected)
            << path;
        EXPECT_EQ(parts.Compose(PP_DRIVE | PP_DIR | PP_FNAME | PP_EXT),
                  expected[0] + expected[1] + expected[2] + expected[3]);
        // The text rules split as the splitter does, and also paths too long for it.
        if (path.size() < CPathParts::kMaxPath) {
            EXPECT_EQ(PathText::DirectoryOf(path), expected[0] + expected[1]) << path;
            EXPECT_EQ(PathText::FileNameOf(path), expected[2] + expected[3]) << path;
        }
    }
    EXPECT_EQ(PathText::DirectoryOf(dir + "x"), dir);
    EXPECT_EQ(PathText::FileNameOf(dir + "x"), "x");
    parts.Split(nullptr);
    EXPECT_STREQ(parts.Compose(PP_DRIVE | PP_DIR | PP_FNAME | PP_EXT), "");
}

TEST(CPathPartsTest, PathTextSplitsAtEitherSeparatorAndJoinsWithOne) {
    EXPECT_EQ(PathText::Components(R"(..\Maps//s2\)"),
              (std::vector<std::string>{"..", "Maps", "s2"}));
    EXPECT_EQ(PathText::Components("/"), std::vector<std::string>{});
    EXPECT_EQ(PathText::Join("", "a"), "a");
    EXPECT_EQ(PathText::Join(R"(D:\x\)", "a"), R"(D:\x\a)");
}

}  // namespace
