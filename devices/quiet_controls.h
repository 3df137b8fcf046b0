#pragma once
// The page controls' quiet setters, under the names the device pages use.
#include "controls/quiet_controls.h"

namespace q31::devices {

using q31::controls::ShowSelected;
using q31::controls::ShowValue;

}  // namespace q31::devices
