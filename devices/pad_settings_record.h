#pragma once
// The mouse pad's lighting settings record: 21 bytes written at page x 64 of
// its parameter memory, 28 read at current profile x 25. The pad object holds
// the record with the mode index in byte 1 and the speed in byte 3; on the
// wire byte 1 is the mode's code and byte 3 the speed turned round. Bytes 0,
// 4 and 9-20 are the pad's own: carried over as read, never made up.
#include "profiles/profile_records.h"
#include "protocol/result_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CDeviceLink;

namespace q31::devices {

inline constexpr std::size_t kPadRecordSize = 21;
inline constexpr std::size_t kPadRecordReadSize = 28;
inline constexpr int kPadWriteStride = 64;
inline constexpr int kPadReadStride = 25;

using PadRecord = std::array<std::uint8_t, kPadRecordSize>;
using PadReadRecord = std::array<std::uint8_t, kPadRecordReadSize>;

enum PadRecordByte {
    kPadProfileByte = 0,
    kPadModeByte = 1,
    kPadBrightnessByte = 2,
    kPadSpeedByte = 3,
    kPadDirectionByte = 4,
    kPadMultiColourByte = 5,
    kPadRedByte = 6,
    kPadOwnBytes = 9,  // 9-20, the pad firmware's
};

// The profile's light settings into bytes 1, 2, 3, 5, 6, 7, 8 of the held record.
void PutPadLight(PadRecord& state, const LightSettings& light);

// The bytes sent for the held record: a mode index at or past the end of the
// code list sends entry 0 (0 for an empty list); a speed above the top sends 0.
PadRecord PadWireRecord(const PadRecord& state, const std::vector<std::uint8_t>& modeCodes);

// The held record of a read: byte 0 the current profile, byte 1 the index of
// the first equal code (the code itself when none is), byte 3 the speed, held
// within 0..4 whatever the pad sent.
PadRecord PadStateOfRead(const PadReadRecord& read, std::uint8_t currentProfile,
                         const std::vector<std::uint8_t>& modeCodes);

// The pad's own bytes (0, 4 and 9-20) of from, the rest of into.
PadRecord WithPadOwnBytes(const PadRecord& into, const PadRecord& from);

struct PadRecordFetch {
    int result = kResultNoReply;  // the first failing link code, else success
    std::uint8_t currentProfile = 0;
    PadReadRecord record{};
};

// The current profile (1 byte at address 0), then its record.
PadRecordFetch ReadPadRecord(CDeviceLink& link);

// Writes the 21 bytes at page x 64 in one configuration bracket, closed also
// when a command fails. Returns the link's result: the first failing code. A
// page whose address does not fit is refused (kResultWriteFailed) unsent.
int WritePadRecord(CDeviceLink& link, const PadRecord& wire, int page);

struct PadSettingsWrite {
    int result = kResultNoReply;
    bool ownBytesRead = false;  // true when the write read the pad's record first
    PadRecord state{};          // the held record as written
};

// The held record written at page (0 from every caller). Until the pad's own
// bytes are known they are read first, and a failed read writes nothing.
PadSettingsWrite WritePadSettings(CDeviceLink& link, const PadRecord& state, bool ownBytesKnown,
                                  const std::vector<std::uint8_t>& modeCodes, int page);

}  // namespace q31::devices
