#pragma once
// Reads a profile document through every profile class, as the device pages
// do, and saves it back.
#include <QString>

namespace q31::fuzz {

// number picks the custom colour group read.
void ReadThroughEveryProfileClass(const QString& path, int number);

}  // namespace q31::fuzz
