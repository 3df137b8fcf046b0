#pragma once
// A chip that exists only in its JSON state file: its devices ("render" and
// "capture": lists of {id, kind, reserved, state}), its property values, the
// calls that fail ("failures": the first words of a call as the log writes
// it, e.g. "PropertyControl 2 write MuteControl") and the log of every call
// ("calls"). The file is read before and written after each call, so that
// other processes see and change the chip as it runs.
#include "sdk/chip_backend.h"
#include "sdk/chip_state_file.h"

#include <functional>

namespace q31::sdk {

class SimulatedChip final : public ChipBackend {
public:
    explicit SimulatedChip(std::string statePath) : m_file(std::move(statePath)) {}

    bool Init() override;
    void CreateDeviceList() override;
    std::optional<std::int32_t> DeviceCount(std::int32_t flow) override;
    std::optional<OsConfDevice> DeviceAt(std::int32_t flow, std::int32_t index) override;
    std::optional<std::string> Read(const PropertyCall& call) override;
    bool Write(const PropertyCall& call) override;

    // A headset with one render and one capture device whose every property reads.
    static Json::Value DefaultState();

private:
    // Logs the call, and runs it unless the state cannot be read or the call
    // is to fail; false then.
    bool Run(const std::string& callLine, const std::function<bool(Json::Value&)>& body);

    ChipStateFile m_file;
};

}  // namespace q31::sdk
