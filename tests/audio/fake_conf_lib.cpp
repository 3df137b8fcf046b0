#include "tests/audio/fake_conf_lib.h"

#include <algorithm>
#include <cstring>

namespace q31::test {
namespace {

FakeConfLib& Fake()
{
    return FakeConfLib::Instance();
}

int32_t Init()
{
    Fake().entries.push_back("ConfLibInit");
    return Fake().initResult;
}

int32_t CreateList()
{
    Fake().entries.push_back("CreateDeviceList");
    return 0;
}

const std::vector<OsConfDevice>& Flow(int32_t flow)
{
    return flow == kOsConfCapture ? Fake().capture : Fake().render;
}

int32_t Count(int32_t flow, int32_t* count)
{
    Fake().entries.push_back("GetDeviceCount " + std::to_string(flow));
    *count = static_cast<int32_t>(Flow(flow).size());
    return 0;
}

int32_t ById(int32_t flow, int32_t index, OsConfDevice* device)
{
    Fake().entries.push_back("GetDeviceById " + std::to_string(flow) + " " + std::to_string(index));
    *device = Flow(flow).at(static_cast<std::size_t>(index));
    return 0;
}

// A value buffer is 1024 bytes; the feature read's is 2048.
std::size_t BufferBytes(const std::string& name)
{
    return name == "GetSupportFeature" ? 2048 : 1024;
}

std::size_t ZeroedBytes(const void* buffer, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t zeroed = 0;
    while (zeroed < size && bytes[zeroed] == 0)
        ++zeroed;
    return zeroed;
}

int32_t Property(OsConfDevice device, const char16_t* name, void** value, void** parameter, int32_t direction)
{
    FakePropertyCall call;
    call.deviceId = device.id;
    for (std::size_t i = 0; name[i]; ++i)
        call.name.push_back(static_cast<char>(name[i]));
    call.direction = direction;
    call.hasParameter = parameter != nullptr;
    if (parameter) {
        call.parameter.resize(3);
        std::memcpy(call.parameter.data(), *parameter, 3 * sizeof(std::int32_t));
    }
    Fake().entries.push_back("PropertyControl " + call.name);
    if (direction == kOsConfWrite) {
        std::memcpy(&call.integer, *value, sizeof call.integer);
        std::memcpy(&call.scalar, *value, sizeof call.scalar);
        Fake().calls.push_back(call);
        return Fake().failingWrites.count(call.name) ? 1 : 0;
    }
    Fake().calls.push_back(call);
    Fake().zeroedBytes[call.name] = ZeroedBytes(*value, BufferBytes(call.name));
    const auto own = Fake().readable.find(device.id);
    if (own == Fake().readable.end() || !own->second.count(call.name))
        return 1;
    const std::u16string& text = own->second.at(call.name);
    auto* wide = static_cast<char16_t*>(*value);
    if (call.name == Fake().fillsBuffer) {
        for (std::size_t i = 0; i < BufferBytes(call.name) / sizeof(char16_t); ++i)
            wide[i] = i < text.size() ? text[i] : u' ';
        return 0;
    }
    std::copy(text.begin(), text.end(), wide);
    return 0;
}

int32_t Unused()
{
    return 0;
}

}  // namespace

FakeConfLib& FakeConfLib::Instance()
{
    static FakeConfLib fake;
    return fake;
}

void FakeConfLib::Reset()
{
    Instance() = FakeConfLib();
}

audio::ConfLibEntryPoints FakeConfLib::EntryPoints()
{
    audio::ConfLibEntryPoints points;
    points.confLibInit = Init;
    points.getDeviceById = ById;
    points.propertyControl = Property;
    points.getDeviceCount = Count;
    points.createDeviceList = CreateList;
    points.confLibUnInit = Unused;
    points.showAsioPanel = Unused;
    return points;
}

std::vector<std::string> FakeConfLib::PropertyNames() const
{
    std::vector<std::string> names;
    for (const FakePropertyCall& call : calls)
        names.push_back((call.direction == kOsConfWrite ? "write " : "read ") + call.name);
    return names;
}

}  // namespace q31::test
