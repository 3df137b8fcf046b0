#pragma once
// Colours in skins: "#AARRGGBB", "#RRGGBB" or "0xAARRGGBB" -> 0xAARRGGBB.
#include "platform/win_types.h"

#include <QString>

#include <optional>

namespace q31::ui {

// Empty when malformed; six digits mean an opaque colour.
std::optional<DWORD> ParseColourValue(const QString& text);

}  // namespace q31::ui
