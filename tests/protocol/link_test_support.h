#pragma once
// Command links over the device simulator, reached through the real
// CHidDevice path, and what the tests read back from the simulated bus.
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "protocol/command_frame.h"
#include "protocol/device_link.h"
#include "sim/sim_hub.h"

#include <gtest/gtest.h>

namespace q31::test {

class SimLinkTest : public ::testing::Test {
protected:
    SimLinkTest();
    ~SimLinkTest() override;

    // Plugs the device in and binds its command interface to the link as
    // discovery does; device is a simulator model name, deviceType the
    // catalogue type of the route ("keyboard" + KeyboardReceiver goes through the receiver).
    void Connect(CDeviceLink& link, const std::string& device, std::uint16_t deviceType);
    // The command reports the host has written since the last call.
    std::vector<Report> TakeRequests();
    std::vector<std::uint8_t> Memory(const std::string& device, sim::Region region) const;

    std::shared_ptr<sim::SimHub> hub;
};

// The path of the catalogue interface of this type and channel on the bus.
std::string InterfacePath(sim::SimHub& hub, std::uint16_t deviceType, std::uint16_t channel);

// Collects the debug lines written while it lives.
class DebugCapture {
public:
    DebugCapture();
    ~DebugCapture();
    DebugCapture(const DebugCapture&) = delete;
    DebugCapture& operator=(const DebugCapture&) = delete;
    QStringList Lines() const;
};

std::vector<std::uint8_t> Pattern(std::size_t length, std::uint8_t seed);

}  // namespace q31::test
