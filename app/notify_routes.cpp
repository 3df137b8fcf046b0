#include "app/notify_routes.h"

#include "devices/indexed_name.h"

#include <algorithm>
#include <array>

namespace q31::app {
namespace {

// Exact: the whole name. Prefix: the prefix and a decimal number. Start: any name beginning so.
enum class Match { Exact, Prefix, Start };

struct Route {
    Match match;
    const char* text;
    NotifyOwner owner;
};

using enum NotifyOwner;

// Searched in order: exact names and numbered prefixes come before the broad starts.
constexpr std::array kRoutes = std::to_array<Route>({
    {Match::Exact, "closebtn", MainWindow},
    {Match::Exact, "nodevice_ok_btn", MainWindow},
    {Match::Exact, "minbtn", MainWindow},
    {Match::Exact, "maxbtn", MainWindow},
    {Match::Exact, "restorebtn", MainWindow},
    {Match::Exact, "control_light_status", MainWindow},
    {Match::Exact, "device_select_prev", MainWindow},
    {Match::Exact, "device_select_next", MainWindow},
    {Match::Exact, "device_select", MainWindow},
    {Match::Exact, "synchro_device_select", MainWindow},
    {Match::Exact, "R_light_slider", MainWindow},
    {Match::Exact, "G_light_slider", MainWindow},
    {Match::Exact, "B_light_slider", MainWindow},
    {Match::Prefix, "quorl_DPI_slider_", MainWindow},
    {Match::Exact, "skinbtn", SkinChooser},
    {Match::Exact, "setbtn", Settings},
    {Match::Exact, "default_btn", ProfileOperations},
    {Match::Exact, "device_add_btn", ProfileOperations},
    {Match::Exact, "device_sub_btn", ProfileOperations},
    {Match::Exact, "device_export_btn", ProfileOperations},
    {Match::Exact, "device_import_btn", ProfileOperations},
    {Match::Exact, "device_copy_btn", ProfileOperations},
    {Match::Exact, "device_reset_btn", ProfileOperations},
    {Match::Exact, "device_profile_edit_save_btn", ProfileOperations},
    {Match::Exact, "profile_fun_spread_btn", ProfileOperations},
    {Match::Exact, "device_profile_combo", ProfileOperations},
    {Match::Exact, "deng_Op_tab", FunctionTabs},
    {Match::Exact, "key_Op_tab", FunctionTabs},
    {Match::Exact, "macro_Op_tab", FunctionTabs},
    {Match::Exact, "system_Op_tab", FunctionTabs},
    {Match::Exact, "cursor_Op_tab", FunctionTabs},
    {Match::Exact, "6533_voice_Op_tab", FunctionTabs},
    {Match::Exact, "magic_Op_tab", FunctionTabs},
    {Match::Exact, "Virtual7.1_Op_tab", FunctionTabs},
    {Match::Exact, "key_butt_keysave", KeyAssignment},
    {Match::Exact, "key_butt_keydefalut", KeyAssignment},
    {Match::Exact, "key_butt_keycancel", KeyAssignment},
    {Match::Exact, "key_butt_prosave", KeyAssignment},
    {Match::Prefix, "key_", KeyAssignment},
    {Match::Start, "keyset_", KeyAssignment},
    {Match::Exact, "reset_repeat_btn", Keyboard},
    {Match::Prefix, "repeat_delay_check_", Keyboard},
    {Match::Exact, "repeat_rate_slider", Keyboard},
    {Match::Exact, "winlockflag_option", Keyboard},
    {Match::Exact, "wflag_option", Keyboard},
    {Match::Exact, "6flag_option", Keyboard},
    {Match::Exact, "macro_btn_starredio", MacroRecording},
    {Match::Exact, "macro_btn_stopredio", MacroRecording},
    {Match::Start, "macro_btn_", MacroEditor},
    {Match::Start, "macro_inset_", MacroEditor},
    {Match::Exact, "macro_name_list", MacroEditor},
    {Match::Exact, "macro_delay", MacroEditor},
    {Match::Prefix, "audiocolor_option_", AudioLighting},
    {Match::Prefix, "DPI_color_option_", Mouse},
    {Match::Prefix, "color_option_", Lighting},
    {Match::Exact, "custom_bright_color_btn", Lighting},
    {Match::Exact, "custom_off_color_btn", Lighting},
    {Match::Exact, "deng_same_mode", Lighting},
    {Match::Exact, "deng_light_slider", Lighting},
    {Match::Exact, "deng_speed_slider", Lighting},
    {Match::Exact, "deng_FXL_check", Lighting},
    {Match::Exact, "deng_FXR_check", Lighting},
    {Match::Exact, "deng_7color_check", Lighting},
    {Match::Exact, "deng_edit_R", Lighting},
    {Match::Exact, "deng_edit_G", Lighting},
    {Match::Exact, "deng_edit_B", Lighting},
    {Match::Exact, "light_combo_modeSelect", Lighting},
    {Match::Exact, "light_combo_custommodeSelect", Lighting},
    {Match::Exact, "light_combo_ZZCCmodeSelect", Lighting},
    {Match::Exact, "deng_Color_Pallet", Lighting},
    {Match::Exact, "device_key_light", Lighting},
    {Match::Exact, "mouse_device_key_light", Lighting},
    {Match::Exact, "deng_7audiocolor_check", AudioLighting},
    {Match::Exact, "deng_audioedit_R", AudioLighting},
    {Match::Exact, "deng_audioedit_G", AudioLighting},
    {Match::Exact, "deng_audioedit_B", AudioLighting},
    {Match::Exact, "audio_BkColor_check", AudioLighting},
    {Match::Exact, "audio_FgColor_check", AudioLighting},
    {Match::Exact, "Close_bkColor_btn", AudioLighting},
    {Match::Exact, "music_setting_btn", AudioLighting},
    {Match::Exact, "light_combo_audiomodeSelect", AudioLighting},
    {Match::Exact, "deng_audioColor_Pallet", AudioLighting},
    {Match::Prefix, "DPI_enable_check_", Mouse},
    {Match::Prefix, "DPI_select_check_", Mouse},
    {Match::Prefix, "DPI_slider_", Mouse},
    {Match::Prefix, "DPI_edit_", Mouse},
    {Match::Prefix, "polling_rate_option_", Mouse},
    {Match::Prefix, "mouse_device_seting_option_", Mouse},
    {Match::Exact, "pointer_precision_check", Mouse},
    {Match::Exact, "scrolls_page_check", Mouse},
    {Match::Exact, "pointer_speed_slider", Mouse},
    {Match::Exact, "scroll_speed_slider", Mouse},
    {Match::Exact, "double_click_slider", Mouse},
    {Match::Prefix, "windowdeviceset_", MousePanel},
    {Match::Start, "shootdate_", ShootingData},
    {Match::Start, "bullet_", ShootingData},
    {Match::Prefix, "shoot_gun_op_", ShootingData},
    {Match::Prefix, "bullet_op_", ShootingData},
    {Match::Exact, "hs_EQ_btn_save", HeadsetSound},
    {Match::Exact, "hs_EQ_btn_delete", HeadsetSound},
    {Match::Start, "6533_", HeadsetSound},
    {Match::Start, "magic_", HeadsetSound},
    {Match::Exact, "custom_eq_name_combo", HeadsetSound},
});

constexpr std::array<const char*, 10> kRoutedTypes = {
    "click",     "selectchanged", "valuechanged", "movevaluechanged", "itemselect",
    "itemclick", "textchanged",   "killfocus",    "colorchanged",     "click_select_end",
};

constexpr std::array<const char*, 8> kFunctionTabs = {"deng_Op_tab",   "key_Op_tab",        "macro_Op_tab",
                                                      "system_Op_tab", "cursor_Op_tab",     "6533_voice_Op_tab",
                                                      "magic_Op_tab",  "Virtual7.1_Op_tab"};

bool Matches(const Route& route, const QString& name)
{
    const QLatin1String text(route.text);
    switch (route.match) {
    case Match::Exact:
        return name == text;
    case Match::Start:
        return name.startsWith(text);
    case Match::Prefix: {
        const auto split = q31::devices::SplitIndexedName(name);
        return split && split->prefix == text;
    }
    }
    return false;
}

}  // namespace

NotifyOwner RouteControl(const QString& name)
{
    for (const Route& route : kRoutes) {
        if (Matches(route, name))
            return route.owner;
    }
    return None;
}

bool IsRoutedNotification(const QString& type)
{
    return std::ranges::any_of(kRoutedTypes, [&type](const char* routed) { return type == QLatin1String(routed); });
}

std::optional<int> FunctionTabType(const QString& name)
{
    for (std::size_t i = 0; i < kFunctionTabs.size(); ++i) {
        if (name == QLatin1String(kFunctionTabs[i]))
            return int(i) + 1;
    }
    return std::nullopt;
}

std::optional<char> ColourSliderChannel(const QString& name)
{
    for (char channel : {'R', 'G', 'B'}) {
        if (name == QLatin1Char(channel) + QStringLiteral("_light_slider"))
            return channel;
    }
    return std::nullopt;
}

std::optional<int> QuorlDpiSliderNumber(const QString& name)
{
    const auto split = q31::devices::SplitIndexedName(name);
    if (split && split->prefix == QLatin1String("quorl_DPI_slider_"))
        return split->number;
    return std::nullopt;
}

}  // namespace q31::app
