#include "devices/profile_macro_step.h"

#include "macros/macro_download.h"

namespace q31::devices {

int MacroCountOf(const std::optional<macros::MacroFolder>& macroFolder)
{
    return macroFolder ? int(macroFolder->ReadList().size()) : 0;
}

bool WriteProfileMacros(CDeviceLink& link, const std::optional<macros::MacroFolder>& macroFolder,
                        const std::vector<int>& macroSlots, ProfileWriteResult& written, const CommandGate& gate)
{
    if (!macroFolder)
        return true;
    const int macroResult = macros::WriteMacros(link, *macroFolder, macroSlots, gate);
    if (macros::OutcomeOfMacroWrite(macroResult) == macros::MacroWriteOutcome::Failed) {
        // The download folds the link's codes into one; the profile write
        // reports it as a write that did not get through.
        written.result = macroResult == macros::kMacrosNotWritten ? kResultWriteFailed : macroResult;
        return false;
    }
    written.macros = macroResult;
    return true;
}

}  // namespace q31::devices
