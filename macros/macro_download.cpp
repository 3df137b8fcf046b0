#include "macros/macro_download.h"

#include "macros/macro_block.h"
#include "protocol/device_link.h"
#include "protocol/result_codes.h"

#include <new>

namespace q31::macros {

namespace {

int FailureCode(int linkResult)
{
    return linkResult < kMacrosNotWritten ? linkResult : kMacrosNotWritten;
}

}  // namespace

int WriteMacros(CDeviceLink& link, const MacroFolder& files, const std::vector<int>& used, const CommandGate& gate)
{
    if (!link.IsOpen() || used.empty())
        return 0;
    std::array<std::uint8_t, CDeviceLink::kDeviceInfoLength> info{};
    if (const int read = gate([&] { return link.ReadDeviceInfo(info); }); read != kResultSuccess)
        return FailureCode(read);
    MacroBlock block;
    try {
        block = BuildMacroBlock(files, used, std::size_t{info[6]} * kMacroMemoryUnit);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    if (block.tooLargeBy > 0)
        return block.tooLargeBy;
    if (block.bytes.empty())
        return 0;

    int result = gate([&] { return link.BeginConfig(); });
    if (result == kResultSuccess)
        result = gate([&] { return link.WriteMacros(block.bytes.data(), block.bytes.size()); });
    const int ended = gate([&] { return link.EndConfig(); });
    if (result == kResultSuccess)
        result = ended;
    return result == kResultSuccess ? 0 : FailureCode(result);
}

MacroWriteOutcome OutcomeOfMacroWrite(int result)
{
    if (result == 0)
        return MacroWriteOutcome::Written;
    if (result == -1)
        return MacroWriteOutcome::NoMemory;
    return result > 0 ? MacroWriteOutcome::TooLarge : MacroWriteOutcome::Failed;
}

}  // namespace q31::macros
