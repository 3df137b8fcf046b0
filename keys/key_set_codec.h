#pragma once
// The key editor's fields and the function code they stand for, without any
// widget: the editor panel and q31ctl both turn codes into fields and back here.
#include "keys/function_naming.h"
#include "profiles/profile_records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace q31::keys {

// The function categories: user data of the category items and page numbers of the editor.
enum KeySetCategory : int {
    kCategoryDefault = 0,
    kCategoryMouseButton = 1,
    kCategoryScroll = 2,
    kCategoryWheel = 3,
    kCategoryDpi = 4,
    kCategoryRapidFire = 5,
    kCategoryKey = 6,
    kCategoryMedia = 7,
    kCategorySystem = 8,
    kCategoryMacro = 9,
    kCategoryRecoil = 10,
    kCategoryShortcut = 11,
};
inline constexpr int kCategoryCount = 12;
// The repeat-mode item that repeats a macro a typed number of times.
inline constexpr int kMacroRepeatCountMode = 4;
inline constexpr int kMacroRepeatModes = 5;
inline constexpr int kModifierOptions = 5;  // none, Ctrl, Shift, Alt, Win
inline constexpr int kNone = -1;            // no item or option selected

// The keyboard offers neither DPI actions nor recoil profiles.
bool IsCategoryOffered(int category, Page page);

struct KeySetFields {
    int category = kCategoryDefault;
    int mouseButton = kNone;
    int scrollDirection = 0;  // 0 left, 1 right
    int scrollCount = 0;
    int scrollDelay = 0;
    int scrollSpeed = 0;
    int wheelDirection = 0;  // 0 up, 1 down
    int wheelCount = 0;
    int wheelDelay = 0;
    int wheelSpeed = 0;
    int dpiAction = kNone;
    int fireInterval = 0;
    int fireShots = 0;
    int modifier = kNone;   // option 0 none, 1 Ctrl, 2 Shift, 3 Alt, 4 Win
    std::string keyNameKey;  // the key field's caption as a name key; empty: the field is empty
    int media = kNone;
    int system = kNone;
    int macro = kNone;
    int macroMode = kNone;
    int macroRepeat = 0;
    bool macroRepeatShown = false;
    int recoil = kNone;
    int shortcut = kNone;
    bool operator==(const KeySetFields&) const = default;
};

// The code the fields give; the current code when they give none.
FunctionCode EncodeKeySet(const KeySetFields& fields, FunctionCode current, FunctionCode defaults, int macroCount);

struct DecodedKeySet {
    KeySetFields fields;
    std::optional<int> shownCategory;  // none: the panel is hidden
    FunctionCode current;              // a key code naming no key is cleared
};

// Shows code in the fields; fields of other categories keep what shown has.
DecodedKeySet DecodeKeySet(const KeySetFields& shown, FunctionCode code, FunctionCode current, FunctionCode defaults,
                           Page page, int macroCount);

struct CapturedKeySet {
    KeySetFields fields;
    FunctionCode current;  // the key's usage in data 2
};

// A key event seen while the key field has the focus; none for keys the key table does not know.
std::optional<CapturedKeySet> CaptureKey(const KeySetFields& shown, FunctionCode current, std::uint8_t scanLow,
                                         bool extended);

}  // namespace q31::keys
