#pragma once
// Moving a block of any length as a series of command reports, each carrying
// one chunk of the block at base address + offset.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "protocol/command_frame.h"
#include "protocol/result_codes.h"

namespace q31 {

struct BlockPlan {
    std::uint8_t command = 0;
    std::uint32_t base = 0;
    std::size_t total = 0;
    std::size_t chunk = kMaxReportData;
};

// Whether every report of the plan can be framed: a chunk that fits a report
// and addresses that fit 16 bits (a wrapped address would land the data
// elsewhere in the device's memory).
bool PlanFits(const BlockPlan& plan);

// Sends the reports of the plan with send(request, reply), which returns a
// result code, and stops at the first one that fails. The request is cleared
// once, so a short last chunk keeps the tail of the report before it. Writes
// take their chunks from source, reads copy each reply's data to destination.
template <typename SendReport>
int TransferBlock(const BlockPlan& plan, const std::uint8_t* source, std::uint8_t* destination, SendReport&& send)
{
    if (!PlanFits(plan) || (plan.total > 0 && !source && !destination))
        return kResultWriteFailed;
    Report request = StartRequest(plan.command);
    for (std::size_t offset = 0; offset < plan.total; offset += plan.chunk) {
        const std::size_t length = std::min(plan.chunk, plan.total - offset);
        SetRequestHeader(request, static_cast<std::uint8_t>(length), static_cast<std::uint16_t>(plan.base + offset));
        if (source)
            std::memcpy(request.data() + kDataByte, source + offset, length);
        Report reply{};
        const int result = send(request, reply);
        if (result != kResultSuccess)
            return result;
        if (destination)
            std::memcpy(destination + offset, reply.data() + kDataByte, length);
    }
    return kResultSuccess;
}

}  // namespace q31
