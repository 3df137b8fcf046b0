#include "sim/sim_hub.h"

#include "sim/sim_connection.h"

#include <algorithm>
#include <cstdio>

namespace q31::sim {
namespace {

constexpr std::uint16_t kNotificationProfile = 0x1000;
constexpr std::uint16_t kNotificationProfileAndStage = 0x1100;

const HidInterfaceEntry* CatalogueRow(DeviceType type)
{
    const auto row = std::find_if(kHidInterfaceTable.begin(), kHidInterfaceTable.end(),
                                  [&](const HidInterfaceEntry& entry) { return entry.type == type; });
    return row == kHidInterfaceTable.end() ? nullptr : &*row;
}

// The Windows form of an interface path, so the "&mi_" and "&col" tokens read
// as they do on real devices. The plug generation is part of the instance, so
// a device that is unplugged and plugged in again comes back under a new path,
// however quickly that happens.
std::string InterfacePath(const hid::HidInterfaceInfo& ids, std::uint16_t interface, std::uint16_t collection,
                          std::size_t instance, unsigned generation)
{
    char collectionPart[16] = "";
    if (collection)
        std::snprintf(collectionPart, sizeof collectionPart, "&col%02x", collection);
    char path[160];
    std::snprintf(path, sizeof path,
                  "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x%s#7&5e3a%04zx&%x&%04x#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  ids.vendorId, ids.productId, interface, collectionPart, instance, generation, collection);
    return path;
}

std::chrono::system_clock::time_point WallTimeOf(SteadyTime when)
{
    return std::chrono::system_clock::now() +
           std::chrono::duration_cast<std::chrono::system_clock::duration>(when - std::chrono::steady_clock::now());
}

}  // namespace

std::shared_ptr<SimHub> SimHub::Create(const std::vector<SimModel>& models, int latencyMs)
{
    return std::shared_ptr<SimHub>(new SimHub(models, latencyMs));
}

std::shared_ptr<SimHub> SimHub::FromDataFolder(QString* error, int latencyMs)
{
    const auto models = LoadSimModels(SimModelFolder(), error);
    if (!models)
        return nullptr;
    for (const SimModel& model : *models) {
        const bool relayed = !model.IsReceiver() || std::any_of(models->begin(), models->end(), [&](const SimModel& device) {
            return !device.IsReceiver() && device.name == model.relaysTo;
        });
        if (!relayed) {
            if (error)
                *error = QStringLiteral("simulated receiver \"%1\" relays to \"%2\", which is not a device model")
                             .arg(QString::fromStdString(model.name), QString::fromStdString(model.relaysTo));
            return nullptr;
        }
    }
    return Create(*models, latencyMs);
}

SimHub::SimHub(const std::vector<SimModel>& models, int latencyMs) : m_latencyMs(latencyMs)
{
    for (const SimModel& model : models) {
        if (model.IsReceiver())
            continue;
        const auto receiver = std::find_if(models.begin(), models.end(),
                                           [&](const SimModel& other) { return other.relaysTo == model.name; });
        m_devices.emplace_back(model, receiver == models.end() ? nullptr : &*receiver);
    }
    // Endpoints point into the devices: the device list does not change from here on.
    for (std::size_t device = 0; device < m_devices.size(); ++device) {
        AddEndpoint(device, Route::Cable, m_devices[device].Model());
        if (const SimModel* receiver = m_devices[device].Receiver())
            AddEndpoint(device, Route::Receiver, *receiver);
    }
}

void SimHub::AddEndpoint(std::size_t device, Route route, const SimModel& model)
{
    const HidInterfaceEntry* ids = CatalogueRow(model.deviceType);
    if (!ids)
        return;
    Endpoint endpoint;
    endpoint.device = device;
    endpoint.route = route;
    endpoint.model = &model;
    endpoint.instance = m_endpoints.size() + 1;
    for (const SimInterface& interface : InterfacesOf(model)) {
        for (const SimCollection& layout : interface.collections) {
            Collection collection;
            collection.layout = layout;
            collection.interfaceNumber = interface.number;
            collection.info.vendorId = ids->vendorId;
            collection.info.productId = ids->productId;
            collection.info.versionNumber = model.versionNumber;
            collection.info.usagePage = layout.usagePage;
            collection.info.usage = layout.usage;
            collection.info.reportDescriptor = interface.reportDescriptor;
            endpoint.collections.push_back(std::move(collection));
        }
    }
    NamePaths(endpoint);
    m_endpoints.push_back(std::move(endpoint));
}

void SimHub::NamePaths(Endpoint& endpoint)
{
    for (Collection& collection : endpoint.collections)
        collection.info.path = InterfacePath(collection.info, collection.interfaceNumber, collection.layout.number,
                                             endpoint.instance, endpoint.generation);
}

std::vector<std::string> SimHub::DeviceNames() const
{
    std::vector<std::string> names;
    for (const SimDevice& device : m_devices)
        names.push_back(device.Model().name);
    std::sort(names.begin(), names.end());
    return names;
}

bool SimHub::HasReceiver(const std::string& device) const
{
    return FindEndpoint(device, Route::Receiver) != nullptr;
}

SimHub::Endpoint* SimHub::FindEndpoint(const std::string& device, Route route)
{
    const auto found = std::find_if(m_endpoints.begin(), m_endpoints.end(), [&](const Endpoint& endpoint) {
        return endpoint.route == route && m_devices[endpoint.device].Model().name == device;
    });
    return found == m_endpoints.end() ? nullptr : &*found;
}

const SimHub::Endpoint* SimHub::FindEndpoint(const std::string& device, Route route) const
{
    return const_cast<SimHub*>(this)->FindEndpoint(device, route);
}

SimDevice* SimHub::FindDevice(const std::string& device)
{
    const auto found = std::find_if(m_devices.begin(), m_devices.end(),
                                    [&](const SimDevice& candidate) { return candidate.Model().name == device; });
    return found == m_devices.end() ? nullptr : &*found;
}

const SimDevice* SimHub::FindDevice(const std::string& device) const
{
    return const_cast<SimHub*>(this)->FindDevice(device);
}

namespace {

Outcome NoSuchDevice(const std::string& device)
{
    return "no simulated device \"" + device + "\"";
}

Outcome NoSuchEndpoint(const std::string& device, Route route)
{
    return route == Route::Receiver ? "the " + device + " has no receiver" : NoSuchDevice(device);
}

}  // namespace

Outcome SimHub::Plug(const std::string& device, Route route)
{
    {
        std::lock_guard lock(m_mutex);
        Endpoint* endpoint = FindEndpoint(device, route);
        if (!endpoint)
            return NoSuchEndpoint(device, route);
        if (endpoint->plugged)
            return {};
        endpoint->plugged = true;
        ++endpoint->generation;
        NamePaths(*endpoint);
        ++m_changeCounter;
    }
    m_changed.notify_all();
    return {};
}

Outcome SimHub::Unplug(const std::string& device, Route route)
{
    std::lock_guard lock(m_mutex);
    Endpoint* endpoint = FindEndpoint(device, route);
    if (!endpoint)
        return NoSuchEndpoint(device, route);
    if (endpoint->plugged)
        UnplugLocked(*endpoint);
    return {};
}

void SimHub::UnplugLocked(Endpoint& endpoint)
{
    endpoint.plugged = false;
    const std::size_t index = static_cast<std::size_t>(&endpoint - m_endpoints.data());
    for (const auto& weak : m_open)
        if (const auto open = weak.lock(); open && open->endpoint == index)
            open->queue.Close();
    ++m_changeCounter;
    m_changed.notify_all();
}

bool SimHub::IsPlugged(const std::string& device, Route route) const
{
    std::lock_guard lock(m_mutex);
    const Endpoint* endpoint = FindEndpoint(device, route);
    return endpoint && endpoint->plugged;
}

Outcome SimHub::SetReachable(const std::string& device, bool reachable)
{
    std::lock_guard lock(m_mutex);
    if (!FindEndpoint(device, Route::Receiver))
        return NoSuchEndpoint(device, Route::Receiver);
    FindDevice(device)->SetReachable(reachable);
    return {};
}

void SimHub::SetLatency(int latencyMs)
{
    std::lock_guard lock(m_mutex);
    m_latencyMs = std::max(0, latencyMs);
}

Outcome SimHub::Notify(const std::string& device, std::uint16_t code)
{
    std::lock_guard lock(m_mutex);
    const SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    return NotifyLocked(static_cast<std::size_t>(target - m_devices.data()), code);
}

Outcome SimHub::NotifyLocked(std::size_t device, std::uint16_t code)
{
    const Endpoint* path = nullptr;
    for (const Endpoint& endpoint : m_endpoints) {
        if (endpoint.device != device || !endpoint.plugged)
            continue;
        if (endpoint.route == Route::Cable || (m_devices[device].Reachable() && !path))
            path = &endpoint;
    }
    const std::string& name = m_devices[device].Model().name;
    if (!path)
        return "the " + name + " is neither plugged in nor reachable through its receiver";
    const auto collection = std::find_if(path->collections.begin(), path->collections.end(),
                                         [](const Collection& c) { return c.layout.carriesNotifications; });
    if (collection == path->collections.end())
        return "the " + name + " has no notification interface";
    const std::vector<std::uint8_t> report = {kNotificationReportId, static_cast<std::uint8_t>(code & 0xFF),
                                              static_cast<std::uint8_t>(code >> 8)};
    DeliverLocked(*path, *collection, report, std::chrono::steady_clock::now() + std::chrono::milliseconds(m_latencyMs));
    return {};
}

Outcome SimHub::PressKey(const std::string& device, std::uint8_t position)
{
    std::lock_guard lock(m_mutex);
    const SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    const SimModel& model = target->Model();
    if (model.keyPressCodes.empty())
        return "the " + device + " reports no key presses";
    const std::size_t keyCount = target->Memory(Region::KeyMap).size() / 3;
    if (model.keyPressCarriesPosition && position >= keyCount)
        return "the " + device + " has " + std::to_string(keyCount) + " key positions";
    for (std::uint16_t code : model.keyPressCodes) {
        const std::uint16_t sent = model.keyPressCarriesPosition ? static_cast<std::uint16_t>(code | position) : code;
        if (Outcome failed = NotifyLocked(static_cast<std::size_t>(target - m_devices.data()), sent); !failed.empty())
            return failed;
    }
    return {};
}

Outcome SimHub::SwitchProfile(const std::string& device, std::uint8_t profile)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    if (profile > 0x0F)
        return "profiles are numbered 0 to 15";
    target->SwitchProfile(profile);
    return NotifyLocked(static_cast<std::size_t>(target - m_devices.data()), kNotificationProfile | profile);
}

Outcome SimHub::ChangeDpiStage(const std::string& device, std::uint8_t stage)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    if (stage > 0x0F)
        return "DPI stages are numbered 0 to 15";
    if (!target->SetDpiStage(stage))
        return "the " + device + " has no DPI stages";
    const auto code = static_cast<std::uint16_t>(kNotificationProfileAndStage | (target->ActiveProfile() & 0x0F) |
                                                 (stage << 4));
    return NotifyLocked(static_cast<std::size_t>(target - m_devices.data()), code);
}

