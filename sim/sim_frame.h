#pragma once
// The device's view of the 64-byte command report: where each field sits,
// the status codes it answers with, and the checksum it checks and sets.
#include <array>
#include <cstddef>
#include <cstdint>

namespace q31::sim {

inline constexpr std::uint8_t kCommandReportId = 0x04;
inline constexpr std::size_t kCommandReportLength = 64;
inline constexpr std::size_t kChecksumOffset = 1;
inline constexpr std::size_t kCommandOffset = 3;
inline constexpr std::size_t kLengthOffset = 4;
inline constexpr std::size_t kAddressOffset = 5;
inline constexpr std::size_t kStatusOffset = 7;
inline constexpr std::size_t kDataOffset = 8;
inline constexpr std::size_t kMaxChunk = kCommandReportLength - kDataOffset;  // 56

inline constexpr std::uint8_t kStatusOk = 0x01;
inline constexpr std::uint8_t kStatusBadChecksum = 0xFF;
inline constexpr std::uint8_t kStatusRejected = 0xFE;  // unknown command, bad address or length
// What a receiver puts in the echo byte while its device does not answer.
inline constexpr std::uint8_t kUnreachableEcho = 0xAA;
// Reply data byte 0 of QueryReceiverLink while the device answers.
inline constexpr std::uint8_t kLinkUp = 0xFF;

using CommandReport = std::array<std::uint8_t, kCommandReportLength>;

// Sum of bytes 3 to 63.
std::uint16_t FrameChecksum(const CommandReport& report);
void SealFrame(CommandReport& report);
bool ChecksumMatches(const CommandReport& report);
std::uint16_t FrameAddress(const CommandReport& report);

}  // namespace q31::sim
