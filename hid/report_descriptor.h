#pragma once
// HID report descriptors: the parts of a descriptor that tell where each
// button and value of every report lies, split by top-level collection.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace q31::hid {

enum class ReportType { Input, Output, Feature };

// One run of report fields with its usages: a button or value capability.
struct FieldCaps {
    std::uint8_t reportId = 0;
    std::uint16_t usagePage = 0;
    bool isButton = false;  // one-bit fields, or an array of usage selectors
    bool isArray = false;
    bool isRange = false;
    // Usages of the run; equal when the run has a single usage.
    std::uint16_t usageMin = 0;
    std::uint16_t usageMax = 0;
    // For arrays: the selector index (value minus logical minimum) of usageMin.
    std::uint32_t arrayIndexBase = 0;
    std::uint32_t bitOffset = 0;  // from the first byte after the report id
    std::uint16_t bitSize = 0;
    std::uint16_t reportCount = 0;
    std::int32_t logicalMin = 0;
    std::int32_t logicalMax = 0;
    std::int32_t physicalMin = 0;
    std::int32_t physicalMax = 0;
};

struct CollectionReports {
    std::vector<FieldCaps> buttons;
    std::vector<FieldCaps> values;
    // Bytes of the longest report of this type, report id byte included; 0 when none.
    std::uint16_t byteLength = 0;
};

struct TopLevelCollection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    CollectionReports input;
    CollectionReports output;
    CollectionReports feature;
    // The ids of the input reports this collection owns.
    std::vector<std::uint8_t> inputReportIds;

    CollectionReports& Reports(ReportType type);
    const CollectionReports& Reports(ReportType type) const;
};

struct ReportDescriptor {
    bool usesReportIds = false;
    std::vector<TopLevelCollection> collections;
};

// nullopt for a malformed descriptor (truncated item, unbalanced collections
// or push/pop, report id 0, a report too long for HID).
std::optional<ReportDescriptor> ParseReportDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace q31::hid
