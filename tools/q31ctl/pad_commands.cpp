#include "tools/q31ctl/pad_commands.h"

#include "devices/light_mode_codes.h"
#include "devices/pad_settings_record.h"
#include "hid/hid_catalogue.h"
#include "profiles/basic_profile_data.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/profile_command_steps.h"

namespace q31::ctl {

int ApplyPadProfile(const Options& options, CDeviceLink& link, Console console)
{
    CBasicProfiledata profile;
    if (profile.LoadDeviceSection(QString::fromStdString(options.profilePath)).isNull())
        return Fail(console, kExitFailure, "the profile " + options.profilePath + " cannot be read");
    devices::PadRecord state{};
    devices::PutPadLight(state, profile.ReadLightInfo());
    // Nothing of the pad's own is known yet: the write reads it first.
    const devices::PadSettingsWrite written = devices::WritePadSettings(
        link, state, false, devices::ReadLightModeCodes(DefaultEffectList(), kKindMousePad), 0);
    if (written.result != kResultSuccess)
        return FailWithResult(console, "the profile was not written", written.result);
    return kExitSuccess;
}

}  // namespace q31::ctl
