#pragma once
// The mouse's 71-byte settings record of one profile (at address profile x 128
// of its parameter memory; the first 66 bytes are written): what is written
// from the profile's light info, system words, DPI stages and corrections, and
// what is taken back from a record read.
#include "devices/mouse_dpi.h"
#include "profiles/profile_records.h"
#include "protocol/result_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDeviceLink;

namespace q31::devices {

inline constexpr std::size_t kMouseSettingsRecordSize = 71;
inline constexpr std::size_t kMouseSettingsWriteSize = 66;
inline constexpr int kMouseSettingsStride = 128;
// The profiles the mouse's parameter memory holds (8 x 128 bytes); a profile
// number past them is refused before its page is read or written.
inline constexpr int kMouseProfiles = 8;

using MouseSettingsRecord = std::array<std::uint8_t, kMouseSettingsRecordSize>;

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// What the profile gives the record.
struct MouseSettings {
    LightSettings light{};
    SystemWords system{};  // the polling rate code in the high half of word 3
    int currentStage = 0;
    std::vector<DpiStage> stages;
    std::vector<CorrectionEntry> corrections;
};

// The code a light mode index is sent as: an index of 10 or more, or one
// without an entry, sends entry 0 (0 when the list is empty).
std::uint8_t MouseLightModeCode(int modeIndex, const std::vector<std::uint8_t>& modeCodes);

// byte0: the profile argument (0 from the page); byte59: 1 from the page.
// Values are held in their ranges: speed, current stage and polling code 0..4
// (a polling code outside them sends 0), screen sides 0..65535, corrections 0..255.
MouseSettingsRecord PackMouseSettings(const MouseSettings& settings, const std::vector<std::uint8_t>& modeCodes,
                                      std::uint8_t byte0, std::uint8_t byte59, ScreenSize screen);

struct MouseSettingsRead {
    MouseSettingsRecord record{};  // byte 0 the current profile, byte 9 cleared
    LightSettings light{};         // the given light settings with the record's values taken in
    int currentStage = 0;          // 0..4
};

// Takes in a record the mouse sent: untrusted, so every value stays in its
// range. The mode index is the first entry equal to the code (the code itself
// when none is); brightness 0..4; the direction stays the given one.
MouseSettingsRead TakeMouseSettings(const MouseSettingsRecord& record, std::uint8_t currentProfile,
                                    const LightSettings& light, const std::vector<std::uint8_t>& modeCodes);

// Writes the first 66 bytes at profilePage x 128 in one bracket, closed also
// when a command fails. Returns the first failing link code; a page past the
// mouse's profiles is refused (kResultWriteFailed) before anything is sent.
int WriteMouseSettings(CDeviceLink& link, const MouseSettingsRecord& record, int profilePage);

struct MouseSettingsFetch {
    int result = kResultNoReply;  // the first failing link code, else success
    std::uint8_t currentProfile = 0;
    MouseSettingsRecord record{};
};

// The mouse's current profile (1 byte at address 0), then its record. A
// profile number past the mouse's profiles counts as no reply.
MouseSettingsFetch ReadMouseSettings(CDeviceLink& link);

}  // namespace q31::devices
