#include "devices/colour_channel_text.h"

#include <QRegularExpression>

#include <algorithm>

namespace q31::devices {

int ChannelValueOfText(const QString& text)
{
    static const QRegularExpression kNumber(QStringLiteral("^([+-]?)0*(\\d*)$"));
    const QRegularExpressionMatch number = kNumber.match(text.trimmed());
    if (!number.hasMatch() || number.captured(1) == QLatin1String("-"))
        return 0;
    const QString digits = number.captured(2);
    // Longer than "255" can only be more, and would overflow an int.
    if (digits.size() > 3)
        return 255;
    return std::min(digits.toInt(), 255);
}

}  // namespace q31::devices
