#pragma once
// One event of a macro as the editor keeps it: the event object of a ".mac"
// file, held as JSON text in its row.
#include "macros/macro_storage.h"

#include <json/value.h>

#include <string>

namespace q31::macros {

struct MacroEvent {
    bool down = false;  // "Action": "down", else "up"
    int type = 0;
    int button = 0;
    bool operator==(const MacroEvent&) const = default;
};

// The event object with its "Delay" (a number or a decimal string).
Json::Value EventObject(const MacroEvent& event, const Json::Value& delay);
// The indented JSON text a row keeps of an event object.
std::string EventText(const Json::Value& event);
// The row the editor shows for a stored event object.
EditorRow RowOfEvent(const Json::Value& event);

}  // namespace q31::macros
