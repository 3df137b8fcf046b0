#include "tests/app/simulated_desktop.h"

#include "app/registered_messages.h"
#include "app/start_up.h"
#include "hid/hid_backend.h"
#include "sim/sim_hid_backend.h"

namespace q31::test {

std::shared_ptr<q31::sim::SimHub> StartSimulatedDesktop(QString* error)
{
    std::shared_ptr<q31::sim::SimHub> hub = q31::sim::SimHub::FromDataFolder(error);
    if (!hub)
        return nullptr;
    q31::hid::SetHidBackend(std::make_shared<q31::sim::SimHidBackend>(hub));
    SetupResources();
    RegisterInstanceMessage();
    RegisterGuidMessages();
    return hub;
}

void EndSimulatedDesktop()
{
    q31::hid::SetHidBackend(nullptr);
}

}  // namespace q31::test
