#include "tools/q31ctl/keyboard_commands.h"

#include <json/json.h>

#include "devices/keyboard_layout_read.h"
#include "devices/keyboard_mode_codes.h"
#include "devices/keyboard_profile_write.h"
#include "platform/folders.h"
#include "profiles/keyboard_profile_data.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

int FailWithResult(Console console, const std::string& what, int result)
{
    const Outcome outcome = OutcomeOfResult(result);
    return Fail(console, outcome.exitStatus, what + ": " + outcome.message);
}

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
    const devices::KeyboardProfileImage image = devices::KeyboardProfileImageOf(
        profile, devices::ReadKeyboardModeCodes(DefaultDataFolder() + QStringLiteral("default_light.json")));
    const devices::KeyboardLayoutRead read = devices::ReadKeyboardLayout(link);
    if (read.result != kResultSuccess)
        return FailWithResult(console, "the key layout could not be read", read.result);
    std::optional<macros::MacroFolder> macroFolder;
    if (!options.macroFolder.empty())
        macroFolder.emplace(QString::fromStdString(options.macroFolder));
    const devices::KeyboardProfileWriteResult written =
        devices::WriteKeyboardProfile(link, read.keyMap, read.layout, image, macroFolder);
    if (written.result != kResultSuccess)
        return FailWithResult(console, "the profile was not written", written.result);
    if (written.macros == -1)
        return Fail(console, kExitFailure, "the macros were not written: no memory for the macro block");
    if (written.macros > 0)
        return Fail(console, kExitFailure,
                    "the macros were not written: about " + std::to_string(written.macros) +
                        " events too many for the keyboard's macro memory");
    return kExitSuccess;
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
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    console.out << Json::writeString(writer, layout) << '\n';
    return kExitSuccess;
}

}  // namespace q31::ctl
