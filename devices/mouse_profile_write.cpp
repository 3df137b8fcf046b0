#include "devices/mouse_profile_write.h"

#include "devices/mouse_key_table.h"
#include "devices/mouse_link_gate.h"
#include "profiles/mouse_profile_data.h"

namespace q31::devices {
namespace {

constexpr std::uint8_t kPageByte0 = 0;
constexpr std::uint8_t kPageByte59 = 1;

}  // namespace

MouseProfileImage MouseProfileImageOf(const CMouseProfiledata& profile, const std::vector<std::uint8_t>& modeCodes,
                                      ScreenSize screen)
{
    MouseSettings settings;
    settings.light = profile.ReadLightInfo();
    settings.system = profile.ReadMouseSystem();
    profile.ReadDpiStages(settings.stages, settings.currentStage);
    settings.corrections = profile.ReadCorrections();
    return {PackMouseSettings(settings, modeCodes, kPageByte0, kPageByte59, screen), profile.ReadKeyList()};
}

MouseProfileWriteResult WriteMouseProfile(CDeviceLink& link, const MouseLayoutRead& layout,
                                          const MouseProfileImage& image,
                                          const std::optional<macros::MacroFolder>& macroFolder)
{
    MouseProfileWriteResult written;
    written.result = WriteMouseSettings(link, image.settings, 0);
    if (written.result != kResultSuccess)
        return written;

    const MouseKeyTable table =
        BuildMouseKeyTable(layout.keyMap, layout.buttonSlots, image.keys, MacroCountOf(macroFolder));
    MouseLinkGate gate(link);
    if (!WriteProfileMacros(link, macroFolder, table.macroSlots, written, gate.Gate()))
        return written;
    written.result = WriteMouseKeyTable(link, table.block, 0);
    return written;
}

}  // namespace q31::devices
