#pragma once
// The simulated USB bus: one device per device model, each reachable over its
// cable and, when a receiver model relays to it, through its receiver. It
// lists the interfaces of what is plugged in, opens them, carries reports both
// ways with the report latency, and takes the script: plug, unplug,
// reachability, key presses, profile and DPI switches, battery, faults.
// Every operation is thread-safe.
#include "hid/hid_backend.h"
#include "sim/sim_device.h"
#include "sim/sim_input_queue.h"
#include "sim/sim_interfaces.h"
#include "sim/sim_traffic_log.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace q31::sim {

inline constexpr int kDefaultLatencyMs = 1;  // a full-speed interrupt endpoint

// Empty when the operation worked, else why not, in words for the user.
using Outcome = std::string;

class SimHub : public std::enable_shared_from_this<SimHub> {
public:
    // Nothing is plugged in at first.
    static std::shared_ptr<SimHub> Create(const std::vector<SimModel>& models, int latencyMs = kDefaultLatencyMs);
    // The models of the data folder; nullptr (and the reason) when they cannot be read.
    static std::shared_ptr<SimHub> FromDataFolder(QString* error, int latencyMs = kDefaultLatencyMs);

    // The device model names: "headset", "keyboard", "mouse", "mousepad".
    std::vector<std::string> DeviceNames() const;
    bool HasReceiver(const std::string& device) const;

    Outcome Plug(const std::string& device, Route route);
    Outcome Unplug(const std::string& device, Route route);
    bool IsPlugged(const std::string& device, Route route) const;
    Outcome SetReachable(const std::string& device, bool reachable);
    void SetLatency(int latencyMs);

    // A notification with this code on the interface the device uses now:
    // its cable, else its receiver while it is reachable.
    Outcome Notify(const std::string& device, std::uint16_t code);
    // The notifications the model sends for a key press at this key position.
    Outcome PressKey(const std::string& device, std::uint8_t position);
    Outcome SwitchProfile(const std::string& device, std::uint8_t profile);
    Outcome ChangeDpiStage(const std::string& device, std::uint8_t stage);
    Outcome SetBattery(const std::string& device, std::uint8_t percent, std::optional<std::uint8_t> charging);
    // The kind of phone on the mouse pad's charger, as its status record reports it.
    Outcome SetPhoneKind(const std::string& device, std::uint8_t kind);
    Outcome AddFault(const std::string& device, const SimFault& fault);
    Outcome ClearFaults(const std::string& device);

    // A copy of one memory region; nullopt for an unknown device.
    std::optional<std::vector<std::uint8_t>> Dump(const std::string& device, Region region) const;
    std::optional<ConfigBrackets> Brackets(const std::string& device) const;
    std::optional<bool> LightControlTaken(const std::string& device) const;
    // One line per device: what is plugged, reachable, and the faults waiting.
    std::string Describe() const;

    TrafficLog& Log() { return m_log; }

    // The HID side, as the back ends offer it.
    std::vector<hid::HidInterfaceInfo> Enumerate() const;
    std::unique_ptr<hid::IHidConnection> Open(const std::string& path, hid::OpenError& error);
    bool Exists(const std::string& path) const;
    std::uint64_t ChangeCounter() const;
    // True when the counter moved away from `seen` within the timeout.
    bool WaitForChange(std::uint64_t seen, int timeoutMs) const;

    // Called by the connections.
    struct OpenCollection;
    int Write(OpenCollection& from, const std::uint8_t* report, std::size_t length);

private:
    struct Collection {
        SimCollection layout;
        std::uint16_t interfaceNumber = 0;
        hid::HidInterfaceInfo info;
    };
    // A USB device that can be plugged in: a device's cable side or its receiver.
    struct Endpoint {
        std::size_t device = 0;
        Route route = Route::Cable;
        const SimModel* model = nullptr;
        std::size_t instance = 0;
        unsigned generation = 0;  // counts the plugs; part of every path
        bool plugged = false;
        std::vector<Collection> collections;
    };

    SimHub(const std::vector<SimModel>& models, int latencyMs);
    void AddEndpoint(std::size_t device, Route route, const SimModel& model);
    static void NamePaths(Endpoint& endpoint);
    Endpoint* FindEndpoint(const std::string& device, Route route);
    const Endpoint* FindEndpoint(const std::string& device, Route route) const;
    SimDevice* FindDevice(const std::string& device);
    const SimDevice* FindDevice(const std::string& device) const;
    void UnplugLocked(Endpoint& endpoint);
    Outcome NotifyLocked(std::size_t device, std::uint16_t code);
    void DeliverLocked(const Endpoint& endpoint, const Collection& collection, std::vector<std::uint8_t> report,
                       SteadyTime arrives);
    std::string SourceName(const Endpoint& endpoint, const Collection& collection) const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<SimDevice> m_devices;
    std::vector<Endpoint> m_endpoints;
    std::vector<std::weak_ptr<OpenCollection>> m_open;
    std::uint64_t m_changeCounter = 1;
    int m_latencyMs;
    TrafficLog m_log;
};

// The state of one open connection, shared by the connection and the hub.
struct SimHub::OpenCollection {
    InputQueue queue;
    hid::HidInterfaceInfo info;
    std::size_t endpoint = 0;
    std::size_t collection = 0;
};

}  // namespace q31::sim
