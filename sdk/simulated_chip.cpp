#include "sdk/simulated_chip.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace q31::sdk {
namespace {

// The newest calls are kept; a long session would otherwise grow the file without end.
constexpr Json::ArrayIndex kLoggedCalls = 2000;
constexpr OsConfDevice kRender = {1, 1, 0, 1};
constexpr OsConfDevice kCapture = {2, 2, 0, 1};

const char* FlowName(std::int32_t flow)
{
    return flow == kOsConfCapture ? "capture" : "render";
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// A failure names a call by its first words.
bool Fails(const Json::Value& document, const std::string& callLine)
{
    const Json::Value& failures = document["failures"];
    if (!failures.isArray())
        return false;
    const std::vector<std::string> call = Words(callLine);
    return std::any_of(failures.begin(), failures.end(), [&](const Json::Value& failure) {
        if (!failure.isString())
            return false;
        const std::vector<std::string> pattern = Words(failure.asString());
        return !pattern.empty() && pattern.size() <= call.size() &&
               std::equal(pattern.begin(), pattern.end(), call.begin());
    });
}

void Log(Json::Value& document, const std::string& callLine)
{
    Json::Value& calls = document["calls"];
    if (!calls.isArray())
        calls = Json::Value(Json::arrayValue);
    calls.append(callLine);
    while (calls.size() > kLoggedCalls) {
        Json::Value dropped;
        calls.removeIndex(0, &dropped);
    }
}

std::int32_t IntegerField(const Json::Value& object, const char* name)
{
    const Json::Value& value = object[name];
    return value.isInt() ? value.asInt() : 0;
}

std::vector<OsConfDevice> Devices(const Json::Value& document, std::int32_t flow)
{
    std::vector<OsConfDevice> devices;
    const Json::Value& list = document[FlowName(flow)];
    if (!list.isArray())
        return devices;
    for (const Json::Value& entry : list) {
        if (entry.isObject())
            devices.push_back({IntegerField(entry, "id"), IntegerField(entry, "kind"),
                               IntegerField(entry, "reserved"), IntegerField(entry, "state")});
    }
    return devices;
}

bool IsListed(const Json::Value& document, const OsConfDevice& device)
{
    for (const std::int32_t flow : {kOsConfRender, kOsConfCapture}) {
        const auto devices = Devices(document, flow);
        if (std::any_of(devices.begin(), devices.end(), [&](const OsConfDevice& listed) {
                return listed.id == device.id && listed.kind == device.kind;
            }))
            return true;
    }
    return false;
}

std::string DescribeProperty(const PropertyCall& call, const char* direction)
{
    return "PropertyControl " + std::to_string(call.device.id) + " " + direction + " " + call.name;
}

std::string DescribeParameter(const PropertyCall& call)
{
    if (!call.parameter)
        return {};
    std::string text = " param";
    char separator = ' ';
    for (const std::int32_t value : *call.parameter) {
        text += separator;
        text += std::to_string(value);
        separator = ',';
    }
    return text;
}

Json::Value DeviceEntry(const OsConfDevice& device)
{
    Json::Value entry(Json::objectValue);
    entry["id"] = device.id;
    entry["kind"] = device.kind;
    entry["reserved"] = device.reserved;
    entry["state"] = device.state;
    return entry;
}

}  // namespace

Json::Value SimulatedChip::DefaultState()
{
    Json::Value document(Json::objectValue);
    document["render"].append(DeviceEntry(kRender));
    document["capture"].append(DeviceEntry(kCapture));
    // Bit 0x20000 of the capture device's first feature word: it has the voice changer.
    StoreProperty(document, kRender, "GetSupportFeature", "1,0,0,0,5,0,7");
    StoreProperty(document, kCapture, "GetSupportFeature", "131073,0,0,0,5,0,7");
    for (const char* name : {"VirtualSurroundEffectControl", "Enable_EQ_GFX", "Enable_RFX_GFX", "RFX_ENVIRONMENT",
                             "RFX_ROOMSIZE"})
        StoreProperty(document, kRender, name, "0");
    for (int band = 1; band <= 10; ++band)
        StoreProperty(document, kRender, "EQ_Slider" + std::to_string(band), "0");
    const std::array<std::pair<const char*, const char*>, 16> capture = {{
        {"Enable_ENC_LFX", "0"}, {"GetMaxVol", "30"}, {"GetMinVol", "-12"}, {"GetVolStep", "0.5"},
        {"VolumeControl", "18"}, {"MuteControl", "0"}, {"VolumeScalarControl", "0.8"}, {"GetAAMaxVol", "0"},
        {"GetAAMinVol", "-30"}, {"GetAAVolStep", "0.5"}, {"AAVolumeControl", "-15"}, {"AAMuteControl", "1"},
        {"AAVolumeScalarControl", "0.5"}, {"Enable_MAGICVOICE", "0"}, {"MagicVoice_Selection", "0"},
        {"Enable_MICECHO", "0"},
    }};
    for (const auto& [name, text] : capture)
        StoreProperty(document, kCapture, name, text);
    document["failures"] = Json::Value(Json::arrayValue);
    document["calls"] = Json::Value(Json::arrayValue);
    return document;
}

bool SimulatedChip::Run(const std::string& callLine, const std::function<bool(Json::Value&)>& body)
{
    if (!m_file.Exists())
        m_file.Save(DefaultState());
    auto document = m_file.Load();
    if (!document)
        return false;
    Log(*document, callLine);
    const bool succeeded = !Fails(*document, callLine) && body(*document);
    return m_file.Save(*document) && succeeded;
}

bool SimulatedChip::Init()
{
    return Run("ConfLibInit", [](Json::Value&) { return true; });
}

void SimulatedChip::CreateDeviceList()
{
    Run("CreateDeviceList", [](Json::Value&) { return true; });
}

std::optional<std::int32_t> SimulatedChip::DeviceCount(std::int32_t flow)
{
    std::optional<std::int32_t> count;
    Run("GetDeviceCount " + std::to_string(flow), [&](Json::Value& document) {
        count = static_cast<std::int32_t>(Devices(document, flow).size());
        return true;
    });
    return count;
}

std::optional<OsConfDevice> SimulatedChip::DeviceAt(std::int32_t flow, std::int32_t index)
{
    std::optional<OsConfDevice> device;
    Run("GetDeviceById " + std::to_string(flow) + " " + std::to_string(index), [&](Json::Value& document) {
        const auto devices = Devices(document, flow);
        if (index < 0 || static_cast<std::size_t>(index) >= devices.size())
            return false;
        device = devices[static_cast<std::size_t>(index)];
        return true;
    });
    return device;
}

std::optional<std::string> SimulatedChip::Read(const PropertyCall& call)
{
    std::optional<std::string> text;
    Run(DescribeProperty(call, "read") + DescribeParameter(call), [&](Json::Value& document) {
        if (IsListed(document, call.device))
            text = StoredProperty(document, call.device, call.name);
        return text.has_value();
    });
    return text;
}

bool SimulatedChip::Write(const PropertyCall& call)
{
    const std::string value = TextOfValue(call.value);
    return Run(DescribeProperty(call, "write") + " " + value + DescribeParameter(call), [&](Json::Value& document) {
        if (!IsListed(document, call.device))
            return false;
        StoreProperty(document, call.device, call.name, value);
        return true;
    });
}

}  // namespace q31::sdk
