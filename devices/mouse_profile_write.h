#pragma once
// Putting a mouse profile on the mouse, in the order a profile switch needs:
// settings record, macros, key table. The buttons name their macros by the
// slots of the macro block written just before them. Shared by the mouse page
// and the command line tool.
#include "devices/mouse_layout.h"
#include "devices/mouse_settings_record.h"
#include "devices/profile_macro_step.h"
#include "macros/macro_files.h"

#include <cstdint>
#include <optional>
#include <vector>

class CDeviceLink;
class CMouseProfiledata;

namespace q31::devices {

struct MouseProfileImage {
    MouseSettingsRecord settings{};  // for profile page 0: byte 0 = 0, byte 59 = 1
    std::vector<KeyListEntry> keys;  // one per button, in button order
};

// What the profile document puts on the mouse. modeCodes: the mouse's light
// mode codes, in mode index order; screen: the primary screen's size.
MouseProfileImage MouseProfileImageOf(const CMouseProfiledata& profile, const std::vector<std::uint8_t>& modeCodes,
                                      ScreenSize screen);

using MouseProfileWriteResult = ProfileWriteResult;

// layout: as read from this mouse. A macro block that does not fit is left
// out and the rest still written, so the buttons name the slots the mouse
// already holds. Without a macro folder the macro-bound buttons get their
// default codes, as with an empty macro list. Key table for profile 0. Every
// command through a receiver waits for the mouse to answer (mouse_link_gate.h).
MouseProfileWriteResult WriteMouseProfile(CDeviceLink& link, const MouseLayoutRead& layout,
                                          const MouseProfileImage& image,
                                          const std::optional<macros::MacroFolder>& macroFolder);

}  // namespace q31::devices
