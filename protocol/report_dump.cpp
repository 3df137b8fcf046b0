#include "protocol/report_dump.h"

#include "platform/debug_log.h"

namespace q31 {
namespace {

constexpr int kBytesPerLine = 32;
constexpr int kBytesPerGroup = 4;
constexpr int kWideGroups = 4;  // the first four groups stand further apart

QString HexLine(const std::uint8_t* bytes)
{
    QString line;
    line.reserve(kBytesPerLine * 4);
    for (int i = 0; i < kBytesPerLine; ++i) {
        if (i > 0) {
            const int group = i / kBytesPerGroup;
            if (i % kBytesPerGroup != 0)
                line += QLatin1Char(' ');
            else
                line += group < kWideGroups ? QStringLiteral("   ") : QStringLiteral("  ");
        }
        line += QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
    }
    return line;
}

}  // namespace

QStringList ReportHexLines(const std::uint8_t* report64)
{
    return {HexLine(report64), HexLine(report64 + kBytesPerLine)};
}

void DumpReport(const QString& label, const std::uint8_t* report64)
{
    if (!lcQ31Debug().isDebugEnabled())
        return;
    OutputDebugText(label);
    for (const QString& line : ReportHexLines(report64))
        OutputDebugText(line);
}

}  // namespace q31
