#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "MapSamples.h"
#include "map/MapMeasure.h"

namespace {

using namespace MapSamples;

struct Measured {
    bool bOk = false;
    std::string strError;
    MapMeasurement m;
};

Measured MeasureText(const std::string& text, const MeasureSettings& settings = {}) {
    const MapReadResult map = MapReader::ReadText(text);
    Measured result{.strError = map.bOk ? "" : ErrorText(map), .m = {}};
    result.bOk = map.bOk && MapMeasure::Measure(map, settings, result.m, result.strError);
    return result;
}

std::string Exits(const MapMeasurement& m) {
    std::string text;
    for (const SuggestedExit& cell : m.exits) {
        text += std::to_string(cell.nX) + "," + std::to_string(cell.nY) + "," +
                std::to_string(cell.nZ) + ":";
        for (int i = 0; i < 4; ++i) {
            text += cell.nExits & (1 << i) ? std::string(1, "NSEW"[i]) : "";
        }
        text += " ";
    }
    return text;
}

// A brush of a floor and n slanted faces around it, all meeting at one point above (a cone)
// or cut by a flat top (a prism, as editors draw cylinders), centred at x along X.
std::string RoundBrush(int n, bool bTop, double x = 0) {
    const auto P = [x](double px, double y, double z) { return MapSamples::P(px + x, y, z); };
    std::string text = "{\n" + P(0, 0, 0) + P(1, 0, 0) + P(0, 1, 0) + "A 0 0 0 1 1\n";
    if (bTop) {
        text += P(0, 0, 256) + P(0, 1, 256) + P(1, 0, 256) + "A 0 0 0 1 1\n";
    }
    for (int i = 0; i < n; ++i) {
        const double a = 2 * std::numbers::pi * i / n, b = 2 * std::numbers::pi * (i + 1) / n;
        const double r = 1000;
        text += P(r * std::cos(b), r * std::sin(b), 0) + P(r * std::cos(a), r * std::sin(a), 0) +
                (bTop ? P(r * std::cos(a), r * std::sin(a), 256) : P(0, 0, 500)) + "A 0 0 0 1 1\n";
    }
    return text + "}\n";
}

TEST(MapMeasureTest, SuggestsTheExitsAPlayerCanPass) {
    const std::string door = Entity("func_door", BoxBrush(0, 112, 16, 16, 176, 128));
    const std::string water =
        Entity("worldspawn", BoxBrush(352, 240, 16, 416, 256, 128, Format::Quake, "*water1"));
    // A grate whose top slants down to 120 on its south: no box, so its part inside is cut.
    std::string grate = BoxBrush(0, 112, 16, 16, 176, 128);
    grate = Entity("func_wall", grate.replace(grate.find("112.000000 128") + 11, 3, "120"));
    // Thousands of crates on the floor after the walls, in the same entity: brushes clear of
    // the sides are let go as they are read, and the walls must stay.
    std::string crowded = Room();
    for (int i = 0; i < 5000; ++i) {
        const int x = 24 + i % 59 * 8, y = 24 + i / 59 % 26 * 8, z = 16 + i / (59 * 26) * 8;
        crowded.insert(crowded.size() - 2, BoxBrush(x, y, z, x + 8, y + 8, z + 8));
    }
    // A room lower than a cell, closed but for a doorway on the west: above its ceiling is
    // outside the prefab.
    const std::string low = Entity(
        "worldspawn", BoxBrush(0, 0, 0, 512, 256, 16) + BoxBrush(0, 0, 112, 512, 256, 128) +
                          BoxBrush(0, 0, 16, 16, 112, 112) + BoxBrush(0, 176, 16, 16, 256, 112) +
                          BoxBrush(496, 0, 16, 512, 256, 112) + BoxBrush(0, 0, 16, 512, 16, 112) +
                          BoxBrush(0, 240, 16, 512, 256, 112));
    // North along -X: the map's west wall faces north, its north wall east.
    const MeasureSettings turned{.nNorthAxis = 0, .bNorthNegative = true};
    const struct {
        std::string strMap;
        MeasureSettings settings;
        std::array<int32_t, 3> dims;
        const char* pszExits;
    } cases[] = {
        {crowded, {}, {2, 1, 1}, "0,0,0:W 1,0,0:N "},
        {Room(64), {}, {2, 1, 1}, ""},  // windows too low to pass
        {Room() + door + water, {}, {2, 1, 1}, "0,0,0:W 1,0,0:N "},
        {Room() + grate, {}, {2, 1, 1}, "1,0,0:N "},
        {low, {}, {2, 1, 1}, "0,0,0:W "},
        {Room(), turned, {1, 2, 1}, "0,0,0:E 0,1,0:N "},
        {Room() + grate, turned, {1, 2, 1}, "0,0,0:E "},
    };
    for (const auto& c : cases) {
        const Measured result = MeasureText(c.strMap, c.settings);
        ASSERT_TRUE(result.bOk) << result.strError;
        EXPECT_EQ(result.m.dims, c.dims) << c.pszExits;
        EXPECT_EQ(Exits(result.m), c.pszExits);
    }
}

// Measuring is bounded: faces that all meet in one point would cost hours, and a map stretched
// over a million cells costs its brushes times the cells. Drawn prefabs are measured to the
// extent of their brushes.
TEST(MapMeasureTest, MalformedOrHostileMapsSayWhereAndWhatAndDrawnOnesAreMeasured) {
    const std::string brush = BoxBrush(0, 0, 0, 64, 64, 64);
    std::string corridor;
    for (int i = 0; i < 20; ++i) {
        corridor += BoxBrush(0, i * 10, 0, 256.0 * ((1 << 20) - 1), i * 10 + 8, 256);
    }
    const char* const pszTooComplex =
        "is too complex to measure: brushes with too many faces, or too many cells for its brushes";
    const struct {
        std::string strText;
        const char* pszError;
    } cases[] = {
        {"{\n\"classname\" \"worldspawn\"\n" + brush, "11:1: the entity's \"}\" is missing"},
        {"}", "1:1: expected an entity's \"{\", found \"}\""},
        {"{\n{\n( 0 0 0 ( 1 0 0 ) ( 0 1 0 ) A 0 0 0 1 1\n}\n}",
         "3:9: expected \")\" after a point's three numbers, found \"(\""},
        {"{\n{\n( 0 0 x ) ( 1 0 0 ) ( 0 1 0 ) A 0 0 0 1 1\n}\n}",
         "3:7: expected a number, found \"x\""},
        {"{\n{\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) A 0 0 0 1 1\n}\n}",
         "2:1: the brush has 1 faces; a brush needs at least 4"},
        {"{\n{\npatchDef2\n{\n}\n}\n}",
         "3:1: patchDef2 (Quake 3 and later) is not supported: only Quake, Quake II and Hexen II "
         "brushes are"},
        {"{\n\"classname\" \"worldspawn\n}", "2:24: the quoted text does not end on its line"},
        {"{\n}\n", "holds no brush that encloses a volume"},
        {"{\n{\n( 0 0 1e400 ) ( 1 0 0 ) ( 0 1 0 ) A 0 0 0 1 1\n}\n}",
         "3:7: expected a number, found \"1e400\""},
        {Entity("worldspawn", RoundBrush(120, false)), pszTooComplex},
        {Entity("worldspawn", corridor), pszTooComplex},
    };
    for (const auto& c : cases) {
        const Measured result = MeasureText(c.strText);
        EXPECT_FALSE(result.bOk);
        EXPECT_EQ(result.strError, c.pszError) << c.strText;
    }
    // A brush whose faces all point inwards encloses nothing: skipped, the others measured.
    const Measured skipped =
        MeasureText(Entity("worldspawn", BoxBrush(0, 0, 0, 256, 256, 256) +
                                             "{\n( 0 0 0 ) ( 0 1 0 ) ( 1 0 0 ) A 0 0 0 1 1\n"
                                             "( 0 0 9 ) ( 1 0 9 ) ( 0 1 9 ) A 0 0 0 1 1\n"
                                             "( 0 0 0 ) ( 0 0 1 ) ( 1 0 0 ) A 0 0 0 1 1\n"
                                             "( 0 0 0 ) ( 1 0 0 ) ( 0 0 1 ) A 0 0 0 1 1\n}\n"));
    ASSERT_TRUE(skipped.bOk) << skipped.strError;
    ASSERT_EQ(skipped.m.warnings.size(), 1u);
    EXPECT_EQ(skipped.m.warnings[0].strMessage,
              "brush 1 of entity 0 encloses nothing; it is skipped");
    EXPECT_EQ(skipped.m.dims, (std::array<int32_t, 3>{1, 1, 1}));

    // Drawn prefabs stay well inside the bound, even round ones of many faces. The same prefab
    // has the same extent in every format.
    std::string columns;
    for (int i = 0; i < 20; ++i) {
        columns += RoundBrush(64, true, 2000.0 * i);
    }
    const Measured drawn = MeasureText(Entity("worldspawn", columns));
    ASSERT_TRUE(drawn.bOk) << drawn.strError;
    EXPECT_EQ(drawn.m.dims, (std::array<int32_t, 3>{157, 8, 1}));
    // The corners of slanted faces bound them, not the points that define the faces.
    const Vec3 mins{-1000, -1000, 0}, maxs{39000, 1000, 256};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(drawn.m.extent.mins[i], mins[i], 1e-6);
        EXPECT_NEAR(drawn.m.extent.maxs[i], maxs[i], 1e-6);
    }
    for (const Format format : {Format::Quake, Format::Valve, Format::Quake2, Format::Hexen2}) {
        const std::string text = "// drawn by hand\r\n; a comment line\r" +
                                 Entity("worldspawn", BoxBrush(-64, 0, 0, 192, 512, 100, format) +
                                                          BoxBrush(0, 0, 0, 64, 64, 300, format));
        const Measured result = MeasureText(text);
        ASSERT_TRUE(result.bOk) << result.strError;
        EXPECT_EQ(result.m.extent.mins, (Vec3{-64, 0, 0}));
        EXPECT_EQ(result.m.extent.maxs, (Vec3{192, 512, 300}));
        EXPECT_EQ(result.m.dims, (std::array<int32_t, 3>{1, 2, 2}));
        EXPECT_EQ(result.m.wholeCells, (std::array<bool, 3>{true, true, false}));
    }
}

}  // namespace
