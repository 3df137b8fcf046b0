#include "keys/catalogue_lists.h"

#include "keys/function_types.h"
#include "keys/keyboard_keys.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace q31::keys {

namespace {

std::vector<CatalogueRow> MediaRows()
{
    const std::pair<const char*, std::uint16_t> media[] = {
        {"media_text", 0x0183},   {"media_play", 0x00CD},    {"media_stop", 0x00B7},
        {"media_prev", 0x00B6},   {"media_next", 0x00B5},    {"media_vol_sub", 0x00EA},
        {"media_vol_add", 0x00E9}, {"media_mute", 0x00E2},   {"web_text", 0x0223},
        {"web_refresh", 0x0227},  {"wed_stop", 0x0226},      {"wed_back", 0x0224},
        {"wed_forward", 0x0225},  {"wed_favorite", 0x022A},  {"web_search", 0x0221},
        {"media_mypc", 0x0194},   {"media_calc", 0x0192},    {"media_mail", 0x018A},
    };
    std::vector<CatalogueRow> rows;
    for (const auto& [nameKey, usage] : media)
        rows.push_back({nameKey, ConsumerCode(usage)});
    return rows;
}

std::vector<CatalogueRow> EditorShortcutRows()
{
    // Ctrl+O, N, Z, S, C, X, V, F, A, minus, equals
    const std::uint8_t usages[] = {0x12, 0x11, 0x1D, 0x16, 0x06, 0x1B, 0x19, 0x09, 0x04, 0x2D, 0x2E};
    std::vector<CatalogueRow> rows;
    for (const std::uint8_t usage : usages)
        rows.push_back({"", {kKeyboardKey, 0x01, usage}});
    return rows;
}

std::vector<CatalogueRow> NumberedRows(const std::vector<const char*>& nameKeys, std::uint8_t type, bool inData1)
{
    std::vector<CatalogueRow> rows;
    for (std::size_t i = 0; i < nameKeys.size(); ++i) {
        const auto number = static_cast<std::uint8_t>(i);
        rows.push_back({nameKeys[i], {type, inData1 ? number : std::uint8_t{0}, inData1 ? std::uint8_t{0} : number}});
    }
    return rows;
}

std::array<std::vector<CatalogueRow>, kCatalogueListCount> BuildLists()
{
    return {{
        {{"mouse_key_left", {kMouseButton, 0x01, 0}},
         {"mouse_key_middle", {kMouseButton, 0x04, 0}},
         {"mouse_key_right", {kMouseButton, 0x02, 0}},
         {"mouse_key_forward", {kMouseButton, 0x10, 0}},
         {"mouse_key_back", {kMouseButton, 0x08, 0}}},
        {{"mouse_key_up_Swing", {kVerticalWheel, 0, 0}},
         {"mouse_key_down_Swing", {kVerticalWheel, 0, 0x80}},
         {"mouse_key_left_Swing", {kHorizontalScroll, 0, 0}},
         {"mouse_key_right_Swing", {kHorizontalScroll, 0, 0x80}}},
        {{"mouse_key_DPI_add", {kDpiAction, 1, 0}},
         {"mouse_key_DPI_sub", {kDpiAction, 2, 0}},
         {"mouse_key_DPI_loop", {kDpiAction, 3, 0}}},
        {{"mouse_key_fire_key", {kRapidFire, 0, 0}}},
        MediaRows(),
        {{"system_power", {kSystemControl, 0x01, 0}},
         {"system_sleep", {kSystemControl, 0x02, 0}},
         {"system_wake_up", {kSystemControl, 0x04, 0}}},
        EditorShortcutRows(),
        NumberedRows({"custem_cut", "custem_copy", "custem_paste", "custem_undo", "custem_select_all",
                      "custem_find", "custem_new", "custem_save", "custem_open"},
                     kEditShortcut, false),
        NumberedRows({"gun_1_txt", "gun_2_txt", "gun_3_txt", "gun_4_txt"}, kRecoilProfile, true),
        {{"mouse_key_DPI_shift", {kDpiShift, 0, 0}},
         {"show_window", {kShowWindow, 0, 0}},
         {"mouse_key_smart_key", {kDeviceSpecial, 0x02, 0}},
         {"close_text", {kDeviceSpecial, 0x00, 0}},
         {"mouse_key_shortcut_key", {kKeyboardKey, 0x00, 0}},
         {"win_key_text", {kKeyboardKey, 0x80, 0}}},
        KeyboardKeyRows(),
    }};
}

}  // namespace

const std::vector<CatalogueRow>& Rows(CatalogueList list)
{
    static const auto lists = BuildLists();
    return lists[static_cast<std::size_t>(list)];
}

std::optional<FunctionCode> CodeAt(CatalogueList list, int position)
{
    const auto& rows = Rows(list);
    if (position < 0 || position >= static_cast<int>(rows.size()))
        return std::nullopt;
    return rows[static_cast<std::size_t>(position)].code;
}

std::optional<int> PositionOf(CatalogueList list, FunctionCode code)
{
    const auto& rows = Rows(list);
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const CatalogueRow& row) {
        return row.code.data1 == code.data1 && row.code.data2 == code.data2;
    });
    if (found == rows.end())
        return std::nullopt;
    return static_cast<int>(found - rows.begin());
}

}  // namespace q31::keys
