#pragma once
// What a typed red, green or blue text stands for.
#include <QString>

namespace q31::devices {

// 0..255: a number above 255, however many digits it has, gives 255; a negative
// number, an empty text or anything that is not a decimal number gives 0.
int ChannelValueOfText(const QString& text);

}  // namespace q31::devices
