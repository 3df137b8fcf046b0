#pragma once
// The value of a red, green or blue edit: a decimal number with leading blanks
// and a sign allowed, read up to the first other character. Whatever is typed
// lands in 0-255: a negative number gives 0 and a number too large for a
// colour (however many digits) gives 255; no digits at all give 0.
#include <QString>

namespace q31::controls {

int ColourComponentOfText(const QString& text);

}  // namespace q31::controls
