#include "protocol/command_frame.h"

#include <numeric>

#include "protocol/result_codes.h"

namespace q31 {

Report StartRequest(std::uint8_t command)
{
    Report request{};
    request[0] = kCommandReportId;
    request[kCommandByte] = command;
    return request;
}

void SetRequestHeader(Report& request, std::uint8_t length, std::uint16_t address)
{
    request[kLengthByte] = length;
    request[kAddressByte] = static_cast<std::uint8_t>(address & 0xFF);
    request[kAddressByte + 1] = static_cast<std::uint8_t>(address >> 8);
}

std::uint16_t RequestChecksum(const Report& request)
{
    return static_cast<std::uint16_t>(std::accumulate(request.begin() + kCommandByte, request.end(), 0u));
}

void SealRequest(Report& request)
{
    const std::uint16_t sum = RequestChecksum(request);
    request[kChecksumByte] = static_cast<std::uint8_t>(sum & 0xFF);
    request[kChecksumByte + 1] = static_cast<std::uint8_t>(sum >> 8);
}

int ResultFromStatus(const Report& reply)
{
    switch (reply[kStatusByte]) {
    case kStatusFF:
        return kResultStatusFF;
    case kStatusFE:
        return kResultStatusFE;
    default:
        return kResultSuccess;
    }
}

}  // namespace q31
