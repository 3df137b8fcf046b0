#include "devices/indexed_name.h"

namespace q31::devices {

std::optional<IndexedName> SplitIndexedName(const QString& name)
{
    qsizetype start = name.size();
    while (start > 0 && name.at(start - 1).isDigit() && name.at(start - 1).unicode() < 128)
        --start;
    if (start == name.size())
        return std::nullopt;
    bool ok = false;
    const int number = name.mid(start).toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return IndexedName{name.left(start), number};
}

}  // namespace q31::devices
