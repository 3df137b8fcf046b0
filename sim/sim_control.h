#pragma once
// The commands of q31-devsim that act on the simulated devices: plug, unplug,
// reachable, press, profile, dpi, notify, battery, phone, fault, dump, log, latency,
// list. The same words work on any hub, in the program or in a test.
#include "sim/sim_hub.h"

#include <string>
#include <vector>

namespace q31::sim {

struct ControlResult {
    bool ok = false;
    std::string text;  // what to print; the reason when it failed
};

ControlResult RunControlCommand(SimHub& hub, const std::vector<std::string>& words);
std::string ControlUsage();
// Sixteen bytes a line, each line led by its address.
std::string HexDump(const std::vector<std::uint8_t>& bytes);

}  // namespace q31::sim
