#include "devices/keyboard_effect_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q31::devices {
namespace {

using Column = std::array<std::uint8_t, kGridRows>;

constexpr std::array<Column, kGridColumns> kGrid = {{
    {170, 120, 121, 122, 123, 124}, {170, 21, 42, 63, 84, 105}, {0, 22, 43, 64, 102, 106},
    {1, 23, 44, 65, 85, 20},        {2, 24, 45, 66, 86, 107},   {3, 25, 46, 67, 87, 126},
    {4, 26, 47, 68, 88, 127},       {18, 27, 48, 69, 89, 108},  {5, 28, 49, 70, 90, 128},
    {6, 29, 50, 71, 91, 129},       {7, 30, 51, 72, 92, 109},   {8, 31, 52, 73, 93, 110},
    {9, 32, 53, 74, 94, 112},       {10, 33, 54, 62, 95, 113},  {11, 34, 55, 75, 96, 114},
    {12, 56, 37, 58, 57, 115},      {13, 35, 101, 82, 80, 111}, {14, 36, 19, 83, 100, 130},
    {15, 103, 79, 17, 81, 125},     {170, 38, 59, 76, 97, 116}, {170, 39, 60, 77, 98, 104},
    {170, 40, 61, 78, 99, 117},     {170, 41, 16, 119, 118, 131},
}};

// The middle of the board, where the rings start and the sweep turns.
constexpr double kCentreColumn = (kGridColumns - 1) / 2.0;
constexpr double kCentreRow = (kGridRows - 1) / 2.0;

struct PlacedLight {
    std::uint8_t light;
    double dx;
    double dy;
};

std::vector<PlacedLight> PlacedLights()
{
    std::vector<PlacedLight> lights;
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            if (kGrid[c][r] != kNoLight)
                lights.push_back({kGrid[c][r], c - kCentreColumn, r - kCentreRow});
        }
    }
    return lights;
}

template <std::size_t N>
void FillFrom(std::array<std::uint8_t, N>& places, const std::vector<std::uint8_t>& lights, std::uint8_t none)
{
    places.fill(none);
    std::copy_n(lights.begin(), std::min(lights.size(), N), places.begin());
}

std::uint8_t GroupLight(std::uint8_t light)
{
    return light == kNoLight ? kNoGroupLight : light;
}

// Down the first column, up the next, and so on.
std::vector<std::uint8_t> ColumnSnake()
{
    std::vector<std::uint8_t> order;
    for (int c = 0; c < kGridColumns; ++c) {
        for (int i = 0; i < kGridRows; ++i) {
            const std::uint8_t light = kGrid[c][c % 2 == 0 ? i : kGridRows - 1 - i];
            if (light != kNoLight)
                order.push_back(light);
        }
    }
    return order;
}

// Along the top row, back along the next, and so on.
std::vector<std::uint8_t> RowSnake()
{
    std::vector<std::uint8_t> order;
    for (int r = 0; r < kGridRows; ++r) {
        for (int i = 0; i < kGridColumns; ++i) {
            const std::uint8_t light = kGrid[r % 2 == 0 ? i : kGridColumns - 1 - i][r];
            if (light != kNoLight)
                order.push_back(light);
        }
    }
    return order;
}

// Rings of equal size by distance from the middle, nearest first.
void BuildRings(KeyboardEffectTables& tables, std::vector<PlacedLight> lights)
{
    std::stable_sort(lights.begin(), lights.end(), [](const PlacedLight& a, const PlacedLight& b) {
        return std::hypot(a.dx, a.dy) < std::hypot(b.dx, b.dy);
    });
    const std::size_t perRing = (lights.size() + kRingCount - 1) / kRingCount;
    for (auto& ring : tables.rings)
        ring.fill(kNoLight);
    for (std::size_t i = 0; i < lights.size(); ++i)
        tables.rings[i / perRing][i % perRing] = lights[i].light;
}

// A hand going round the middle: each frame holds the lights of its slice of the turn.
void BuildSweep(KeyboardEffectTables& tables, const std::vector<PlacedLight>& lights)
{
    std::array<int, kSweepFrames> filled{};
    for (auto& frame : tables.sweep)
        frame.fill(kNoLight);
    for (const PlacedLight& placed : lights) {
        const double turn = (std::atan2(placed.dy, placed.dx) + std::numbers::pi) / (2 * std::numbers::pi);
        const int frame = std::min(int(turn * kSweepFrames), kSweepFrames - 1);
        if (filled[frame] < kSweepSize)
            tables.sweep[frame][filled[frame]++] = placed.light;
    }
}

void BuildColumnGroups(KeyboardEffectTables& tables)
{
    for (int c = 0; c < kGridColumns; ++c) {
        tables.columnGroups[c].fill(kNoGroupLight);
        for (int r = 0; r < kGridRows; ++r) {
            tables.columnGroups[c][r] = GroupLight(kGrid[c][r]);
            // A diagonal of phases, so the start looks like a wave across the board.
            tables.startIntensities[c * kGridRows + r] = std::uint8_t((8 * c + 32 * r) % 192);
        }
    }
}

// Candidates spread evenly along the light order.
void BuildTwinkle(KeyboardEffectTables& tables)
{
    const std::vector<std::uint8_t>& order = tables.orderLights;
    for (int i = 0; i < kTwinkleCandidates; ++i)
        tables.twinkle[i] = order[std::size_t(i) * order.size() / kTwinkleCandidates];
}

// The intro runs a column at a time across the board, then pairs of keys
// meet from both ends of the letter rows.
void BuildIntro(KeyboardEffectTables& tables)
{
    for (int f = 0; f < kIntroFrames; ++f) {
        for (int r = 0; r < kGridRows; ++r)
            tables.introFrames[f][r] = GroupLight(kGrid[f + 1][r]);
    }
    constexpr int kPairsPerRow = kIntroPairs / 2;
    for (int p = 0; p < kIntroPairs; ++p) {
        const int row = 1 + 3 * (p / kPairsPerRow);
        const int column = 2 + p % kPairsPerRow;
        tables.introPairs[p] = {GroupLight(kGrid[column][row]), GroupLight(kGrid[kGridColumns - 1 - column - 1][row])};
    }
}

KeyboardEffectTables BuildTables()
{
    KeyboardEffectTables tables;
    tables.grid = kGrid;
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            if (kGrid[c][r] != kNoLight)
                tables.cellOf[kGrid[c][r]] = GridCell{c, r};
        }
    }
    FillFrom(tables.lightOrder, ColumnSnake(), kNoLight);
    FillFrom(tables.snake, RowSnake(), kNoLight);
    tables.orderLights = LightsOf(tables.lightOrder);
    tables.orderWalk = LightsOf(tables.lightOrder, kOrderedWalk);
    const std::vector<PlacedLight> placed = PlacedLights();
    BuildRings(tables, placed);
    BuildSweep(tables, placed);
    BuildColumnGroups(tables);
    BuildTwinkle(tables);
    BuildIntro(tables);
    return tables;
}

}  // namespace

const KeyboardEffectTables& KeyboardTables()
{
    static const KeyboardEffectTables tables = BuildTables();
    return tables;
}

std::uint8_t GridLight(int column, int row)
{
    if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows)
        return kNoLight;
    return kGrid[column][row];
}

}  // namespace q31::devices
