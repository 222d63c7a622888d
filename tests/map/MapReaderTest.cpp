#include "map/MapReader.h"

#include <gtest/gtest.h>

#include <string>

#include "MapSamples.h"
#include "TestFiles.h"

namespace {

using namespace MapSamples;

// What a caller sees of a read: the error, or the entities' keys and brushes.
std::string Outline(const MapReadResult& map) {
    if (!map.bOk) {
        return std::to_string(map.m_Error.nLine) + ":" + std::to_string(map.m_Error.nColumn) +
               ": " + map.m_Error.strMessage;
    }
    std::string text;
    for (const MapEntity& entity : map.m_Entities) {
        for (const auto& [key, value] : entity.m_Keys) {
            text += key + "=" + std::to_string(value.size()) + " ";
        }
        for (const MapBrush& brush : entity.m_Brushes) {
            text += "brush@" + std::to_string(brush.nLine) + (brush.bPassable ? "p" : "") + "[";
            for (const Plane& plane : brush.m_Planes) {
                text += std::to_string(plane.dist) + " ";
            }
            text += "] ";
        }
    }
    return text + std::to_string(map.m_Warnings.size()) + " warnings";
}

// A file is read through a window far smaller than a large map; tokens, lines and comments
// longer than the window, and errors past it, read as they do from the whole text.
TEST(MapReaderTest, AFileReadsAsItsWholeText) {
    const std::string brush = BoxBrush(0, 0, 0, 64, 64, 64);
    std::string many;
    for (int i = 0; i < 3000; ++i) {
        many += BoxBrush(i, 0, 0, i + 64, 64, 64);
    }
    const std::string longText(300'000, 'w');
    const std::string blanks(300'000, ' ');
    const std::string cases[] = {
        "{\n\"wad\" \"" + longText + "\"\n" + brush + "}\n",
        "{\n\"wad\" \"" + longText + "\n}\n",
        Entity("worldspawn", "{\n( 0 0 " + std::string(300'000, '0') +
                                 "64 ) ( 1 0 64 ) ( 0 1 64 ) " + longText + " 0 0 0 1 1\n" +
                                 brush.substr(2)),
        blanks + "; a comment after blanks\n" + Entity("worldspawn", brush),
        "{" + blanks + "; not a comment after a brace\n}\n",
        Entity("worldspawn", many + "{\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 x ) A 0 0 0 1 1\n}\n"),
        Entity("worldspawn", many + "{\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) *water 0 0 0 1 1\n}\n"),
    };
    TestFiles::TempFolder folder;
    const std::string path = folder.PathOf("prefab.map");
    for (const std::string& text : cases) {
        TestFiles::WriteAll(path, text);
        EXPECT_EQ(Outline(MapReader::ReadFile(path)), Outline(MapReader::ReadText(text)))
            << text.substr(0, 60);
    }
    // A folder opens as a file would on POSIX and fails on reading; Windows refuses to open it.
    const MapReadResult folderRead = MapReader::ReadFile(folder.Path());
    EXPECT_FALSE(folderRead.bOk);
    EXPECT_EQ(folderRead.m_Error.nLine, 0u);
#ifdef _WIN32
    EXPECT_EQ(folderRead.m_Error.strMessage, "cannot be opened");
#else
    EXPECT_EQ(folderRead.m_Error.strMessage, "cannot be read");
#endif
}

}  // namespace
