#include "sim/sim_backend_factory.h"

#include "platform/runtime_folder.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_remote_backend.h"

namespace q31::sim {

QString DevsimSocketPath()
{
    const QString folder = RuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/q31-devsim.socket");
}

std::shared_ptr<hid::IHidBackend> MakeSimulatorBackend(QString* error)
{
    if (auto remote = RemoteSimBackend::Connect(DevsimSocketPath()))
        return remote;
    auto hub = SimHub::FromDataFolder(error);
    if (!hub)
        return nullptr;
    for (const std::string& device : hub->DeviceNames())
        hub->Plug(device, Route::Cable);
    return std::make_shared<SimHidBackend>(hub);
}

}  // namespace q31::sim
