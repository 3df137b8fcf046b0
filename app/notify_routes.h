#pragma once
// Which subsystem owns a control of the main window or of a device page, by
// the control's name.
#include <QString>

#include <optional>

namespace q31::app {

enum class NotifyOwner {
    None,
    MainWindow,
    SkinChooser,
    Settings,
    ProfileOperations,
    KeyAssignment,
    Keyboard,
    MacroRecording,
    MacroEditor,
    Lighting,
    AudioLighting,
    Mouse,
    MousePanel,
    ShootingData,
    HeadsetSound,
    FunctionTabs,
};

NotifyOwner RouteControl(const QString& name);
// The notification types that go to the owner of their sender; the others
// ("windowinit", "timer", "msenter", ...) are the window's own or nobody's.
bool IsRoutedNotification(const QString& type);
// The function panel type (1-8) of a function tab of a device page.
std::optional<int> FunctionTabType(const QString& name);
// 'R', 'G' or 'B' for "R_light_slider", "G_light_slider", "B_light_slider".
std::optional<char> ColourSliderChannel(const QString& name);
// n of "quorl_DPI_slider_<n>".
std::optional<int> QuorlDpiSliderNumber(const QString& name);

}  // namespace q31::app
