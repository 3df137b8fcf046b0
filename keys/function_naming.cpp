#include "keys/function_naming.h"

#include "keys/catalogue_lists.h"
#include "keys/function_types.h"
#include "keys/keyboard_keys.h"

#include <algorithm>
#include <functional>

namespace q31::keys {

namespace {

using RowTest = std::function<bool(const FunctionCode&)>;

CodeName Named(std::string nameKey)
{
    return {CodeName::Kind::NameKeys, {std::move(nameKey)}, -1};
}

CodeName Unchanged()
{
    return {};
}

const CatalogueRow* FirstRow(CatalogueList list, const RowTest& matches)
{
    const auto& rows = Rows(list);
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const CatalogueRow& row) { return matches(row.code); });
    return found == rows.end() ? nullptr : &*found;
}

CodeName FirstName(CatalogueList list, const RowTest& matches)
{
    const CatalogueRow* row = FirstRow(list, matches);
    return row ? Named(row->nameKey) : Unchanged();
}

// The modifiers of the set bits in list order, then the plain key of data 2.
CodeName ModifierComposite(FunctionCode code)
{
    CodeName name{CodeName::Kind::NameKeys, {}, -1};
    const auto& keys = KeyboardKeyRows();
    for (int row = 0; row < kModifierRows; ++row) {
        if (code.data1 & keys[static_cast<std::size_t>(row)].code.data1)
            name.nameKeys.push_back(keys[static_cast<std::size_t>(row)].nameKey);
    }
    if (code.data2 != 0) {
        const auto first = keys.begin() + kModifierRows;
        const auto last = keys.begin() + kKeyboardCodeRows;
        const auto key = std::find_if(first, last, [&](const CatalogueRow& row) {
            return row.code.data1 == 0 && row.code.data2 == code.data2;
        });
        if (key != last)
            name.nameKeys.push_back(key->nameKey);
    }
    return name.nameKeys.empty() ? Unchanged() : name;
}

CodeName KeyboardCodeName(FunctionCode code)
{
    if (code.data1 == 0 && code.data2 == 0)
        return Named("close_text");
    const CodeName single = FirstName(CatalogueList::KeyboardKeys, [&](const FunctionCode& row) {
        return row.data1 == code.data1 && row.data2 == code.data2;
    });
    if (single.kind == CodeName::Kind::NameKeys || code.type != kKeyboardKey)
        return single;
    return ModifierComposite(code);
}

CodeName SpecialKeyName(FunctionCode code)
{
    const CodeName special = FirstName(CatalogueList::MouseSpecial, [&](const FunctionCode& row) {
        return row.type == code.type && row.data1 == code.data1;
    });
    if (special.kind == CodeName::Kind::NameKeys)
        return special;
    return FirstName(CatalogueList::KeyboardKeys, [&](const FunctionCode& row) { return row == code; });
}

bool LeavesCaption(std::uint8_t type)
{
    return type == 0x15 || type == 0x21 || type == 0x50 || type == 0x60 || type == 0xB0 || type == 0xC0;
}

}  // namespace

CodeName NameOfCode(FunctionCode code, const NamingContext& context)
{
    const auto sameData1 = [&](const FunctionCode& row) { return row.data1 == code.data1; };
    const auto sameData = [&](const FunctionCode& row) { return row.data1 == code.data1 && row.data2 == code.data2; };
    const bool bit7 = (code.data2 & 0x80) != 0;
    switch (code.type) {
    case kNoFunction:
    case kKeyboardKey:
        return KeyboardCodeName(code);
    case kMouseButton:
        return FirstName(CatalogueList::MouseButtons, sameData1);
    case kHorizontalScroll:
        return Named(bit7 ? "mouse_key_right_Swing" : "mouse_key_left_Swing");
    case kVerticalWheel:
        return Named(bit7 ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
    case kDpiAction:
        return FirstName(CatalogueList::DpiActions, sameData1);
    case kRapidFire:
        return Named("mouse_key_fire_key");
    case kDpiShift:
        return Named("mouse_key_DPI_shift");
    case kEditShortcut:
        return FirstName(CatalogueList::EditShortcuts, sameData);
    case kShowWindow:
        return FirstName(CatalogueList::MouseSpecial, [&](const FunctionCode& row) { return row == code; });
    case kConsumerControl:
        return FirstName(CatalogueList::MediaAndBrowser, sameData);
    case kSystemControl:
        return FirstName(CatalogueList::System, sameData);
    case kMacro:
    case kMacroRepeated:
        if (code.data1 < context.macroCount)
            return {CodeName::Kind::Macro, {}, code.data1};
        return Unchanged();
    case kDeviceSpecial:
    case kOnBoardMacroKey:
        return SpecialKeyName(code);
    case kRecoilProfile:
        if (context.page == Page::Mouse) {
            const auto& guns = Rows(CatalogueList::RecoilProfiles);
            const int named = std::min(context.recoilNames, static_cast<int>(guns.size()));
            return code.data1 < named ? Named(guns[code.data1].nameKey) : Unchanged();
        }
        break;
    default:
        if (LeavesCaption(code.type))
            return Unchanged();
        break;
    }
    return {CodeName::Kind::Closed, {}, -1};
}

}  // namespace q31::keys
