// The tables the keyboard's effects walk, as they follow from the grid.
#include "devices/keyboard_effect_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace q31::devices {
namespace {

std::multiset<int> GridLights()
{
    std::multiset<int> lights;
    for (const auto& column : KeyboardTables().grid) {
        for (const std::uint8_t light : column) {
            if (light != kNoLight)
                lights.insert(light);
        }
    }
    return lights;
}

template <std::size_t N>
std::multiset<int> RealLights(const std::array<std::uint8_t, N>& places)
{
    const std::vector<std::uint8_t> lights = LightsOf(places);
    return {lights.begin(), lights.end()};
}

template <class Rows>
std::multiset<int> Flattened(const Rows& rows)
{
    std::multiset<int> lights;
    for (const auto& row : rows) {
        const std::multiset<int> real = RealLights(row);
        lights.insert(real.begin(), real.end());
    }
    return lights;
}

TEST(KeyboardEffectTablesTest, TheOrdersRingsAndSweepHoldEveryGridLightOnceAndPadWithNoLight)
{
    const KeyboardEffectTables& t = KeyboardTables();
    const std::multiset<int> grid = GridLights();
    ASSERT_EQ(grid.size(), 132u);
    EXPECT_EQ(std::set<int>(grid.begin(), grid.end()).size(), grid.size());
    EXPECT_EQ(RealLights(t.lightOrder), grid);
    EXPECT_EQ(RealLights(t.snake), grid);
    EXPECT_EQ(Flattened(t.rings), grid);
    EXPECT_EQ(Flattened(t.sweep), grid);
    // The real entries come first, the padding after.
    EXPECT_TRUE(std::all_of(t.lightOrder.begin() + 132, t.lightOrder.end(), [](auto v) { return v == kNoLight; }));
    EXPECT_TRUE(std::all_of(t.snake.begin() + 132, t.snake.end(), [](auto v) { return v == kNoLight; }));
    EXPECT_EQ(t.orderLights.size(), 132u);
    EXPECT_EQ(t.orderWalk.size(), 126u);
    EXPECT_EQ(std::count(t.orderLights.begin(), t.orderLights.end(), kNoLight), 0);
}

TEST(KeyboardEffectTablesTest, RingsGrowOutwardsFromTheMiddleOfTheBoard)
{
    const KeyboardEffectTables& t = KeyboardTables();
    const auto distance = [&](int light) {
        const GridCell cell = *t.cellOf[light];
        return std::hypot(cell.column - 11.0, cell.row - 2.5);
    };
    for (int k = 1; k < kRingCount; ++k) {
        double inner = 0;
        for (const std::uint8_t light : t.rings[k - 1])
            inner = light < kNoLight ? std::max(inner, distance(light)) : inner;
        for (const std::uint8_t light : LightsOf(t.rings[k]))
            EXPECT_GE(distance(light), inner) << "ring " << k;
    }
}

TEST(KeyboardEffectTablesTest, GroupsIntroAndTwinkleNameGridLightsOrNone)
{
    const KeyboardEffectTables& t = KeyboardTables();
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r)
            EXPECT_EQ(t.columnGroups[c][r], t.grid[c][r] == kNoLight ? kNoGroupLight : t.grid[c][r]);
        EXPECT_EQ(t.columnGroups[c][6], kNoGroupLight);
    }
    const std::multiset<int> grid = GridLights();
    for (const std::uint8_t light : t.twinkle)
        EXPECT_TRUE(grid.count(light)) << int(light);
    // A twinkle list spread over the whole board, not one corner of it.
    EXPECT_EQ(std::set<int>(t.twinkle.begin(), t.twinkle.end()).size(), t.twinkle.size());
    for (const auto& frame : t.introFrames) {
        for (const std::uint8_t light : frame)
            EXPECT_TRUE(light == kNoGroupLight || grid.count(light));
    }
    for (const auto& pair : t.introPairs) {
        EXPECT_TRUE(grid.count(pair[0]) && grid.count(pair[1]));
        EXPECT_NE(pair[0], pair[1]);
    }
}

TEST(KeyboardEffectTablesTest, GridCellsAndLightsAgreeAndOutsideTheGridIsNoLight)
{
    const KeyboardEffectTables& t = KeyboardTables();
    for (int light = 0; light < kEffectLights; ++light) {
        if (const auto cell = t.cellOf[light]) {
            EXPECT_EQ(GridLight(cell->column, cell->row), light);
        }
    }
    EXPECT_FALSE(t.cellOf[140].has_value());
    EXPECT_EQ(GridLight(-1, 0), kNoLight);
    EXPECT_EQ(GridLight(23, 0), kNoLight);
    EXPECT_EQ(GridLight(0, 6), kNoLight);
    EXPECT_EQ(GridLight(2, 0), 0);
}

TEST(KeyboardEffectTablesTest, TwinkleCurveRisesThenFallsAlongTheBreathingCurveThenStaysDark)
{
    EXPECT_EQ(kTwinkleCurve[0], 0);
    EXPECT_EQ(kTwinkleCurve[24], 255);
    EXPECT_EQ(kTwinkleCurve[25], 248);
    EXPECT_EQ(kTwinkleCurve[26], 241);
    EXPECT_EQ(kTwinkleCurve[85], 2);
    EXPECT_EQ(kTwinkleCurve[86], 2);
    EXPECT_EQ(kTwinkleCurve[87], 1);
    EXPECT_EQ(kTwinkleCurve[88], 0);
    EXPECT_TRUE(std::all_of(kTwinkleCurve.begin() + 89, kTwinkleCurve.end(), [](auto v) { return v == 0; }));
}

}  // namespace
}  // namespace q31::devices
