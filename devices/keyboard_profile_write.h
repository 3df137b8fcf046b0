#pragma once
// Putting a keyboard profile on the keyboard, in the order a profile switch
// needs: settings record, macros, custom colours, key table. The keys name
// their macros by the slots of the macro block written just before them.
// Shared by the keyboard page and the command line tool.
#include "devices/keyboard_layout.h"
#include "devices/keyboard_settings_record.h"
#include "devices/profile_macro_step.h"
#include "macros/macro_files.h"
#include "protocol/result_codes.h"

#include <cstdint>
#include <optional>
#include <vector>

class CDeviceLink;
class CKeyboardProfiledata;

namespace q31::devices {

// The light mode in which the keyboard shows the custom colours.
inline constexpr int kCustomColourMode = 19;
inline constexpr int kColourPageSize = 512;

struct KeyboardCustomColours {
    int group = 0;                      // the colour page
    std::vector<CustomColour> colours;  // per logical key; alpha is the brightness
};

struct KeyboardProfileImage {
    KeyboardSettingsRecord settings{};
    std::vector<KeyListEntry> keys;
    std::optional<KeyboardCustomColours> colours;  // none outside the custom colour mode
};

// What the profile document puts on the keyboard. modeCodes: the keyboard's
// light mode codes, in mode index order.
KeyboardProfileImage KeyboardProfileImageOf(CKeyboardProfiledata& profile, const std::vector<std::uint8_t>& modeCodes);

// Each key's colour at its light, scaled by its brightness.
KeyboardImage CustomColourPage(const KeyboardLayout& layout, const std::vector<CustomColour>& colours);

// Each returns the first failing link code; a configuration bracket it opens
// is closed also when a command fails.
int WriteKeyboardSettings(CDeviceLink& link, const KeyboardSettingsRecord& record, std::uint16_t address);
// The block length comes from the keyboard's own count of key positions.
int WriteKeyboardKeyTable(CDeviceLink& link, const KeyboardImage& block, int bank);
// A group whose page lies past the 16-bit address space is refused before anything is sent.
int WriteCustomColours(CDeviceLink& link, const KeyboardLayout& layout, const KeyboardCustomColours& colours);

using KeyboardProfileWriteResult = ProfileWriteResult;

// keyMap and layout: as read from this keyboard. A macro block that does not
// fit is left out and the rest still written, so the keys name the slots the
// keyboard already holds. Without a macro folder the macro-bound keys get
// their default codes, as with an empty macro list. Key table in bank 0.
KeyboardProfileWriteResult WriteKeyboardProfile(CDeviceLink& link, const KeyboardImage& keyMap,
                                                const KeyboardLayout& layout, const KeyboardProfileImage& profile,
                                                const std::optional<macros::MacroFolder>& macroFolder);

}  // namespace q31::devices
