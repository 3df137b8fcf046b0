#pragma once
// The keyboard key list: rows 0-7 the modifiers, 8-113 the plain keys (type
// 0x20), then consumer keys, system keys and the keyboard's own special keys.
#include "keys/catalogue_lists.h"

#include <vector>

namespace q31::keys {

inline constexpr int kKeyboardKeyRows = 142;
inline constexpr int kModifierRows = 8;
inline constexpr int kKeyboardCodeRows = 114;  // the rows of type 0x20

const std::vector<CatalogueRow>& KeyboardKeyRows();

}  // namespace q31::keys
