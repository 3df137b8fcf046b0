#pragma once
// Which parameter groups of the lighting editor an effect uses, by device kind
// (1 keyboard, 2 mouse, 3 mouse pad, 7 headset). Groups left out are disabled
// but stay in place, so the panel does not jump from effect to effect.
#include <optional>

namespace q31::controls {

enum class GroupState { Off, On, Hidden };

struct LightLayout {
    bool multiColour = false;  // "deng_7color_check"
    bool colour = false;       // "deng_color_layout"
    bool palette = false;      // "colorpallet_layout"
    bool brightness = false;   // "deng_light_layout"
    GroupState speed = GroupState::Off;  // "deng_speed_layout"
    bool direction = false;    // "deng_fx_layout"
    // "deng_same_mode" is offered while other devices could follow.
    bool sameMode = false;
    bool colourLayout = true;  // "light_color_layout" enabled
    bool customGroups = false;     // "lightcustom_layout" shown
    bool secondaryEffect = false;  // "light_combo_ZZCCmodeSelectLayout" shown
    bool audioColours = false;     // "light_combo_AudiomodeSelectLayout" shown, colour tab page 1
    // Language keys of "deng_FXL_check" and "deng_FXR_check".
    const char* firstDirection = "light_set_right_to_left_text";
    const char* secondDirection = "light_set_left_to_right_text";

    bool operator==(const LightLayout&) const = default;
};

// Empty for a kind that has no lighting editor.
std::optional<LightLayout> LayoutOfEffect(int deviceKind, int effect);

}  // namespace q31::controls
