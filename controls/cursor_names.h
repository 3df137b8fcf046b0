#pragma once
// The pointer shapes that layouts name in a "cursor" attribute ("arrow",
// "hand", "sizewe", ...), as Qt's cursor shapes.
#include <QString>

#include <optional>

namespace q31::controls {

// Empty for a name that is not one of the standard cursors.
std::optional<Qt::CursorShape> CursorShapeFromName(const QString& name);

}  // namespace q31::controls
