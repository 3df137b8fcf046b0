#pragma once
// Reading buttons and values out of a report, given where the descriptor put
// them. The report's first byte is its id (0 when the device numbers none).
#include <cstdint>
#include <span>
#include <vector>

#include "hid/hid_types.h"
#include "hid/report_descriptor.h"

namespace q31::hid {

// How many usages of this page can be active at once in any one report.
std::uint32_t MaxUsageListLength(const CollectionReports& reports, std::uint16_t usagePage);

// The active button usages of this page, in order, at the front of list (whose
// size is its capacity); the rest of the list is left as it was.
HidStatus GetUsages(const CollectionReports& reports, std::uint16_t usagePage,
                    std::span<const std::uint8_t> report, std::vector<std::uint16_t>& list,
                    std::uint32_t& count);

HidStatus GetUsageValue(const CollectionReports& reports, std::uint16_t usagePage, std::uint16_t usage,
                        std::span<const std::uint8_t> report, std::uint32_t& value);

// The value in physical units (its logical value when no physical range is given).
HidStatus GetScaledUsageValue(const CollectionReports& reports, std::uint16_t usagePage,
                              std::uint16_t usage, std::span<const std::uint8_t> report,
                              std::int32_t& value);

}  // namespace q31::hid
