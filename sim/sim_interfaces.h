#pragma once
// The USB HID interfaces of a simulated model: the interfaces and collections
// of the catalogue rows of its device type, with report descriptors that
// declare them, plus the interfaces a real device has beside them (a boot
// interface 0, and the other top-level collections of interface 1).
#include "sim/sim_model.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace q31::sim {

inline constexpr std::uint8_t kNotificationReportId = 0x03;
inline constexpr std::size_t kNotificationReportLength = 3;  // report id, 16-bit code
inline constexpr std::uint8_t kLedOutputReportId = 0xFF;

struct SimCollection {
    std::uint16_t number = 0;  // the "&col" number; 0 when the interface has one collection
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    bool carriesCommands = false;       // 64-byte reports with id 4 both ways
    bool carriesNotifications = false;  // consumer-control input with a 16-bit code
    std::size_t ledOutputReportLength = 0;  // output reports with id 0xFF, id included
};

struct SimInterface {
    std::uint16_t number = 0;  // the "&mi_" number
    std::vector<SimCollection> collections;
    std::vector<std::uint8_t> reportDescriptor;
};

std::vector<SimInterface> InterfacesOf(const SimModel& model);

}  // namespace q31::sim
