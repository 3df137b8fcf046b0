#pragma once
// The codes the keyboard knows its light modes by, from the shared effect list.
#include <QString>

#include <cstdint>
#include <vector>

namespace q31::devices {

// In mode index order; empty when the file cannot be read. A value that is no
// number sends code 0.
std::vector<std::uint8_t> ReadKeyboardModeCodes(const QString& effectListPath);

}  // namespace q31::devices
