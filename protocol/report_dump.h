#pragma once
// The two hex lines a 64-byte report is written as in the debug output.
#include <QString>
#include <QStringList>

#include <cstdint>

namespace q31 {

// Bytes 0 to 31 and 32 to 63, in groups of four.
QStringList ReportHexLines(const std::uint8_t* report64);
// The label line ("命令" or "返回"), then the two hex lines; formats nothing
// while debug output is off.
void DumpReport(const QString& label, const std::uint8_t* report64);

}  // namespace q31
