#include "macros/macro_mouse_events.h"

#include <array>

namespace q31::macros {
namespace {

struct MouseRow {
    MouseInsertion insertion;
    int type;
    bool down;
    int button;  // -1: the distance
};

constexpr std::array kRows = std::to_array<MouseRow>({
    {{0x0201, 0}, 1, true, 0x01},
    {{0x0202, 0}, 1, false, 0x01},
    {{0x0204, 0}, 1, true, 0x02},
    {{0x0205, 0}, 1, false, 0x02},
    {{0x0207, 0}, 1, true, 0x04},
    {{0x0208, 0}, 1, false, 0x04},
    {{0x020B, 0}, 1, true, 0x10},
    {{0x020C, 0}, 1, false, 0x10},
    {{0x020B, 1}, 1, true, 0x08},
    {{0x020C, 1}, 1, false, 0x08},
    {{kMouseMoveMessage, 0}, 4, true, -1},
    {{kMouseMoveMessage, 1}, 4, false, -1},
    {{kMouseMoveMessage, 2}, 5, true, -1},
    {{kMouseMoveMessage, 3}, 5, false, -1},
});

struct ButtonItems {
    const char* name;
    MouseInsertion down;
    MouseInsertion up;
};

constexpr std::array kButtonItems = std::to_array<ButtonItems>({
    {"left", {0x0201, 0}, {0x0202, 0}},
    {"right", {0x0204, 0}, {0x0205, 0}},
    {"middle", {0x0207, 0}, {0x0208, 0}},
    {"forward", {0x020B, 0}, {0x020C, 0}},
    {"back", {0x020B, 1}, {0x020C, 1}},
});

struct MoveItem {
    const char* button;
    const char* field;
    int variant;
};

constexpr std::array kMoveItems = std::to_array<MoveItem>({
    {"macro_inset_moveleftkey_btn", "mouse_x_left_edit", 0},
    {"macro_inset_moverightkey_btn", "mouse_x_right_edit", 1},
    {"macro_inset_moveupkey_btn", "mouse_y_up_edit", 2},
    {"macro_inset_movedownkey_btn", "mouse_y_down_edit", 3},
});

struct NamedRecording {
    const char* item;
    RecordingItem recording;
};

constexpr std::array kRecordingItems = std::to_array<NamedRecording>({
    {"macro_btn_starredio", {0, 4}},
    {"redio_previous_record_time", {0, 8}},
    {"redio_previous_constant_time", {2, 8}},
    {"redio_previous_ignore_time", {3, 8}},
    {"redio_later_record_time", {0, 16}},
    {"redio_later_constant_time", {2, 16}},
    {"redio_later_ignore_time", {3, 16}},
    {"macro_action_edit", {3, 32}},
});

}  // namespace

std::optional<Json::Value> MouseEventFor(MouseInsertion insertion, int distance, int delay)
{
    for (const MouseRow& row : kRows) {
        if (row.insertion.message != insertion.message || row.insertion.variant != insertion.variant)
            continue;
        Json::Value event(Json::objectValue);
        event["Action"] = row.down ? "down" : "up";
        event["Button"] = row.button < 0 ? (distance & 0xFF) : row.button;
        event["Type"] = row.type;
        event["Delay"] = std::to_string(delay);
        return event;
    }
    return std::nullopt;
}

std::vector<MouseInsertion> MenuItemInsertions(const QString& item)
{
    for (const ButtonItems& button : kButtonItems) {
        const QString name = QLatin1String(button.name);
        if (item == name + QLatin1String("_down"))
            return {button.down};
        if (item == name + QLatin1String("_up"))
            return {button.up};
        if (item == name + QLatin1String("_click"))
            return {button.down, button.up};
    }
    return {};
}

std::optional<MouseInsertion> MoveButtonFor(const QString& button)
{
    for (const MoveItem& move : kMoveItems) {
        if (button == QLatin1String(move.button))
            return MouseInsertion{kMouseMoveMessage, move.variant};
    }
    return std::nullopt;
}

QString DistanceFieldOf(int moveVariant)
{
    for (const MoveItem& move : kMoveItems) {
        if (move.variant == moveVariant)
            return QLatin1String(move.field);
    }
    return {};
}

std::optional<RecordingItem> RecordingItemFor(const QString& item)
{
    for (const NamedRecording& named : kRecordingItems) {
        if (item == QLatin1String(named.item))
            return named.recording;
    }
    return std::nullopt;
}

}  // namespace q31::macros
