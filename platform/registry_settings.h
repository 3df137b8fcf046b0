#pragma once
// The program's one registry value, HKEY_CURRENT_USER\SOFTWARE\Q-31 "LANGUAGE",
// kept in ~/.config/Q-31/Q-31.conf.
#include "platform/win_types.h"

#include <optional>

namespace q31 {

// The stored "Language_ID"; empty when none was stored yet or it is not a number.
std::optional<DWORD> ReadLanguageSetting();
// False when the value could not be written.
bool WriteLanguageSetting(DWORD languageId);

}  // namespace q31
