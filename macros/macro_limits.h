#pragma once
// The limits of a device's macros.
namespace q31::macros {

inline constexpr int kMaxMacros = 50;
inline constexpr int kMaxRecordedEvents = 4000;
inline constexpr int kMaxDelay = 65535;  // milliseconds, 16 bits on the device
inline constexpr int kMacroFileVersion = 64;

}  // namespace q31::macros
