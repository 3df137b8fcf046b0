#include "tools/q31ctl/mouse_commands.h"

#include "devices/light_mode_codes.h"
#include "devices/mouse_profile_write.h"
#include "hid/hid_catalogue.h"
#include "profiles/mouse_profile_data.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/profile_command_steps.h"

namespace q31::ctl {
namespace {

Json::Value SlotsOf(const devices::MouseSlotMap& buttonSlots)
{
    Json::Value entries(Json::arrayValue);
    for (const std::uint8_t slot : buttonSlots)
        entries.append(slot == devices::kNoSlot ? -1 : int(slot));
    return entries;
}

Json::Value DpiOf(const devices::DpiLimits& limits)
{
    Json::Value dpi(Json::objectValue);
    dpi["step"] = limits.step;
    dpi["highestIndex"] = limits.highestIndex;
    dpi["lowestDpi"] = limits.lowestDpi;
    dpi["sensorId"] = limits.sensorId;
    return dpi;
}

}  // namespace

int ApplyMouseProfile(const Options& options, CDeviceLink& link, Console console)
{
    CMouseProfiledata profile;
    if (profile.LoadDeviceSection(QString::fromStdString(options.profilePath)).isNull())
        return Fail(console, kExitFailure, "the profile " + options.profilePath + " cannot be read");
    const devices::MouseProfileImage image =
        devices::MouseProfileImageOf(profile, devices::ReadLightModeCodes(DefaultEffectList(), kKindMouse),
                                     {options.screenWidth, options.screenHeight});
    const devices::MouseLayoutRead layout = devices::ReadMouseLayout(link);
    if (layout.result != kResultSuccess)
        return FailWithResult(console, "the button layout could not be read", layout.result);
    const devices::MouseProfileWriteResult written =
        devices::WriteMouseProfile(link, layout, image, MacroFolderOf(options));
    return FinishProfileWrite(console, written, "mouse");
}

int PrintMouseLayout(CDeviceLink& link, Console console)
{
    const devices::MouseLayoutRead read = devices::ReadMouseLayout(link);
    if (read.result != kResultSuccess)
        return FailWithResult(console, "the button layout could not be read", read.result);
    Json::Value layout(Json::objectValue);
    layout["keyCount"] = read.keyCount;
    layout["slots"] = SlotsOf(read.buttonSlots);
    layout["dpi"] = DpiOf(read.dpi);
    return PrintJsonLine(console, layout);
}

}  // namespace q31::ctl
