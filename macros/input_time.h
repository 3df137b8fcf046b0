#pragma once
// The clock of InputEvent::timeMs: milliseconds of a steady clock, wrapping
// like a 32-bit tick count.
#include <chrono>
#include <cstdint>

namespace q31::macros {

inline std::uint32_t InputTimeMs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace q31::macros
