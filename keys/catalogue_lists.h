#pragma once
// The ordered lists the user picks key functions from. A row's position is the
// index of its item in the editor's selection list; the naming rule searches
// the lists in this order.
#include "profiles/profile_records.h"

#include <optional>
#include <string>
#include <vector>

namespace q31::keys {

struct CatalogueRow {
    std::string nameKey;  // empty for the editor shortcuts, captioned by the skin
    FunctionCode code;
};

enum class CatalogueList {
    MouseButtons,
    ScrollDirections,  // names only; the editor builds the code from parameters
    DpiActions,
    RapidFire,         // name only
    MediaAndBrowser,
    System,
    EditorShortcuts,
    EditShortcuts,
    RecoilProfiles,
    MouseSpecial,
    KeyboardKeys,
};
inline constexpr int kCatalogueListCount = 11;

const std::vector<CatalogueRow>& Rows(CatalogueList list);

// The code of the row at that position, or none.
std::optional<FunctionCode> CodeAt(CatalogueList list, int position);
// The first position whose row has the code's data 1 and data 2 (the type is
// not compared), or none.
std::optional<int> PositionOf(CatalogueList list, FunctionCode code);

}  // namespace q31::keys
