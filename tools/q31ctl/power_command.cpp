#include "tools/q31ctl/power_command.h"

#include "devices/power_status_read.h"
#include "mouse_extras/power_view.h"
#include "protocol/result_codes.h"
#include "tools/q31ctl/profile_command_steps.h"

namespace q31::ctl {
namespace {

template <class T>
Json::Value OrNull(const std::optional<T>& value)
{
    return value ? Json::Value(*value) : Json::Value();
}

}  // namespace

int PrintPowerView(const Options& options, CDeviceLink& link, Console console)
{
    const devices::PowerStatusRead read = devices::ReadPowerStatusRecord(link);
    if (read.result != kResultSuccess)
        return FailWithResult(console, "the status could not be read", read.result);
    const mouse_extras::PowerView view = mouse_extras::PowerViewOf(options.deviceType.value_or(0), read.status);
    Json::Value printed(Json::objectValue);
    printed["text"] = view.text;
    printed["progress"] = view.progress;
    printed["barShown"] = OrNull(view.barShown);
    printed["statusImage"] = OrNull(view.statusImage);
    printed["wirelessLogo"] = OrNull(view.wirelessLogo);
    printed["phoneType"] = view.phone ? Json::Value(view.phone->textId) : Json::Value();
    return PrintJsonLine(console, printed);
}

}  // namespace q31::ctl
