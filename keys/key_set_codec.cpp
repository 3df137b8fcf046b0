#include "keys/key_set_codec.h"

#include "keys/catalogue_lists.h"
#include "keys/function_types.h"
#include "keys/key_identity.h"
#include "keys/keyboard_keys.h"

#include <algorithm>

namespace q31::keys {
namespace {

constexpr int kCountLimit = 0x7F;
constexpr std::uint8_t kDirectionBit = 0x80;

std::uint8_t Byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

std::uint8_t DelayAndSpeed(int delay, int speed)
{
    return Byte((delay & 0x0F) * 16 + (speed & 0x0F));
}

int Position(CatalogueList list, FunctionCode code)
{
    return PositionOf(list, code).value_or(kNone);
}

// The row's code, or the current code when nothing is selected.
FunctionCode RowOr(CatalogueList list, int position, FunctionCode current)
{
    return CodeAt(list, position).value_or(current);
}

// Left and right modifiers of one kind share an option: 1 Ctrl, 2 Shift, 3 Alt, 4 Win.
int ModifierOptionOfRow(int row)
{
    return (row + 1) % kModifierOptions + (row + 1) / kModifierOptions;
}

FunctionCode EncodeMacro(const KeySetFields& fields, FunctionCode current, int macroCount)
{
    if (fields.macro < 0 || fields.macro >= macroCount)
        return current;
    if (fields.macroMode == kMacroRepeatCountMode)
        return {kMacroRepeated, Byte(fields.macro), Byte(fields.macroRepeat)};
    return {kMacro, Byte(fields.macro), Byte(std::max(fields.macroMode, 0))};
}

void DecodeKeyboardKey(DecodedKeySet& decoded, FunctionCode code)
{
    KeySetFields& fields = decoded.fields;
    const auto& rows = KeyboardKeyRows();
    if (code.data1 == 0) {
        const int row = Position(CatalogueList::KeyboardKeys, code);
        if (row != kNone) {
            fields.modifier = 0;
            fields.keyNameKey = rows[static_cast<std::size_t>(row)].nameKey;
        } else {
            fields.modifier = kNone;
            fields.keyNameKey.clear();
            decoded.current.data1 = 0;
            decoded.current.data2 = 0;
        }
        return;
    }
    fields.modifier = 0;
    for (int row = 0; row < kModifierRows; ++row) {
        if (rows[static_cast<std::size_t>(row)].code.data1 == code.data1) {
            fields.modifier = ModifierOptionOfRow(row);
            break;
        }
    }
    const auto plain = std::find_if(rows.begin() + kModifierRows, rows.end(), [&](const CatalogueRow& row) {
        return row.code.type == kKeyboardKey && row.code.data1 == 0 && row.code.data2 == code.data2;
    });
    if (plain != rows.end())
        fields.keyNameKey = plain->nameKey;
}

void DecodeMacro(KeySetFields& fields, FunctionCode code, int macroCount)
{
    const bool exists = code.data1 < macroCount;
    fields.macro = exists ? code.data1 : kNone;
    if (code.type == kMacroRepeated) {
        fields.macroMode = exists ? kMacroRepeatCountMode : kNone;
        fields.macroRepeat = code.data2;
        fields.macroRepeatShown = true;
    } else {
        fields.macroMode = exists && code.data2 < kMacroRepeatModes ? code.data2 : kNone;
        fields.macroRepeatShown = false;
    }
}

// The page the code shows on, after filling that page's fields.
std::optional<int> DecodeFields(DecodedKeySet& decoded, FunctionCode code, int type, int macroCount)
{
    KeySetFields& fields = decoded.fields;
    switch (type) {
    case kNoFunction:
        return kCategoryDefault;
    case kMouseButton:
        fields.mouseButton = Position(CatalogueList::MouseButtons, code);
        return kCategoryMouseButton;
    case kHorizontalScroll:
        fields.scrollDelay = code.data1 >> 4;
        fields.scrollSpeed = code.data1 & 0x0F;
        fields.scrollDirection = (code.data2 & kDirectionBit) ? 1 : 0;
        fields.scrollCount = code.data2 & kCountLimit;
        return kCategoryScroll;
    case kVerticalWheel:
        fields.wheelDelay = code.data1 >> 4;
        fields.wheelSpeed = code.data1 & 0x0F;
        fields.wheelDirection = (code.data2 & kDirectionBit) ? 1 : 0;
        fields.wheelCount = fields.wheelDirection ? 128 - (code.data2 & kCountLimit) : code.data2;
        return kCategoryWheel;
    case kDpiAction:
        fields.dpiAction = Position(CatalogueList::DpiActions, code);
        return kCategoryDpi;
    case kRapidFire:
        fields.fireInterval = code.data1;
        fields.fireShots = code.data2;
        return kCategoryRapidFire;
    case kKeyboardKey:
        if (code.data1 > 128) {
            fields.shortcut = Position(CatalogueList::EditorShortcuts, code);
            return kCategoryShortcut;
        }
        DecodeKeyboardKey(decoded, code);
        return kCategoryKey;
    case kConsumerControl:
        fields.media = Position(CatalogueList::MediaAndBrowser, code);
        return kCategoryMedia;
    case kSystemControl:
        fields.system = Position(CatalogueList::System, code);
        return kCategorySystem;
    case kMacro:
    case kMacroRepeated:
        DecodeMacro(fields, code, macroCount);
        return kCategoryMacro;
    case kRecoilProfile:
        fields.recoil = CodeAt(CatalogueList::RecoilProfiles, code.data1) ? code.data1 : kNone;
        return kCategoryRecoil;
    case 0xB0:
        return kCategoryShortcut;
    default:
        return std::nullopt;
    }
}

}  // namespace

bool IsCategoryOffered(int category, Page page)
{
    if (category < 0 || category >= kCategoryCount)
        return false;
    return page == Page::Mouse || (category != kCategoryDpi && category != kCategoryRecoil);
}

FunctionCode EncodeKeySet(const KeySetFields& fields, FunctionCode current, FunctionCode defaults, int macroCount)
{
    switch (fields.category) {
    case kCategoryMouseButton:
        return RowOr(CatalogueList::MouseButtons, fields.mouseButton, current);
    case kCategoryScroll: {
        const int count = std::clamp(fields.scrollCount, 0, kCountLimit);
        return {kHorizontalScroll, DelayAndSpeed(fields.scrollDelay, fields.scrollSpeed),
                Byte(fields.scrollDirection == 1 ? count | kDirectionBit : count)};
    }
    case kCategoryWheel: {
        // Downwards is the negative count; a count of 0 is 0 either way.
        const int count = std::clamp(fields.wheelCount, 0, kCountLimit);
        const int signedCount = fields.wheelDirection == 1 ? -count : count;
        return {kVerticalWheel, DelayAndSpeed(fields.wheelDelay, fields.wheelSpeed), Byte(signedCount)};
    }
    case kCategoryDpi:
        return RowOr(CatalogueList::DpiActions, fields.dpiAction, current);
    case kCategoryRapidFire:
        return {kRapidFire, Byte(fields.fireInterval), Byte(fields.fireShots)};
    case kCategoryKey: {
        const std::uint8_t modifier = fields.modifier >= 1 && fields.modifier < kModifierOptions
                                          ? Byte(1 << (fields.modifier - 1))
                                          : std::uint8_t{0};
        return {kKeyboardKey, modifier, fields.keyNameKey.empty() ? std::uint8_t{0} : current.data2};
    }
    case kCategoryMedia:
        return RowOr(CatalogueList::MediaAndBrowser, fields.media, current);
    case kCategorySystem:
        return RowOr(CatalogueList::System, fields.system, current);
    case kCategoryMacro:
        return EncodeMacro(fields, current, macroCount);
    case kCategoryRecoil:
        return RowOr(CatalogueList::RecoilProfiles, fields.recoil, current);
    case kCategoryShortcut:
        return RowOr(CatalogueList::EditorShortcuts, fields.shortcut, current);
    default:
        return defaults;
    }
}

DecodedKeySet DecodeKeySet(const KeySetFields& shown, FunctionCode code, FunctionCode current, FunctionCode defaults,
                           Page page, int macroCount)
{
    DecodedKeySet decoded{shown, std::nullopt, current};
    const int type = code == defaults ? int{kNoFunction} : int{code.type};
    const std::optional<int> category = DecodeFields(decoded, code, type, macroCount);
    if (category && IsCategoryOffered(*category, page)) {
        decoded.fields.category = *category;
        decoded.shownCategory = category;
    }
    return decoded;
}

std::optional<CapturedKeySet> CaptureKey(const KeySetFields& shown, FunctionCode current, std::uint8_t scanLow,
                                         bool extended)
{
    const std::optional<IdentifiedKey> key = KeyFromScanCode(scanLow, extended);
    if (!key)
        return std::nullopt;
    CapturedKeySet captured{shown, current};
    if (key->row < kModifierRows) {
        captured.fields.modifier = ModifierOptionOfRow(key->row);
        captured.fields.keyNameKey.clear();
    } else {
        if (captured.fields.modifier == kNone)
            captured.fields.modifier = 0;
        captured.fields.keyNameKey = key->nameKey;
        captured.current.data2 = key->code.data2;
    }
    return captured;
}

}  // namespace q31::keys
