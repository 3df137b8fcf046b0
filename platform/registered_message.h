#pragma once
// Registered window messages: a name maps to the same message number in every
// process (case-insensitively, as window message names do), with no shared state.
#include "platform/win_types.h"

#include <QString>

#include <optional>
#include <string_view>

// Numbers of registered messages lie at or above this; private messages below.
inline constexpr UINT kFirstRegisteredMessage = 0xC000;

UINT RegisterWindowMessage(std::string_view name);
// The number a name has in every process, without registering it here: for
// names that come from outside, which must not grow the name table.
UINT MessageNumberForName(std::string_view name);
// The name a message number was registered under in this process, if any.
std::optional<QString> RegisteredMessageName(UINT message);
