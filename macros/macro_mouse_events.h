#pragma once
// The mouse events the editor inserts by hand: the buttons of the event menu
// and the four moves, each chosen by a window message and a variant.
#include <QString>
#include <json/value.h>

#include <optional>
#include <vector>

namespace q31::macros {

inline constexpr unsigned kMouseMoveMessage = 0x0200;

struct MouseInsertion {
    unsigned message;
    int variant;
};

// The event of a message and variant: moves carry the distance's low 8 bits;
// none for a pair the editor does not insert.
std::optional<Json::Value> MouseEventFor(MouseInsertion insertion, int distance, int delay);

// The insertions of an event menu item ("left_click" gives the press, then the
// release); empty for other names.
std::vector<MouseInsertion> MenuItemInsertions(const QString& item);

// The move of a "macro_inset_..." button.
std::optional<MouseInsertion> MoveButtonFor(const QString& button);
// The field holding the distance of a move variant; empty for others.
QString DistanceFieldOf(int moveVariant);

// Menu items that start a recording: the record mode (0: the one the
// "macro_check_time" box chooses) and the hook mode.
struct RecordingItem {
    int recordMode;
    int hookMode;
};
std::optional<RecordingItem> RecordingItemFor(const QString& item);

}  // namespace q31::macros
