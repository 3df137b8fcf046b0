#include "devices/keyboard_profile_write.h"

#include "devices/config_bracket.h"
#include "devices/keyboard_key_table.h"
#include "devices/key_map_transfers.h"
#include "profiles/keyboard_profile_data.h"
#include "protocol/device_link.h"

#include <algorithm>

namespace q31::devices {
namespace {

constexpr int kModeIndexByte = 0;
constexpr std::uint32_t kAddressSpace = 0x10000;

std::uint8_t Scaled(std::uint8_t value, std::uint8_t brightness)
{
    return std::uint8_t(value * brightness / 256);
}

}  // namespace

KeyboardProfileImage KeyboardProfileImageOf(CKeyboardProfiledata& profile, const std::vector<std::uint8_t>& modeCodes)
{
    const LightSettings light = profile.ReadLightInfo();
    KeyboardProfileImage image;
    image.settings = PackKeyboardSettings(0, light, KeyboardFlagsOf(profile.ReadKeyboardSystem()), modeCodes);
    image.keys = profile.ReadKeyList();
    if (light[kModeIndexByte] == kCustomColourMode) {
        const int group = light[kKeyboardCustomGroup];
        image.colours = KeyboardCustomColours{group, profile.ReadCustomLightColors(group, kKeyboardKeys)};
    }
    return image;
}

KeyboardImage CustomColourPage(const KeyboardLayout& layout, const std::vector<CustomColour>& colours)
{
    KeyboardImage page{};
    const std::size_t keys = std::min(colours.size(), layout.lightOfKey.size());
    for (std::size_t key = 0; key < keys; ++key) {
        const int light = layout.lightOfKey[key];
        if (light >= kMaxKeyPositions)
            continue;
        const CustomColour& colour = colours[key];
        page[3 * light] = Scaled(colour.red, colour.alpha);
        page[3 * light + 1] = Scaled(colour.green, colour.alpha);
        page[3 * light + 2] = Scaled(colour.blue, colour.alpha);
    }
    return page;
}

int WriteKeyboardSettings(CDeviceLink& link, const KeyboardSettingsRecord& record, std::uint16_t address)
{
    return InConfigBracket(link, [&] { return link.WriteParams(record.data(), record.size(), address); });
}

int WriteKeyboardKeyTable(CDeviceLink& link, const KeyboardImage& block, int bank)
{
    return WriteKeyMapImage(link, block, bank);
}

int WriteCustomColours(CDeviceLink& link, const KeyboardLayout& layout, const KeyboardCustomColours& colours)
{
    if (colours.group < 0 || std::uint32_t(colours.group) * kColourPageSize >= kAddressSpace)
        return kResultWriteFailed;
    const KeyboardImage page = CustomColourPage(layout, colours.colours);
    const auto length = std::size_t(3 * std::clamp(layout.positions, 0, kMaxKeyPositions));
    return InConfigBracket(link, [&] { return link.WritePage(page.data(), length, colours.group, kColourPageSize); });
}

KeyboardProfileWriteResult WriteKeyboardProfile(CDeviceLink& link, const KeyboardImage& keyMap,
                                                const KeyboardLayout& layout, const KeyboardProfileImage& profile,
                                                const std::optional<macros::MacroFolder>& macroFolder)
{
    KeyboardProfileWriteResult written;
    if (!link.IsOpen()) {
        written.result = kResultNoReply;
        return written;
    }
    written.result = WriteKeyboardSettings(link, profile.settings, 0);
    if (written.result != kResultSuccess)
        return written;

    const KeyboardKeyTable table = BuildKeyboardKeyTable(keyMap, layout, profile.keys, MacroCountOf(macroFolder));
    if (!WriteProfileMacros(link, macroFolder, table.macroSlots, written))
        return written;

    if (profile.colours) {
        written.result = WriteCustomColours(link, layout, *profile.colours);
        if (written.result != kResultSuccess)
            return written;
    }
    written.result = WriteKeyboardKeyTable(link, table.block, 0);
    return written;
}

}  // namespace q31::devices
