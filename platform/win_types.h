#pragma once
// The handful of Windows integer types the message contracts are written in,
// so message handlers keep their familiar signatures on every platform.
#include <cstdint>

using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