Outcome SimHub::SetBattery(const std::string& device, std::uint8_t percent, std::optional<std::uint8_t> charging)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    if (percent > 100 || (charging && *charging > 2))
        return "battery takes 0 to 100 percent and a charging state of 0, 1 or 2";
    target->SetBattery(percent, charging);
    return {};
}

Outcome SimHub::SetPhoneKind(const std::string& device, std::uint8_t kind)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    if (!target->SetPhoneKind(kind))
        return "the " + device + " has no phone charger";
    return {};
}

Outcome SimHub::AddFault(const std::string& device, const SimFault& fault)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    target->AddFault(fault);
    return {};
}

Outcome SimHub::ClearFaults(const std::string& device)
{
    std::lock_guard lock(m_mutex);
    SimDevice* target = FindDevice(device);
    if (!target)
        return NoSuchDevice(device);
    target->ClearFaults();
    return {};
}

std::optional<std::vector<std::uint8_t>> SimHub::Dump(const std::string& device, Region region) const
{
    std::lock_guard lock(m_mutex);
    const SimDevice* target = FindDevice(device);
    if (!target)
        return std::nullopt;
    return target->Memory(region);
}

std::optional<ConfigBrackets> SimHub::Brackets(const std::string& device) const
{
    std::lock_guard lock(m_mutex);
    const SimDevice* target = FindDevice(device);
    return target ? std::optional(target->Brackets()) : std::nullopt;
}

