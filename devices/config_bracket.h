#pragma once
// A sequence of commands inside the device's configuration bracket.
#include "protocol/command_gate.h"
#include "protocol/device_link.h"
#include "protocol/result_codes.h"

namespace q31::devices {

// Runs the commands between BeginConfig and EndConfig, both sent through the
// gate; the bracket is closed also when a command fails. The result is the
// first failing link code.
template <class Commands>
int InConfigBracket(CDeviceLink& link, Commands commands, const CommandGate& gate = SendDirectly)
{
    int result = gate([&] { return link.BeginConfig(); });
    if (result == kResultSuccess)
        result = commands();
    const int ended = gate([&] { return link.EndConfig(); });
    return result == kResultSuccess ? ended : result;
}

}  // namespace q31::devices
