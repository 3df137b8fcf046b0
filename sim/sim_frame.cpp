#include "sim/sim_frame.h"

#include <numeric>

namespace q31::sim {

std::uint16_t FrameChecksum(const CommandReport& report)
{
    return static_cast<std::uint16_t>(std::accumulate(report.begin() + kCommandOffset, report.end(), 0u));
}

void SealFrame(CommandReport& report)
{
    const std::uint16_t sum = FrameChecksum(report);
    report[kChecksumOffset] = static_cast<std::uint8_t>(sum & 0xFF);
    report[kChecksumOffset + 1] = static_cast<std::uint8_t>(sum >> 8);
}

bool ChecksumMatches(const CommandReport& report)
{
    const unsigned stored = report[kChecksumOffset] | (report[kChecksumOffset + 1] << 8);
    return stored == FrameChecksum(report);
}

std::uint16_t FrameAddress(const CommandReport& report)
{
    return static_cast<std::uint16_t>(report[kAddressOffset] | (report[kAddressOffset + 1] << 8));
}

}  // namespace q31::sim
