#include "app/lighting_owner.h"

#include "controls/colour_component_text.h"
#include "controls/device_key_button_ui.h"
#include "controls/light_control_ui.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_mouse_device.h"
#include "devices/halvorin_usb_device.h"
#include "devices/effect_steps.h"
#include "devices/indexed_name.h"
#include "devices/keyboard_settings_record.h"
#include "ui/control_look.h"

#include <QLineEdit>

#include <algorithm>
#include <functional>
#include <optional>

namespace q31::app {
namespace {

using Component = CLightControlUI::Component;

using namespace q31::devices;

const QString kSwatchPrefix = QStringLiteral("color_option_");
const QString kLedPrefix = QStringLiteral("light_");

CHalvorinUSBDevice* PageOf(QWidget* control)
{
    for (QWidget* parent = control; parent; parent = parent->parentWidget()) {
        if (auto* page = qobject_cast<CHalvorinUSBDevice*>(parent))
            return page;
    }
    return nullptr;
}

bool Is(const TNotifyUI& msg, const char* type, const char* name)
{
    return msg.sType == QLatin1String(type) && msg.pSender->objectName() == QLatin1String(name);
}

DWORD ColourOf(const LightSettings& light)
{
    return CLightControlUI::kOpaque | DWORD(light[kSettingRed]) << 16 | DWORD(light[kSettingGreen]) << 8 | light[kSettingBlue];
}

// A chosen colour replaces the spectrum.
void TakeColour(LightSettings& light, DWORD argb)
{
    light[kSettingRed] = std::uint8_t(argb >> 16);
    light[kSettingGreen] = std::uint8_t(argb >> 8);
    light[kSettingBlue] = std::uint8_t(argb);
    light[kSettingMultiColour] = 0;
}

std::optional<Component> EditComponent(const QString& name)
{
    if (name == QLatin1String("deng_edit_R"))
        return Component::Red;
    if (name == QLatin1String("deng_edit_G"))
        return Component::Green;
    if (name == QLatin1String("deng_edit_B"))
        return Component::Blue;
    return std::nullopt;
}

std::size_t ByteOf(Component component)
{
    return component == Component::Red ? kSettingRed : component == Component::Green ? kSettingGreen : kSettingBlue;
}

void ShowComponents(CLightControlUI& editor, const LightSettings& light)
{
    for (Component component : {Component::Red, Component::Green, Component::Blue})
        editor.SetRgbText(component, QString::number(light[ByteOf(component)]));
}

// A level or an index from a control, as the one byte the settings hold.
std::optional<std::uint8_t> ByteValue(WPARAM value, int limit)
{
    if (value > WPARAM(limit))
        return std::nullopt;
    return std::uint8_t(value);
}

constexpr int kHighestLevel = 4;
constexpr int kHighestIndex = 255;

// Changes the settings for the notification. Editor updates that show the
// stored colour are returned, to run once the device has the settings.
std::optional<std::function<void()>> ChangeLight(const TNotifyUI& msg, CLightControlUI& editor, LightSettings& light)
{
    const std::function<void()> nothing = [] {};
    const QString name = msg.pSender->objectName();
    if (Is(msg, "itemselect", "light_combo_modeSelect")) {
        const auto effect = ByteValue(msg.wParam, kHighestIndex);
        if (!effect)
            return std::nullopt;
        light[kSettingEffect] = *effect;
        editor.UpdateLayout(*effect);
        return nothing;
    }
    if (Is(msg, "itemselect", "light_combo_ZZCCmodeSelect")) {
        const auto secondary = ByteValue(msg.wParam, kHighestIndex);
        if (!secondary || editor.GetDeviceKind() != CHalvorinKeyboardDevice::kKindNumber)
            return std::nullopt;
        light[kKeyboardZzccLedMode] = *secondary;
        return nothing;
    }
    if (Is(msg, "valuechanged", "deng_light_slider") || Is(msg, "valuechanged", "deng_speed_slider")) {
        const auto level = ByteValue(msg.wParam, kHighestLevel);
        if (!level)
            return std::nullopt;
        light[name == QLatin1String("deng_light_slider") ? kSettingBrightness : kSettingSpeed] = *level;
        return nothing;
    }
    if (msg.sType == QLatin1String("selectchanged") &&
        (name == QLatin1String("deng_FXL_check") || name == QLatin1String("deng_FXR_check"))) {
        // The side the user leaves reports too; only the one chosen counts.
        if (msg.wParam == 0)
            return std::nullopt;
        light[kSettingDirection] = name == QLatin1String("deng_FXL_check") ? 1 : 0;
        editor.SetDirection(light[kSettingDirection]);
        return nothing;
    }
    if (Is(msg, "selectchanged", "deng_7color_check")) {
        light[kSettingMultiColour] = msg.wParam != 0 ? 1 : 0;
        return nothing;
    }
    if (Is(msg, "colorchanged", "deng_Color_Pallet")) {
        const DWORD colour = editor.GetPaletteColour();
        TakeColour(light, colour);
        return [&editor, light, colour] {
            ShowComponents(editor, light);
            editor.SetMultiColour(false);
            editor.ShowColourButton(colour);
        };
    }
    if (msg.sType == QLatin1String("click") && name.startsWith(kSwatchPrefix)) {
        const auto swatch = devices::SplitIndexedName(name);
        if (!swatch || swatch->prefix != kSwatchPrefix)
            return std::nullopt;
        const DWORD swatchColour = editor.GetSwatchColour(swatch->number);
        if (swatchColour == 0)
            return std::nullopt;
        const DWORD colour = swatchColour | CLightControlUI::kOpaque;
        TakeColour(light, colour);
        return [&editor, light, colour] {
            ShowComponents(editor, light);
            editor.SetPaletteColour(colour);
            editor.SetMultiColour(false);
        };
    }
    if (const auto component = EditComponent(name); component && msg.sType == QLatin1String("killfocus")) {
        const int value = controls::ColourComponentOfText(editor.GetRgbText(*component));
        light[ByteOf(*component)] = std::uint8_t(value);
        TakeColour(light, ColourOf(light));
        return [&editor, light, component = *component, value] {
            editor.SetRgbText(component, QString::number(value));
            editor.SetPaletteColour(ColourOf(light));
            editor.SetMultiColour(false);
        };
    }
    return std::nullopt;
}

// The custom group combo and the two custom colour buttons; true when the
// notification was one of theirs.
bool OnKeyboardCustomLighting(CHalvorinUSBDevice& device, CLightControlUI& editor, const TNotifyUI& msg)
{
    const bool groupChosen = Is(msg, "itemselect", "light_combo_custommodeSelect");
    const bool lit = Is(msg, "click", "custom_bright_color_btn");
    if (!groupChosen && !lit && !Is(msg, "click", "custom_off_color_btn"))
        return false;
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(&device);
    if (!keyboard || editor.GetDeviceKind() != CHalvorinKeyboardDevice::kKindNumber)
        return true;
    if (groupChosen)
        keyboard->SelectCustomGroup(editor.GetSelectedCustomGroup());
    else
        keyboard->FillCustomGroup(lit);
    return true;
}

void OnZoneSelection(CHalvorinUSBDevice& device, QWidget& panel)
{
    std::vector<ZoneChoice> zones;
    for (const CDeviceKeyButtonUI* button : panel.findChildren<CDeviceKeyButtonUI*>()) {
        for (const QString& label : {button->objectName(), ui::GetUserData(button)}) {
            const auto led = devices::SplitIndexedName(label);
            if (led && led->prefix == kLedPrefix)
                zones.push_back({led->number, button->IsSelected() != 0, button->isHidden()});
        }
    }
    if (!CoversEveryLed(zones, device.GetLightCount()))
        return;
    device.ReloadProfile();
    device.RefreshPage();
    const devices::ScreenSize screen = CHalvorinMouseDevice::PrimaryScreenSize();
    device.WriteSettings(0, 0, 1, screen.width, screen.height);
    device.ApplyProfile();
}

}  // namespace

bool CoversEveryLed(const std::vector<ZoneChoice>& zones, int ledCount)
{
    if (ledCount <= 0 || std::ranges::none_of(zones, &ZoneChoice::selected))
        return false;
    std::vector<bool> covered(std::size_t(ledCount), false);
    for (const ZoneChoice& zone : zones) {
        if (zone.led >= 0 && zone.led < ledCount && (zone.selected || zone.hidden))
            covered[std::size_t(zone.led)] = true;
    }
    return std::ranges::all_of(covered, std::identity{});
}

void RegisterLightingOwner(CNotifyOwners& owners)
{
    owners.Register(NotifyOwner::Lighting, [](TNotifyUI& msg) { HandleLightingNotify(msg); });
}

bool HandleLightingNotify(const TNotifyUI& msg)
{
    CHalvorinUSBDevice* device = msg.pSender ? PageOf(msg.pSender) : nullptr;
    if (!device)
        return false;
    if (msg.sType == QLatin1String("click_select_end")) {
        if (msg.pSender->objectName() == QLatin1String("mouse_device_key_light"))
            OnZoneSelection(*device, *msg.pSender);
        return false;
    }
    CLightControlUI* editor = device->LightEditor();
    if (!editor)
        return false;
    if (OnKeyboardCustomLighting(*device, *editor, msg))
        return true;
    LightSettings light = device->GetLightSettingsBytes();
    const auto showStored = ChangeLight(msg, *editor, light);
    if (!showStored)
        return false;
    // The device leaves the same mode for its own lighting.
    device->CommandLink().SetEffectPause(false);
    const LightWords words = PackLightWords(light);
    device->SetLightSettings(words[0], words[1], words[2], words[3]);
    device->SaveProfile();
    device->ApplyProfile();
    (*showStored)();
    const devices::ScreenSize screen = CHalvorinMouseDevice::PrimaryScreenSize();
    device->WriteSettings(0, 0, 1, screen.width, screen.height);
    return true;
}

}  // namespace q31::app
