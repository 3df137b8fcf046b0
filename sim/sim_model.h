#pragma once
// The factory description of one simulated model, read from its JSON file in
// the data folder's "sim" folder. A model is either a device (keyboard, mouse,
// mouse pad, headset) or a receiver that relays to one of them. The USB ids
// and interfaces are not part of it: they come from the interface catalogue
// by the model's device type.
//
// Keys of a description (numbers may be written "0x..."; byte strings are
// hexadecimal bytes separated by spaces):
//   "deviceType"            the catalogue's DeviceType
//   "versionNumber"         the USB release number the interfaces report
//   "bootInterface"         "keyboard" or "mouse": a boot interface 0 beside the catalogue's
//   "relaysTo"              receivers only: the name of the device model behind them
//   "deviceInfo"            {"macroMemoryBlocks": units of 128 bytes, "bytes": {"offset": value}}
//   "dpi"                   {"step", "highestIndex", "lowestDpi", "sensorId"}
//   "currentDpiStage"       {"profileStride", "offset"} in parameter memory
//   "keyMap"                one three-byte function code per key position
//   "keyLightMap"           one light index per key position
//   "parameterMemory"       {"size", "contents": {"address": "bytes"}}
//   "colourPages"           {"count", "size"}
//   "lightFrameBytes", "shootDataBytes", "lightCount", "ledOutputReportLength"
//   "status"                {"battery", "charging", "phoneKind"}
//   "keyPress"              {"codes": [...], "withPosition": bool}
#include "hid/hid_catalogue.h"
#include "sim/sim_memory.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q31::sim {

inline constexpr std::size_t kDeviceInfoLength = 34;
inline constexpr std::size_t kKeyCountInfoByte = 5;
inline constexpr std::size_t kMacroBlocksInfoByte = 6;
inline constexpr std::size_t kMacroBlockBytes = 128;
inline constexpr std::size_t kSensorInfoByte = 9;   // 16-bit
inline constexpr std::size_t kDpiStepInfoByte = 11;
inline constexpr std::size_t kHighestIndexInfoByte = 12;  // 16-bit
inline constexpr std::size_t kLowestDpiInfoByte = 14;     // 16-bit
inline constexpr std::size_t kStatusLength = 6;
inline constexpr std::size_t kStatusBatteryByte = 0;
inline constexpr std::size_t kStatusChargingByte = 1;
inline constexpr std::size_t kStatusLinkByte = 3;
inline constexpr std::size_t kStatusPhoneByte = 5;

// What the USB interface 0 of the model is, besides the interfaces of the catalogue.
enum class BootInterface { None, Keyboard, Mouse };

// Where a per-profile setting sits in parameter memory: profile × stride + offset.
struct ProfileField {
    unsigned profileStride = 0;
    unsigned offset = 0;
};

struct SimModel {
    std::string name;  // the file name without ".json": "keyboard", "mouse_receiver", ...
    DeviceType deviceType = Keyboard;
    std::uint16_t versionNumber = 0;
    BootInterface bootInterface = BootInterface::None;
    std::string relaysTo;  // receivers only: the name of the device model they reach
    DeviceMemory factoryMemory;  // devices only: every region at its factory size and contents
    std::size_t ledOutputReportLength = 0;  // the headset's LED output reports, report id included
    std::size_t lightCount = 0;
    std::optional<ProfileField> dpiStageField;  // the mouse's current DPI stage
    // The notifications of a key press, in order; with keyPressCarriesPosition
    // the key position goes into the low byte of each.
    std::vector<std::uint16_t> keyPressCodes;
    bool keyPressCarriesPosition = false;

    bool IsReceiver() const { return !relaysTo.empty(); }
};

// Parses one description; nullopt with a message naming the fault otherwise.
std::optional<SimModel> ParseSimModel(const std::string& name, const std::string& json, QString* error);
// Every "*.json" of the folder; nullopt when one of them cannot be used.
std::optional<std::vector<SimModel>> LoadSimModels(const QString& folder, QString* error);
// The data folder's "sim" folder.
QString SimModelFolder();

}  // namespace q31::sim
