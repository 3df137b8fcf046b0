#include "controls/colour_component_text.h"

#include <algorithm>

namespace q31::controls {

namespace {

constexpr int kHighest = 255;

}  // namespace

int ColourComponentOfText(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+')))
        negative = text[at++] == QLatin1Char('-');
    int value = 0;
    for (; at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'); ++at) {
        // Past the highest colour value more digits change nothing, so the sum never overflows.
        value = std::min(value * 10 + (text[at].unicode() - '0'), kHighest + 1);
    }
    if (negative)
        return 0;
    return std::min(value, kHighest);
}

}  // namespace q31::controls
