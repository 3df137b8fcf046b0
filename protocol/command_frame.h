#pragma once
// The 64-byte command report: where each field sits, and its checksum.
#include <array>
#include <cstddef>
#include <cstdint>

namespace q31 {

inline constexpr std::size_t kReportLength = 64;
inline constexpr std::uint8_t kCommandReportId = 0x04;
inline constexpr std::size_t kChecksumByte = 1;  // 16 bits, low byte first
inline constexpr std::size_t kCommandByte = 3;
inline constexpr std::size_t kLengthByte = 4;
inline constexpr std::size_t kAddressByte = 5;  // 16 bits, low byte first
inline constexpr std::size_t kStatusByte = 7;
inline constexpr std::size_t kDataByte = 8;
inline constexpr std::size_t kMaxReportData = kReportLength - kDataByte;  // 56

// The echo a receiver gives while the device behind it does not answer.
inline constexpr std::uint8_t kUnreachableEcho = 0xAA;
inline constexpr std::uint8_t kStatusFF = 0xFF;
inline constexpr std::uint8_t kStatusFE = 0xFE;

using Report = std::array<std::uint8_t, kReportLength>;

// A cleared request for this command.
Report StartRequest(std::uint8_t command);
// Data length and address of one report of a command.
void SetRequestHeader(Report& request, std::uint8_t length, std::uint16_t address);
// Sum of bytes 3 to 63; it cannot exceed 61 × 255.
std::uint16_t RequestChecksum(const Report& request);
void SealRequest(Report& request);
// A successful exchange's result after the reply's status byte.
int ResultFromStatus(const Report& reply);

}  // namespace q31
