#include "macros/macro_event.h"

#include "profiles/json_access.h"
#include "profiles/styled_json.h"

namespace q31::macros {

Json::Value EventObject(const MacroEvent& event, const Json::Value& delay)
{
    Json::Value object(Json::objectValue);
    object["Action"] = event.down ? "down" : "up";
    object["Type"] = event.type;
    object["Button"] = event.button;
    object["Delay"] = delay;
    return object;
}

std::string EventText(const Json::Value& event)
{
    return StyledJsonText(event);
}

EditorRow RowOfEvent(const Json::Value& event)
{
    return {QString::number(DelayOf(json::Member(event, "Delay"))), EventText(event)};
}

}  // namespace q31::macros
