#pragma once
// Controls that come in rows are named by a prefix and a decimal number
// ("key_12", "light_3"); this splits such a name.
#include <QString>

#include <optional>

namespace q31::devices {

struct IndexedName {
    QString prefix;  // with its trailing underscore: "key_"
    int number = 0;
};

// Empty when the name does not end in a decimal number that fits an int.
std::optional<IndexedName> SplitIndexedName(const QString& name);

}  // namespace q31::devices
