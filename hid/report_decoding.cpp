#include "hid/report_decoding.h"

#include <algorithm>

namespace q31::hid {

namespace {

std::uint32_t ExtractBits(std::span<const std::uint8_t> data, std::uint64_t bitOffset, std::uint16_t bitSize)
{
    std::uint32_t value = 0;
    const std::uint16_t bits = std::min<std::uint16_t>(bitSize, 32);
    for (std::uint16_t i = 0; i < bits; ++i) {
        const std::uint64_t bit = bitOffset + i;
        if ((data[bit / 8] >> (bit % 8)) & 1)
            value |= std::uint32_t{1} << i;
    }
    return value;
}

std::int32_t SignExtend(std::uint32_t value, std::uint16_t bitSize)
{
    if (bitSize == 0 || bitSize >= 32)
        return static_cast<std::int32_t>(value);
    const std::uint32_t sign = std::uint32_t{1} << (bitSize - 1);
    return static_cast<std::int32_t>((value ^ sign) - sign);
}

// A field holds signed numbers only when its logical range reaches below zero;
// otherwise its top bit is part of the number (a 16-bit selector of 0x8001).
std::int64_t LogicalValue(std::uint32_t raw, const FieldCaps& caps)
{
    return caps.logicalMin < 0 ? SignExtend(raw, caps.bitSize) : std::int64_t{raw};
}

// The report's bytes after its id, when they hold every field of caps.
HidStatus FieldData(const FieldCaps& caps, std::span<const std::uint8_t> report,
                    std::span<const std::uint8_t>& data)
{
    if (report.empty() || report[0] != caps.reportId)
        return HidStatus::IncompatibleReportId;
    const std::uint64_t endBit = caps.bitOffset + std::uint64_t{caps.bitSize} * caps.reportCount;
    if ((endBit + 7) / 8 > report.size() - 1)
        return HidStatus::InvalidReportLength;
    data = report.subspan(1);
    return HidStatus::Success;
}

// Where the value of usage lies within caps, if caps holds it.
bool FindValue(const FieldCaps& caps, std::uint16_t usagePage, std::uint16_t usage, std::uint32_t& index)
{
    if (caps.usagePage != usagePage || usage < caps.usageMin || usage > caps.usageMax)
        return false;
    index = caps.isRange ? usage - caps.usageMin : 0;
    return index < caps.reportCount;
}

HidStatus ReadValue(const CollectionReports& reports, std::uint16_t usagePage, std::uint16_t usage,
                    std::span<const std::uint8_t> report, std::uint32_t& raw, const FieldCaps*& found)
{
    HidStatus status = HidStatus::UsageNotFound;
    for (const FieldCaps& caps : reports.values) {
        std::uint32_t index = 0;
        if (!FindValue(caps, usagePage, usage, index))
            continue;
        std::span<const std::uint8_t> data;
        status = FieldData(caps, report, data);
        if (status != HidStatus::Success)
            continue;
        raw = ExtractBits(data, caps.bitOffset + std::uint64_t{index} * caps.bitSize, caps.bitSize);
        found = &caps;
        return HidStatus::Success;
    }
    return status;
}

}  // namespace

std::uint32_t MaxUsageListLength(const CollectionReports& reports, std::uint16_t usagePage)
{
    std::uint32_t length = 0;
    for (const FieldCaps& caps : reports.buttons) {
        if (caps.usagePage == usagePage)
            length += caps.reportCount;
    }
    return length;
}

HidStatus GetUsages(const CollectionReports& reports, std::uint16_t usagePage,
                    std::span<const std::uint8_t> report, std::vector<std::uint16_t>& list,
                    std::uint32_t& count)
{
    count = 0;
    HidStatus status = HidStatus::UsageNotFound;
    auto add = [&](std::uint16_t usage) {
        const auto kept = list.begin() + count;
        if (usage == 0 || std::find(list.begin(), kept, usage) != kept)
            return;
        if (count < list.size())
            list[count++] = usage;
        else
            status = HidStatus::BufferTooSmall;
    };
    for (const FieldCaps& caps : reports.buttons) {
        if (caps.usagePage != usagePage)
            continue;
        std::span<const std::uint8_t> data;
        if (FieldData(caps, report, data) != HidStatus::Success)
            continue;
        if (status == HidStatus::UsageNotFound)
            status = HidStatus::Success;
        for (std::uint32_t i = 0; i < caps.reportCount; ++i) {
            const std::uint32_t raw = ExtractBits(data, caps.bitOffset + std::uint64_t{i} * caps.bitSize, caps.bitSize);
            if (!caps.isArray) {
                if (raw != 0)
                    add(static_cast<std::uint16_t>(std::min<std::uint32_t>(caps.usageMin + i, caps.usageMax)));
                continue;
            }
            const std::int64_t selector = LogicalValue(raw, caps) - caps.logicalMin;
            const std::int64_t offset = selector - caps.arrayIndexBase;
            if (selector >= 0 && offset >= 0 && offset <= caps.usageMax - caps.usageMin)
                add(static_cast<std::uint16_t>(caps.usageMin + offset));
        }
    }
    return status;
}

HidStatus GetUsageValue(const CollectionReports& reports, std::uint16_t usagePage, std::uint16_t usage,
                        std::span<const std::uint8_t> report, std::uint32_t& value)
{
    const FieldCaps* caps = nullptr;
    return ReadValue(reports, usagePage, usage, report, value, caps);
}

HidStatus GetScaledUsageValue(const CollectionReports& reports, std::uint16_t usagePage,
                              std::uint16_t usage, std::span<const std::uint8_t> report,
                              std::int32_t& value)
{
    std::uint32_t raw = 0;
    const FieldCaps* caps = nullptr;
    const HidStatus status = ReadValue(reports, usagePage, usage, report, raw, caps);
    if (status != HidStatus::Success)
        return status;
    const std::int64_t logical = LogicalValue(raw, *caps);
    if (logical < caps->logicalMin || logical > caps->logicalMax)
        return HidStatus::NullScaled;
    if (caps->physicalMin == caps->physicalMax || caps->logicalMin == caps->logicalMax) {
        value = static_cast<std::int32_t>(logical);
        return HidStatus::Success;
    }
    const std::int64_t physicalSpan = std::int64_t{caps->physicalMax} - caps->physicalMin;
    const std::int64_t logicalSpan = std::int64_t{caps->logicalMax} - caps->logicalMin;
    value = static_cast<std::int32_t>(caps->physicalMin + (logical - caps->logicalMin) * physicalSpan / logicalSpan);
    return HidStatus::Success;
}

}  // namespace q31::hid
