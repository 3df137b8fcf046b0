#pragma once
// The program's settings in ~/.config/Q-31/Q-31.conf: the registry value
// HKEY_CURRENT_USER\SOFTWARE\Q-31 "LANGUAGE", and the commands that open the
// desktop's own keyboard and mouse settings.
#include "platform/win_types.h"

#include <QString>

#include <optional>

namespace q31 {

// The stored "Language_ID"; empty when none was stored yet or it is not a number.
std::optional<DWORD> ReadLanguageSetting();
// False when the value could not be written.
bool WriteLanguageSetting(DWORD languageId);

enum class DesktopSettingsPage { Keyboard, Mouse };
// "DesktopSettings/Keyboard" or "DesktopSettings/Mouse" when set (an empty
// value turns the link off); else the page of the running desktop's own
// settings program for GNOME and KDE; else empty.
QString DesktopSettingsCommand(DesktopSettingsPage page);

}  // namespace q31
