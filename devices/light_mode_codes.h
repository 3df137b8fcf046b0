#pragma once
// The codes a device knows its light modes by, from the shared effect list.
#include <QString>

#include <cstdint>
#include <vector>

namespace q31::devices {

// The list of the device kind (0 keyboard, 1 mouse, 2 mouse pad, 3 headset),
// in mode index order; empty when the file cannot be read or has no list for
// the kind. A value that is no number sends code 0.
std::vector<std::uint8_t> ReadLightModeCodes(const QString& effectListPath, int kindIndex);

}  // namespace q31::devices