std::optional<bool> SimHub::LightControlTaken(const std::string& device) const
{
    std::lock_guard lock(m_mutex);
    const SimDevice* target = FindDevice(device);
    return target ? std::optional(target->LightControlTaken()) : std::nullopt;
}

std::string SimHub::Describe() const
{
    std::lock_guard lock(m_mutex);
    std::string text;
    for (const SimDevice& device : m_devices) {
        const std::string& name = device.Model().name;
        text += name + ": cable " + (FindEndpoint(name, Route::Cable)->plugged ? "plugged" : "unplugged");
        if (const Endpoint* receiver = FindEndpoint(name, Route::Receiver))
            text += std::string(", receiver ") + (receiver->plugged ? "plugged" : "unplugged") +
                    (device.Reachable() ? ", reachable" : ", unreachable");
        for (const SimFault& fault : device.Faults())
            text += "; fault " + DescribeFault(fault);
        text += "\n";
    }
    return text;
}

std::vector<hid::HidInterfaceInfo> SimHub::Enumerate() const
{
    std::lock_guard lock(m_mutex);
    std::vector<hid::HidInterfaceInfo> present;
    for (const Endpoint& endpoint : m_endpoints)
        if (endpoint.plugged)
            for (const Collection& collection : endpoint.collections)
                present.push_back(collection.info);
    return present;
}

