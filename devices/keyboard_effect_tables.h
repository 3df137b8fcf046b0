#pragma once
// Where the keyboard's lights sit for its light effects: the grid of lights
// (23 columns of 6 rows, row 0 at the top) and the tables the effects walk,
// all derived from the grid. kNoLight marks an empty place in every table.
#include "devices/light_tables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace q31::devices {

inline constexpr int kGridColumns = 23;
inline constexpr int kGridRows = 6;
inline constexpr int kEffectLights = 170;
inline constexpr std::uint8_t kNoLight = 170;
// The column groups and intro tables mark their empty places with 255.
inline constexpr std::uint8_t kNoGroupLight = 255;
inline constexpr int kRingCount = 12;
inline constexpr int kRingSize = 12;
inline constexpr int kSweepFrames = 52;
inline constexpr int kSweepSize = 12;
inline constexpr int kSnakeLength = 171;
inline constexpr int kGroupRows = 7;
inline constexpr int kTwinkleCandidates = 104;
inline constexpr int kIntroFrames = 20;
inline constexpr int kIntroPairs = 16;
// The walks of modes 3 and 16 take the first 126 places of the light order.
inline constexpr int kOrderedWalk = 126;

struct GridCell {
    int column = 0;
    int row = 0;
};

struct KeyboardEffectTables {
    std::array<std::array<std::uint8_t, kGridRows>, kGridColumns> grid{};
    std::array<std::uint8_t, kEffectLights> lightOrder{};
    std::array<std::array<std::uint8_t, kRingSize>, kRingCount> rings{};
    std::array<std::array<std::uint8_t, kSweepSize>, kSweepFrames> sweep{};
    std::array<std::uint8_t, kSnakeLength> snake{};
    std::array<std::array<std::uint8_t, kGroupRows>, kGridColumns> columnGroups{};
    std::array<std::uint8_t, kGridColumns * kGridRows> startIntensities{};
    std::array<std::uint8_t, kTwinkleCandidates> twinkle{};
    std::array<std::array<std::uint8_t, kGridRows>, kIntroFrames> introFrames{};
    std::array<std::array<std::uint8_t, 2>, kIntroPairs> introPairs{};
    // The grid cell of each light, none for lights outside the grid.
    std::array<std::optional<GridCell>, kEffectLights> cellOf{};
    // The real lights of the light order: all of them, and those of its first 126 places.
    std::vector<std::uint8_t> orderLights;
    std::vector<std::uint8_t> orderWalk;
};

const KeyboardEffectTables& KeyboardTables();

// The curve of the random breathing modes: a quick rise, the falling half of
// the breathing curve, then dark for the rest of the 192 places.
inline constexpr int kTwinkleCurveLength = 192;
inline constexpr std::array<std::uint8_t, 25> kTwinkleRise = {
    0, 4, 8, 14, 22, 33, 45, 61, 77, 84, 100, 110, 120, 130, 140, 150, 158, 166, 175, 182, 191, 204, 220, 234, 255};

constexpr std::array<std::uint8_t, kTwinkleCurveLength> MakeTwinkleCurve()
{
    std::array<std::uint8_t, kTwinkleCurveLength> curve{};
    int at = 0;
    for (const std::uint8_t v : kTwinkleRise)
        curve[at++] = v;
    // From 248, the step below the top, down to 2.
    for (int i = int(kBreathingRise.size()) - 2; i >= 2; --i)
        curve[at++] = kBreathingRise[i];
    for (const std::uint8_t v : {2, 1, 0})
        curve[at++] = v;
    return curve;
}

inline constexpr std::array<std::uint8_t, kTwinkleCurveLength> kTwinkleCurve = MakeTwinkleCurve();

// The light at a grid cell; kNoLight outside the grid.
std::uint8_t GridLight(int column, int row);

// The real lights of a table's places, in order: the places holding kNoLight
// (or anything from 170 up) are left out, so a walk never reaches past the lights.
template <std::size_t N>
std::vector<std::uint8_t> LightsOf(const std::array<std::uint8_t, N>& places, std::size_t count = N)
{
    std::vector<std::uint8_t> lights;
    for (std::size_t i = 0; i < count && i < N; ++i) {
        if (places[i] < kNoLight)
            lights.push_back(places[i]);
    }
    return lights;
}

}  // namespace q31::devices
