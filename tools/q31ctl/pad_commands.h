#pragma once
// q31ctl's mouse pad command: the record a profile switch on the pad's page writes.
#include "tools/q31ctl/ctl_runner.h"

class CDeviceLink;

namespace q31::ctl {

// apply-profile: the profile's lighting in the pad's settings record; the
// pad's own bytes of the record are read from it first.
int ApplyPadProfile(const Options& options, CDeviceLink& link, Console console);

}  // namespace q31::ctl