bool SimHub::Exists(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_endpoints.begin(), m_endpoints.end(), [&](const Endpoint& endpoint) {
        return endpoint.plugged && std::any_of(endpoint.collections.begin(), endpoint.collections.end(),
                                               [&](const Collection& c) { return c.info.path == path; });
    });
}

std::unique_ptr<hid::IHidConnection> SimHub::Open(const std::string& path, hid::OpenError& error)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_open, [](const std::weak_ptr<OpenCollection>& weak) {
        const auto open = weak.lock();
        return !open || open->queue.IsClosed();
    });
    for (std::size_t e = 0; e < m_endpoints.size(); ++e) {
        const Endpoint& endpoint = m_endpoints[e];
        if (!endpoint.plugged)
            continue;
        for (std::size_t c = 0; c < endpoint.collections.size(); ++c) {
            if (endpoint.collections[c].info.path != path)
                continue;
            auto state = std::make_shared<OpenCollection>();
            state->info = endpoint.collections[c].info;
            state->endpoint = e;
            state->collection = c;
            m_open.push_back(state);
            error = hid::OpenError::None;
            return std::make_unique<SimConnection>(shared_from_this(), std::move(state));
        }
    }
    error = hid::OpenError::NotFound;
    return nullptr;
}

std::uint64_t SimHub::ChangeCounter() const
{
    std::lock_guard lock(m_mutex);
    return m_changeCounter;
}

bool SimHub::WaitForChange(std::uint64_t seen, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(std::max(0, timeoutMs)),
                              [&] { return m_changeCounter != seen; });
}

int SimHub::Write(OpenCollection& from, const std::uint8_t* report, std::size_t length)
{
    std::lock_guard lock(m_mutex);
    Endpoint& endpoint = m_endpoints[from.endpoint];
    if (from.queue.IsClosed() || !endpoint.plugged || length == 0)
        return -1;
    const Collection& collection = endpoint.collections[from.collection];
    m_log.Add({std::chrono::system_clock::now(), SourceName(endpoint, collection), Direction::ToDevice,
               {report, report + length}});
    SimDevice& device = m_devices[endpoint.device];

    if (collection.layout.carriesCommands && length == kCommandReportLength && report[0] == kCommandReportId) {
        CommandReport request;
        std::copy_n(report, kCommandReportLength, request.begin());
        const Exchange exchange = device.HandleCommand(request, endpoint.route);
        const SteadyTime arrives =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(m_latencyMs + exchange.delayMs);
        for (const CommandReport& reply : exchange.replies)
            DeliverLocked(endpoint, collection, {reply.begin(), reply.end()}, arrives);
        if (exchange.unplug)
            UnplugLocked(endpoint);
        return static_cast<int>(length);
    }
    if (collection.layout.ledOutputReportLength == length && report[0] == kLedOutputReportId) {
        device.HandleLedReport(report, length);
        return static_cast<int>(length);
    }
    // A report the collection does not declare: the HID stack refuses it.
    return -1;
}

void SimHub::DeliverLocked(const Endpoint& endpoint, const Collection& collection, std::vector<std::uint8_t> report,
                           SteadyTime arrives)
{
    const std::size_t endpointIndex = static_cast<std::size_t>(&endpoint - m_endpoints.data());
    const std::size_t collectionIndex = static_cast<std::size_t>(&collection - endpoint.collections.data());
    m_log.Add({WallTimeOf(arrives), SourceName(endpoint, collection), Direction::ToHost, report});
    for (const auto& weak : m_open) {
        const auto open = weak.lock();
        if (open && open->endpoint == endpointIndex && open->collection == collectionIndex)
            open->queue.Push(report, arrives);
    }
}

std::string SimHub::SourceName(const Endpoint& endpoint, const Collection& collection) const
{
    char where[24];
    std::snprintf(where, sizeof where, " mi%02x col%02x", collection.interfaceNumber, collection.layout.number);
    return endpoint.model->name + where;
}

}  // namespace q31::sim
