#pragma once
// What the user is told when the macros of the keys could not be written.
#include <QString>

namespace q31::devices {

// The language text for a macro write result: -1 (no memory) and k > 0 (too
// large by about k events) have one; every other result none (empty).
QString MacroWriteMessage(int result);

// A translated text with every "%d" replaced by the count. Nothing else in
// it is taken as a format: a translation may hold any "%" sequence.
QString WithCountFilledIn(QString text, int count);

}  // namespace q31::devices
