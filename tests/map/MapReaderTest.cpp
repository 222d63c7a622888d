#include "map/MapReader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

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

// Every number reads as from_chars reads it, however long, signed or fractional.
TEST(MapReaderTest, NumbersReadAsFromCharsReadsThem) {
    const std::string numbers[] = {"7",
                                   "1234567",
                                   "12345678",
                                   "98765432109876",
                                   "123456789012345",
                                   "1234567890123456",
                                   "0.5",
                                   "1234567.1234567",
                                   "12.00000001",
                                   "3e2",
                                   "0.1",
                                   "4503599627370497",
                                   "98765432.98765433",
                                   "90071992.54740993"};
    for (const std::string& number : numbers) {
        double expected = 0;
        std::from_chars(number.data(), number.data() + number.size(), expected);
        std::string brush = BoxBrush(-1, 0, 0, 1, 64, 64);
        for (const auto& [from, to] :
             {std::pair{"-1.000000", "-" + number}, {"1.000000", number}}) {
            for (size_t at = brush.find(from); at != std::string::npos; at = brush.find(from, at)) {
                brush.replace(at, std::string(from).size(), to);
                at += to.size();
            }
        }
        const MapReadResult map = MapReader::ReadText(Entity("worldspawn", brush));
        ASSERT_TRUE(map.bOk) << number;
        std::vector<double> across;  // where the faces across X lie
        for (const Plane& plane : map.m_Entities[0].m_Brushes[0].m_Planes) {
            if (plane.normal[0] != 0) {
                across.push_back(plane.dist);
            }
        }
        EXPECT_EQ(across, (std::vector<double>{expected, expected})) << number;
    }
}

// A face with other blanks, line ends, comments, quotes or number forms reads as the plain one.
TEST(MapReaderTest, AnySpacingOfAFaceReadsAsThePlainOne) {
    // The next brush's line shows the lines counted.
    const std::string rest = BoxBrush(0, 0, 0, 64, 64, 64).substr(2) + BoxBrush(0, 0, 0, 8, 8, 8);
    const std::string plain = "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1\n";
    const std::string expected =
        Outline(MapReader::ReadText(Entity("worldspawn", "{\n" + plain + rest)));
    const std::string variants[] = {
        "(\t0  0 64 )\t( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1\r\n",
        "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) \"A\" 0 0 0 1 1\n",
        "( 0 0 64 ) ( 1 0 64 ) ( 0 1 6.4e1 ) A 0 0 0 1 1\n",
        "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0 0 0 1 1 // note\n",
        "( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) A 0\f0 0 1 1\n",
    };
    for (const std::string& face : variants) {
        EXPECT_EQ(Outline(MapReader::ReadText(Entity("worldspawn", "{\n" + face + rest))), expected)
            << face;
    }
}

}  // namespace
