#include "tools/q31ctl/keyboard_commands.h"

#include "devices/keyboard_layout_read.h"
#include "devices/keyboard_profile_write.h"
#include "devices/light_mode_codes.h"
#include "hid/hid_catalogue.h"
#include "profiles/keyboard_profile_data.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/profile_command_steps.h"

namespace q31::ctl {
namespace {

// Null where the keyboard has no entry.
template <std::size_t Size>
Json::Value EntriesOf(const std::array<std::uint8_t, Size>& map)
{
    Json::Value entries(Json::arrayValue);
    for (const std::uint8_t entry : map)
        entries.append(entry == devices::kNoKeyEntry ? Json::Value() : Json::Value(entry));
    return entries;
}

}  // namespace

int ApplyKeyboardProfile(const Options& options, CDeviceLink& link, Console console)
{
    CKeyboardProfiledata profile;
    if (profile.LoadDeviceSection(QString::fromStdString(options.profilePath)).isNull())
        return Fail(console, kExitFailure, "the profile " + options.profilePath + " cannot be read");
    const devices::KeyboardProfileImage image =
        devices::KeyboardProfileImageOf(profile, devices::ReadLightModeCodes(DefaultEffectList(), kKindKeyboard));
    const devices::KeyboardLayoutRead read = devices::ReadKeyboardLayout(link);
    if (read.result != kResultSuccess)
        return FailWithResult(console, "the key layout could not be read", read.result);
    const devices::KeyboardProfileWriteResult written =
        devices::WriteKeyboardProfile(link, read.keyMap, read.layout, image, MacroFolderOf(options));
    return FinishProfileWrite(console, written, "keyboard");
}

int PrintKeyboardLayout(CDeviceLink& link, Console console)
{
    const devices::KeyboardLayoutRead read = devices::ReadKeyboardLayout(link);
    if (read.result != kResultSuccess)
        return FailWithResult(console, "the key layout could not be read", read.result);
    Json::Value layout(Json::objectValue);
    layout["positions"] = read.layout.positions;
    layout["keyPositions"] = EntriesOf(read.layout.positionOfKey);
    layout["lightIndexes"] = EntriesOf(read.layout.lightOfKey);
    return PrintJsonLine(console, layout);
}

}  // namespace q31::ctl
