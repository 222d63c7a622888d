#include "map/MapReader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "MapSamples.h"
#include "TestFiles.h"

namespace {

using namespace MapSamples;

// What a caller sees of a read: the error, or the entities' keys and brushes.
std::string Outline(const MapReadResult& map) {
    std::string text;
    for (const MapEntity& entity : map.entities) {
        for (const auto& [key, value] : entity.keys) {
            text += key + "=" + std::to_string(value.size()) + " ";
        }
        for (const MapBrush& brush : entity.brushes) {
            text += "brush@" + std::to_string(brush.nLine) + (brush.bPassable ? "p" : "") + "[";
            for (const Plane& plane : brush.planes) {
                text += std::to_string(plane.dist) + " ";
            }
            text += "] ";
        }
    }
    return map.bOk ? text + std::to_string(map.warnings.size()) + " warnings" : ErrorText(map);
}

// A file is read through a window far smaller than a large map; tokens, lines and comments
// longer than the window, and errors past it, read as they do from the whole text. A face
// with other blanks, line ends, comments or quotes reads as the plain one; the brush after it
// shows the lines counted.
TEST(MapReaderTest, AFileReadsAsItsWholeText) {
    const std::string brush = BoxBrush(0, 0, 0, 64, 64, 64);
    std::string many;
    for (int i = 0; i < 3000; ++i) {
        many += BoxBrush(i, 0, 0, i + 64, 64, 64);
    }
    const std::string longText(300'000, 'w');
    const std::string blanks(300'000, ' ');
    const std::string rest = brush.substr(2) + BoxBrush(0, 0, 0, 8, 8, 8);
    const auto face = [&](const std::string& text) {
        return Entity("worldspawn", "{\n" + text + rest);
    };
    const std::string plain = face("( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1\n");
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
    const auto check = [&](const std::string& file, const std::string& text) {
        TestFiles::WriteAll(path, file);
        EXPECT_EQ(Outline(MapReader::ReadFile(path)), Outline(MapReader::ReadText(text)))
            << file.substr(0, 60);
    };
    for (const std::string& text : cases) {
        check(text, text);
    }
    for (const char* pszFace : {"(\t0  0 64 )\t( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1\r\n",
                                "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) \"A\" 0 0 0 1 1\n",
                                "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1 // note\n",
                                "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0\f0 0 1 1\n"}) {
        check(face(pszFace), plain);
    }
    // A folder or a pipe, which would wait for a writer for ever, is refused before it is
    // opened, with no line or column to point at.
    for (const std::string& other : TestFiles::NoRegularFiles(folder)) {
        EXPECT_EQ(Outline(MapReader::ReadFile(other)), "0:0: is not a regular file") << other;
    }
}

// Every number reads as from_chars reads it, however long, signed or fractional.
TEST(MapReaderTest, NumbersReadAsFromCharsReadsThem) {
    std::istringstream numbers(
        "7 0.1 3e2 12345678 1234567.1234567 123456789012345 "
        "1234567890123456 98765432.98765433 90071992.54740993");
    for (std::string number; numbers >> number;) {
        double expected = 0;
        std::from_chars(number.data(), number.data() + number.size(), expected);
        const std::string brush =
            std::regex_replace(BoxBrush(-1, 0, 0, 1, 64, 64), std::regex("1\\.000000"), number);
        const MapReadResult map = MapReader::ReadText(Entity("worldspawn", brush));
        std::vector<double> across;  // where the faces across X lie
        for (const Plane& plane : map.entities.at(0).brushes.at(0).planes) {
            if (plane.normal[0] != 0) {
                across.push_back(plane.dist);
            }
        }
        EXPECT_EQ(across, (std::vector<double>{expected, expected})) << number;
    }
}

}  // namespace
