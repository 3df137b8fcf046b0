#pragma once
// One simulated physical device: its memory, its answer to every command
// report, its configuration brackets and the faults it has been told to show.
// Reached over its cable, or through its receiver while it is reachable.
// Not thread-safe: the hub that holds it serialises every call.
#include "sim/sim_faults.h"
#include "sim/sim_frame.h"
#include "sim/sim_model.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace q31::sim {

enum class Route { Cable, Receiver };

// What the device does with one command report.
struct Exchange {
    std::vector<CommandReport> replies;  // in the order they come back
    int delayMs = 0;                     // on top of the report latency
    bool unplug = false;                 // the device goes away after taking the report
};

struct ConfigBrackets {
    bool open = false;
    int begun = 0;
    int ended = 0;
    int writesOutside = 0;  // memory writes sent while no bracket was open
};

class SimDevice {
public:
    SimDevice(SimModel model, const SimModel* receiver);

    const SimModel& Model() const { return m_model; }
    // Null for a device without a receiver.
    const SimModel* Receiver() const { return m_receiverModel ? &*m_receiverModel : nullptr; }

    Exchange HandleCommand(const CommandReport& request, Route route);
    // The headset's LED output report (report id included).
    void HandleLedReport(const std::uint8_t* report, std::size_t length);

    // Whether the device answers through its receiver.
    bool Reachable() const { return m_reachable; }
    void SetReachable(bool reachable) { m_reachable = reachable; }

    void AddFault(const SimFault& fault) { m_faults.push_back(fault); }
    void ClearFaults() { m_faults.clear(); }
    const std::vector<SimFault>& Faults() const { return m_faults; }

    const ConfigBrackets& Brackets() const { return m_brackets; }
    bool LightControlTaken() const { return m_lightControlTaken; }

    const std::vector<std::uint8_t>& Memory(Region region) const;
    // The on-board profile switch; returns the profile now active.
    std::uint8_t SwitchProfile(std::uint8_t profile);
    std::uint8_t ActiveProfile() const;
    // The mouse's DPI stage button; false when the model has no DPI stage.
    bool SetDpiStage(std::uint8_t stage);
    void SetBattery(std::uint8_t percent, std::optional<std::uint8_t> charging);
    // What lies on the charger: false when the model has none (only the mouse pad has one).
    bool SetPhoneKind(std::uint8_t kind);

private:
    CommandReport Execute(const CommandReport& request, Route route);
    // The first fault that applies to this command, used up by one.
    std::optional<SimFault> TakeFault(std::uint8_t command);

    SimModel m_model;
    std::optional<SimModel> m_receiverModel;
    DeviceMemory m_memory;
    bool m_reachable = true;
    std::vector<SimFault> m_faults;
    ConfigBrackets m_brackets;
    bool m_lightControlTaken = false;
};

// The reply frame of a request before its data: report id, echo, length,
// address and status, checksum sealed by the caller.
CommandReport ReplyFrame(const CommandReport& request, std::uint8_t status);

}  // namespace q31::sim
