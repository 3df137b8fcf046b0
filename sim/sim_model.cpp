#include "sim/sim_model.h"

#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <json/json.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace q31::sim {
namespace {

// Any fault in a description; caught once, at the top, and turned into the message.
struct ModelError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

unsigned Number(const Json::Value& value, const std::string& what, unsigned highest)
{
    unsigned long number = 0;
    if (value.isUInt())
        number = value.asUInt();
    else if (value.isString())
        try {
            std::size_t used = 0;
            number = std::stoul(value.asString(), &used, 0);
            if (used != value.asString().size())
                throw ModelError(what + " is not a number");
        } catch (const std::logic_error&) {
            throw ModelError(what + " is not a number");
        }
    else
        throw ModelError(what + " is not a number");
    if (number > highest)
        throw ModelError(what + " is above " + std::to_string(highest));
    return static_cast<unsigned>(number);
}

unsigned OptionalNumber(const Json::Value& object, const char* key, unsigned highest, unsigned fallback = 0)
{
    return object.isMember(key) ? Number(object[key], key, highest) : fallback;
}

// "20 00 29": bytes in hexadecimal, separated by spaces.
std::vector<std::uint8_t> HexBytes(const Json::Value& value, const std::string& what)
{
    if (!value.isString())
        throw ModelError(what + " is not a string of hexadecimal bytes");
    std::istringstream text(value.asString());
    std::vector<std::uint8_t> bytes;
    std::string token;
    while (text >> token) {
        std::size_t used = 0;
        unsigned long byte = 0;
        try {
            byte = std::stoul(token, &used, 16);
        } catch (const std::logic_error&) {
            used = 0;
        }
        if (used != token.size() || byte > 0xFF)
            throw ModelError(what + ": \"" + token + "\" is not a hexadecimal byte");
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    return bytes;
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t offset, unsigned value)
{
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

DeviceType TypeOf(const Json::Value& root)
{
    const unsigned type = Number(root["deviceType"], "deviceType", 0xFFFF);
    const bool known = std::any_of(kHidInterfaceTable.begin(), kHidInterfaceTable.end(),
                                   [&](const HidInterfaceEntry& entry) { return entry.type == type; });
    if (!known)
        throw ModelError("deviceType " + std::to_string(type) + " is not in the interface catalogue");
    return static_cast<DeviceType>(type);
}

BootInterface BootOf(const Json::Value& root)
{
    const std::string boot = root.get("bootInterface", "").asString();
    if (boot.empty())
        return BootInterface::None;
    if (boot == "keyboard")
        return BootInterface::Keyboard;
    if (boot == "mouse")
        return BootInterface::Mouse;
    throw ModelError("bootInterface must be \"keyboard\" or \"mouse\"");
}

std::vector<std::uint8_t> KeyMapOf(const Json::Value& root)
{
    const Json::Value& keys = root["keyMap"];
    std::vector<std::uint8_t> map;
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        const auto code = HexBytes(keys[i], "keyMap[" + std::to_string(i) + "]");
        if (code.size() != 3)
            throw ModelError("keyMap[" + std::to_string(i) + "] is not a three-byte function code");
        map.insert(map.end(), code.begin(), code.end());
    }
    if (map.size() > 512)
        throw ModelError("keyMap holds more than 170 key positions");
    return map;
}

std::vector<std::uint8_t> KeyLightMapOf(const Json::Value& root, std::size_t keyCount)
{
    const Json::Value& lights = root["keyLightMap"];
    if (lights.size() != keyCount)
        throw ModelError("keyLightMap needs one light index per key position");
    std::vector<std::uint8_t> map;
    for (Json::ArrayIndex i = 0; i < lights.size(); ++i)
        map.push_back(static_cast<std::uint8_t>(Number(lights[i], "keyLightMap entry", 0xFF)));
    return map;
}

// The information record: named fields at the offsets the device classes read
// them from, other device-specific bytes by offset.
std::vector<std::uint8_t> DeviceInfoOf(const Json::Value& root, std::size_t keyCount)
{
    std::vector<std::uint8_t> info(kDeviceInfoLength, 0);
    const Json::Value& fields = root["deviceInfo"];
    const Json::Value& bytes = fields["bytes"];
    for (const std::string& key : bytes.getMemberNames()) {
        const unsigned offset = Number(Json::Value(key), "deviceInfo.bytes offset", kDeviceInfoLength - 1);
        const bool named = offset == kKeyCountInfoByte || offset == kMacroBlocksInfoByte ||
                           (offset >= kSensorInfoByte && offset < kLowestDpiInfoByte + 2);
        if (named)
            throw ModelError("deviceInfo.bytes names byte " + key + ", which a named field owns");
        info[offset] = static_cast<std::uint8_t>(Number(bytes[key], "deviceInfo.bytes[" + key + "]", 0xFF));
    }
    info[kKeyCountInfoByte] = static_cast<std::uint8_t>(keyCount);
    info[kMacroBlocksInfoByte] = static_cast<std::uint8_t>(OptionalNumber(fields, "macroMemoryBlocks", 0xFF));
    if (root.isMember("dpi")) {
        const Json::Value& dpi = root["dpi"];
        PutLittleEndian(info, kSensorInfoByte, Number(dpi["sensorId"], "dpi.sensorId", 0xFFFF));
        info[kDpiStepInfoByte] = static_cast<std::uint8_t>(Number(dpi["step"], "dpi.step", 0xFF));
        PutLittleEndian(info, kHighestIndexInfoByte, Number(dpi["highestIndex"], "dpi.highestIndex", 0xFFFF));
        PutLittleEndian(info, kLowestDpiInfoByte, Number(dpi["lowestDpi"], "dpi.lowestDpi", 0xFFFF));
    }
    return info;
}

std::vector<std::uint8_t> ParametersOf(const Json::Value& root)
{
    const Json::Value& parameters = root["parameterMemory"];
    std::vector<std::uint8_t> memory(OptionalNumber(parameters, "size", 0x10000), 0);
    const Json::Value& contents = parameters["contents"];
    for (const std::string& key : contents.getMemberNames()) {
        const unsigned address = Number(Json::Value(key), "parameterMemory address", 0xFFFF);
        const auto bytes = HexBytes(contents[key], "parameterMemory.contents[" + key + "]");
        if (address + bytes.size() > memory.size())
            throw ModelError("parameterMemory.contents[" + key + "] runs past the memory size");
        std::copy(bytes.begin(), bytes.end(), memory.begin() + address);
    }
    return memory;
}

std::vector<std::uint8_t> StatusOf(const Json::Value& root)
{
    const Json::Value& status = root["status"];
    std::vector<std::uint8_t> record(kStatusLength, 0);
    record[kStatusBatteryByte] = static_cast<std::uint8_t>(OptionalNumber(status, "battery", 100, 100));
    record[kStatusChargingByte] = static_cast<std::uint8_t>(OptionalNumber(status, "charging", 2));
    record[kStatusPhoneByte] = static_cast<std::uint8_t>(OptionalNumber(status, "phoneKind", 0xFF));
    return record;
}

DeviceMemory FactoryMemoryOf(const Json::Value& root)
{
    const auto keyMap = KeyMapOf(root);
    const std::size_t keyCount = keyMap.size() / 3;
    DeviceMemory memory;
    memory[Region::DeviceInfo] = DeviceInfoOf(root, keyCount);
    memory[Region::KeyMap] = keyMap;
    memory[Region::KeyLightMap] = KeyLightMapOf(root, keyCount);
    memory[Region::Parameters] = ParametersOf(root);
    const Json::Value& pages = root["colourPages"];
    const unsigned pageBytes = OptionalNumber(pages, "count", 0xFF) * OptionalNumber(pages, "size", 0x10000);
    if (pageBytes > 0x10000)
        throw ModelError("colourPages do not fit in 16-bit addresses");
    memory[Region::ColourPages].assign(pageBytes, 0);
    memory[Region::LightFrame].assign(OptionalNumber(root, "lightFrameBytes", 0x10000), 0);
    memory[Region::Macros].assign(memory[Region::DeviceInfo][kMacroBlocksInfoByte] * kMacroBlockBytes, 0);
    memory[Region::ShootData].assign(OptionalNumber(root, "shootDataBytes", 0x10000), 0);
    memory[Region::Status] = StatusOf(root);
    return memory;
}

SimModel ModelOf(const std::string& name, const Json::Value& root)
{
    if (!root.isObject())
        throw ModelError("the description is not a JSON object");
    SimModel model;
    model.name = name;
    model.deviceType = TypeOf(root);
    model.versionNumber = static_cast<std::uint16_t>(OptionalNumber(root, "versionNumber", 0xFFFF));
    model.bootInterface = BootOf(root);
    model.relaysTo = root.get("relaysTo", "").asString();
    if (model.IsReceiver())
        return model;
    model.factoryMemory = FactoryMemoryOf(root);
    model.lightCount = OptionalNumber(root, "lightCount", 0xFF);
    model.ledOutputReportLength = OptionalNumber(root, "ledOutputReportLength", 0xFF);
    model.factoryMemory[Region::HeadsetLeds].assign(model.ledOutputReportLength ? model.lightCount * 3 : 0, 0);
    const Json::Value& keyPress = root["keyPress"];
    for (const Json::Value& code : keyPress["codes"])
        model.keyPressCodes.push_back(static_cast<std::uint16_t>(Number(code, "keyPress code", 0xFFFF)));
    model.keyPressCarriesPosition = keyPress.get("withPosition", false).asBool();
    if (root.isMember("currentDpiStage")) {
        const Json::Value& field = root["currentDpiStage"];
        model.dpiStageField = ProfileField{Number(field["profileStride"], "currentDpiStage.profileStride", 0xFFFF),
                                           Number(field["offset"], "currentDpiStage.offset", 0xFFFF)};
    }
    return model;
}

}  // namespace

std::optional<SimModel> ParseSimModel(const std::string& name, const std::string& json, QString* error)
{
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string parseError;
    try {
        if (!reader->parse(json.data(), json.data() + json.size(), &root, &parseError))
            throw ModelError(parseError);
        return ModelOf(name, root);
    } catch (const std::exception& fault) {
        if (error)
            *error = QStringLiteral("simulated model \"%1\": %2")
                         .arg(QString::fromStdString(name), QString::fromStdString(fault.what()));
        return std::nullopt;
    }
}

std::optional<std::vector<SimModel>> LoadSimModels(const QString& folder, QString* error)
{
    std::vector<SimModel> models;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QFile input(QDir(folder).filePath(file));
        if (!input.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("cannot read %1").arg(input.fileName());
            return std::nullopt;
        }
        auto model = ParseSimModel(QFileInfo(file).completeBaseName().toStdString(), input.readAll().toStdString(), error);
        if (!model)
            return std::nullopt;
        models.push_back(std::move(*model));
    }
    if (models.empty()) {
        if (error)
            *error = QStringLiteral("no simulated models in %1").arg(folder);
        return std::nullopt;
    }
    return models;
}

QString SimModelFolder()
{
    return ProgramDataFolder() + QStringLiteral("/sim");
}

}  // namespace q31::sim
