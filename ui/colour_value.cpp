#include "ui/colour_value.h"

namespace q31::ui {

std::optional<DWORD> ParseColourValue(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    else if (digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        digits.remove(0, 2);
    bool ok = false;
    const DWORD value = digits.toUInt(&ok, 16);
    if (!ok || (digits.size() != 6 && digits.size() != 8))
        return std::nullopt;
    return digits.size() == 6 ? (0xFF000000u | value) : value;
}

}  // namespace q31::ui
