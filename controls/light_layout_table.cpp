#include "controls/light_layout_table.h"

#include <algorithm>
#include <initializer_list>
#include <span>

namespace q31::controls {
namespace {

enum Extra : unsigned {
    kNoExtra = 0,
    kSameMode = 1,
    kColourLayoutOff = 2,
    kCustomGroups = 4,
    kSecondaryEffect = 8,
    kAudioColours = 16,
};

struct Directions {
    const char* first;
    const char* second;
};

constexpr Directions kLeftRight{"light_set_right_to_left_text", "light_set_left_to_right_text"};
constexpr Directions kClockwise{"light_set_clockwise_text", "light_set_anticlockwise_text"};
constexpr Directions kDownUp{"light_set_down_to_up_text", "light_set_up_to_down_text"};
constexpr Directions kUpDown{"light_set_up_to_down_text", "light_set_down_to_up_text"};
constexpr Directions kInOut{"light_set_outside_to_inside_text", "light_set_inside_to_outside_text"};

// groups: multi-colour, colour, palette, brightness, speed, direction; '1' on,
// '0' off, 'h' hidden (speed only).
struct Row {
    std::initializer_list<int> effects;
    const char* groups;
    unsigned extras = kNoExtra;
    Directions directions = kLeftRight;
};

const Row kKeyboard[] = {
    {{1, 2}, "111111"},
    {{3, 24}, "111111", kNoExtra, kClockwise},
    {{4}, "000110", kColourLayoutOff | kSameMode},
    {{5, 23}, "111110", kSameMode},
    {{6}, "111100", kSameMode},
    {{7, 8, 9, 10, 13, 14, 15, 16, 22, 25}, "111100"},
    {{11, 26}, "000110", kColourLayoutOff},
    {{12}, "000111", kNoExtra, kDownUp},
    {{17}, "0001h0", kSecondaryEffect | kColourLayoutOff},
    {{18}, "000101", kColourLayoutOff, kInOut},
    {{19}, "0111h0", kCustomGroups},
    {{21}, "111111", kNoExtra, kUpDown},
    {{27}, "000110"},
    {{28}, "000000", kSameMode},
    {{29}, "1111h1", kAudioColours},
    {{30}, "000100", kColourLayoutOff},
};

const Row kMouse[] = {
    {{0, 5}, "111111"},
    {{1}, "000110", kSameMode},
    {{2, 4, 6}, "111110", kSameMode},
    {{3}, "011100", kSameMode},
    {{7, 8}, "000110"},
    {{9}, "000000", kSameMode},
};

// The mouse pad and the headset share their effect list.
const Row kStrip[] = {
    {{0}, "111111"},
    {{1}, "000110", kSameMode},
    {{2, 4}, "111110", kSameMode},
    {{3}, "011100", kSameMode},
    {{8}, "000000", kSameMode},
};

std::optional<std::span<const Row>> TableOfKind(int deviceKind)
{
    switch (deviceKind) {
    case 1:
        return kKeyboard;
    case 2:
        return kMouse;
    case 3:
    case 7:
        return kStrip;
    default:
        return std::nullopt;
    }
}

LightLayout LayoutOfRow(const Row& row)
{
    const auto on = [&row](int group) { return row.groups[group] == '1'; };
    LightLayout layout;
    layout.multiColour = on(0);
    layout.colour = on(1);
    layout.palette = on(2);
    layout.brightness = on(3);
    layout.speed = row.groups[4] == 'h' ? GroupState::Hidden : on(4) ? GroupState::On : GroupState::Off;
    layout.direction = on(5);
    layout.sameMode = (row.extras & kSameMode) != 0;
    layout.colourLayout = (row.extras & kColourLayoutOff) == 0;
    layout.customGroups = (row.extras & kCustomGroups) != 0;
    layout.secondaryEffect = (row.extras & kSecondaryEffect) != 0;
    layout.audioColours = (row.extras & kAudioColours) != 0;
    layout.firstDirection = row.directions.first;
    layout.secondDirection = row.directions.second;
    return layout;
}

}  // namespace

std::optional<LightLayout> LayoutOfEffect(int deviceKind, int effect)
{
    const auto table = TableOfKind(deviceKind);
    if (!table)
        return std::nullopt;
    const auto row = std::ranges::find_if(*table, [effect](const Row& candidate) {
        return std::ranges::find(candidate.effects, effect) != candidate.effects.end();
    });
    // Any other effect: every group off.
    return row != table->end() ? LayoutOfRow(*row) : LightLayout{};
}

}  // namespace q31::controls
