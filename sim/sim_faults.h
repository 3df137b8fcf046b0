#pragma once
// Faults a simulated device can be told to show on its command interface.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q31::sim {

enum class FaultKind {
    NoReply,      // the request is lost: nothing comes back
    WrongEcho,    // the reply carries another command code in byte 3
    StatusFF,     // the reply's status is 0xFF and the request is not carried out
    StatusFE,     // the same with 0xFE
    DelayedReply, // the reply comes delayMs late
    Garbage,      // a report of junk comes before the reply
    Unplug,       // the device goes away after taking a request, before it answers
};

struct SimFault {
    FaultKind kind = FaultKind::NoReply;
    int times = 1;         // requests it hits; kAlways for every one
    int delayMs = 0;       // DelayedReply
    int afterReports = 0;  // Unplug: requests answered normally before the one it takes
    std::optional<std::uint8_t> command;  // only requests for this command code

    static constexpr int kAlways = -1;
};

// "noreply", "echo", "status-ff", "status-fe", "delay MS", "garbage", "unplug [N]",
// each optionally followed by "once" (the default), "always", "times N" and
// "command CODE". nullopt with a message when the words make no fault.
std::optional<SimFault> ParseFault(const std::vector<std::string>& words, std::string* error);
std::string DescribeFault(const SimFault& fault);

}  // namespace q31::sim
