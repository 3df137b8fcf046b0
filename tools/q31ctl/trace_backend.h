#pragma once
// A HID back end that passes everything on to another one and prints every
// report written and read, as the two hex lines of the debug output.
#include <memory>
#include <ostream>

#include "hid/hid_backend.h"

namespace q31::ctl {

std::shared_ptr<hid::IHidBackend> MakeTraceBackend(std::shared_ptr<hid::IHidBackend> inner, std::ostream& out);

}  // namespace q31::ctl
