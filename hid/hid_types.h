#pragma once
// What an opened HID interface tells about itself: attributes, capabilities
// and decoded input-report entries.
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

// A transfer timeout that never expires.
inline constexpr DWORD INFINITE = 0xFFFFFFFF;

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

// The capabilities of one top-level collection. Report byte lengths include
// the report id byte (0 when the collection uses no report ids).
struct HidCaps {
    std::uint16_t usage = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t inputReportByteLength = 0;
    std::uint16_t outputReportByteLength = 0;
    std::uint16_t featureReportByteLength = 0;
    std::uint16_t numberInputButtonCaps = 0;
    std::uint16_t numberInputValueCaps = 0;
    std::uint16_t numberOutputButtonCaps = 0;
    std::uint16_t numberOutputValueCaps = 0;
    std::uint16_t numberFeatureButtonCaps = 0;
    std::uint16_t numberFeatureValueCaps = 0;
};

// Outcome of decoding one entry of a report.
enum class HidStatus : std::int32_t {
    Success = 0,
    UsageNotFound,        // the report does not carry this entry
    IncompatibleReportId, // the report's id belongs to another report
    InvalidReportLength,  // the report is shorter than the entry's bits
    BufferTooSmall,       // more usages are active than the list holds
    NullScaled,           // the raw value lies outside its logical range
};

// One decoded entry of a report: a button range or a single value.
struct HidData {
    bool isButton = false;
    std::uint16_t usagePage = 0;
    HidStatus status = HidStatus::Success;
    std::uint32_t reportId = 0;
    bool isSet = false;
    struct ButtonData {
        std::uint16_t usageMin = 0;
        std::uint16_t usageMax = 0;
        std::uint32_t maxUsageListLength = 0;
        // Active usages in order at the front, followed by a 0 when shorter than the list.
        std::vector<std::uint16_t> usages;
    } buttonData;
    struct ValueData {
        std::uint16_t usage = 0;
        std::uint32_t value = 0;
        std::int32_t scaledValue = 0;
    } valueData;
};
