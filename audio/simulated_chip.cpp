#include "audio/simulated_chip.h"

#include "platform/debug_log.h"
#include "platform/runtime_folder.h"
#include "audio/simulation_variable.h"

#include <QtGlobal>

namespace q31::audio {

void SelectSimulatedChip()
{
    if (qEnvironmentVariableIsSet(kSimulatedChipStateVariable))
        return;
    const QString folder = RuntimeFolder();
    if (folder.isEmpty()) {
        OutputDebugText(QStringLiteral("no runtime folder for the simulated audio chip"));
        return;
    }
    qputenv(kSimulatedChipStateVariable, (folder + QStringLiteral("/audio-chip.json")).toLocal8Bit());
}

}  // namespace q31::audio
