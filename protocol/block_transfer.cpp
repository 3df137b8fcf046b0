#include "protocol/block_transfer.h"

namespace q31 {

bool PlanFits(const BlockPlan& plan)
{
    constexpr std::uint32_t kAddressSpace = 0x10000;
    return plan.chunk > 0 && plan.chunk <= kMaxReportData && plan.base <= kAddressSpace &&
           plan.total <= kAddressSpace - plan.base;
}

}  // namespace q31
