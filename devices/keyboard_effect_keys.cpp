// What the keyboard's light modes do with the key presses it reports.
#include "devices/keyboard_effect_steps.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr int kPress = 1;
constexpr int kRelease = 2;

struct Splash {
    int dc;
    int dr;
    int rise;  // added on a press
    int fall;  // taken away on the release
};

// The cells around a pressed key that the splash reaches.
constexpr std::array<Splash, 12> kSplash = {{
    {0, -1, 150, 15}, {0, 1, 150, 15}, {-1, 0, 150, 15}, {1, 0, 150, 15},
    {0, -2, 90, 90},  {0, 2, 90, 90},  {-1, -1, 90, 90}, {-1, 1, 90, 90},
    {1, -1, 90, 90},  {1, 1, 90, 90},  {-2, 0, 60, 90},  {2, 0, 60, 90},
}};

// Whether a light other than key is held at cell or within the splash around it.
bool NextToHeldKey(const KeyboardEffectState& state, GridCell cell, int key)
{
    const auto heldAt = [&](int dc, int dr) {
        const std::uint8_t light = GridLight(cell.column + dc, cell.row + dr);
        return light != kNoLight && light != key && state.held[light] == 1;
    };
    return heldAt(0, 0) || std::any_of(kSplash.begin(), kSplash.end(),
                                       [&](const Splash& s) { return heldAt(s.dc, s.dr); });
}

void PressSplash(KeyboardEffectState& state, int key, const std::optional<GridCell>& cell)
{
    state.fade[key] = kFadeIn;
    state.held[key] = 1;
    state.intensity[key] = 255;
    if (!cell)
        return;
    for (const Splash& s : kSplash) {
        const std::uint8_t light = GridLight(cell->column + s.dc, cell->row + s.dr);
        if (light == kNoLight)
            continue;
        state.fade[light] = kFadeIn;
        state.intensity[light] = std::uint8_t(std::min(state.intensity[light] + s.rise, 255));
    }
}

void ReleaseSplash(KeyboardEffectState& state, int key, const std::optional<GridCell>& cell)
{
    if (cell) {
        for (const Splash& s : kSplash) {
            const GridCell at{cell->column + s.dc, cell->row + s.dr};
            const std::uint8_t light = GridLight(at.column, at.row);
            if (light == kNoLight || NextToHeldKey(state, at, key))
                continue;
            state.fade[light] = kFadeOut;
            state.intensity[light] = std::uint8_t(std::max(state.intensity[light] - s.fall, 0));
        }
    }
    if (!cell || !NextToHeldKey(state, *cell, key))
        state.fade[key] = kFadeOut;
    state.held[key] = 0;
}

}  // namespace

void ReactToKey(int mode, KeyboardEffectFrame& frame, int light, int kind)
{
    if (light < 0 || light >= kEffectLights || (kind != kPress && kind != kRelease))
        return;
    KeyboardEffectState& state = frame.state;
    switch (mode) {
    case 7:
        state.fade[light] = std::uint8_t(kind);
        state.intensity[light] = 255;
        state.colour[light] = std::uint8_t(frame.RandomColour());
        break;
    case 8:
    case 9:
        StartRipple(state, light, kind);
        break;
    case 25:
        if (kind == kPress)
            PressSplash(state, light, KeyboardTables().cellOf[light]);
        else
            ReleaseSplash(state, light, KeyboardTables().cellOf[light]);
        break;
    default:
        break;
    }
}

}  // namespace q31::devices
