#pragma once
// Device notifications: consumer-control input reports on the notification
// interface, each carrying one 16-bit code whose high byte is the event and
// whose low byte is its argument.
#include <cstddef>
#include <cstdint>
#include <optional>

class CHidDevice;

namespace q31 {

enum NotificationEvent : std::uint8_t {
    kEventSettings = 0x04,       // 0x0401: settings changed on the device, read them again
    kEventKeyDown = 0x05,        // argument: key position
    kEventKeyUp = 0x06,          // argument: key position
    kEventProfile = 0x10,        // argument: active profile in the low nibble
    kEventProfileStage = 0x11,   // low nibble the profile, high nibble the DPI stage or second setting
};

inline constexpr std::uint16_t kCodeReadSettings = 0x0401;

// Decodes the report with the interface's input layout and takes the first
// usage of its first input entry; nullopt when the interface declares no
// input entries or the report could not be decoded.
std::optional<std::uint16_t> NotificationCode(CHidDevice& device, const std::uint8_t* report, std::size_t length);

inline std::uint8_t EventOf(std::uint16_t code) { return static_cast<std::uint8_t>(code >> 8); }
inline std::uint8_t ArgumentOf(std::uint16_t code) { return static_cast<std::uint8_t>(code & 0xFF); }
inline std::uint8_t ProfileOf(std::uint16_t code) { return ArgumentOf(code) & 0x0F; }
inline std::uint8_t SecondSettingOf(std::uint16_t code) { return (ArgumentOf(code) >> 4) & 0x0F; }

}  // namespace q31
