#include "profiles/basic_profile_data.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/profile_list_file.h"
#include "profiles/record_keys.h"

using namespace q31;
using namespace q31::json;

namespace {

constexpr RecordKey kLightInfoKeys[] = {
    {"SelectItem", 0},   {"Light", 1},   {"Speed", 2},        {"Fx", 3},
    {"MultiColor", 4, true}, {"Red", 5}, {"Green", 6},        {"Blue", 7},
    {"ZZCCLedMode", 11}, {"CustomGroup", 12}, {"OldLedmode", 13},
};

constexpr RecordKey kAudioLightKeys[] = {
    {"AudioMode", 0}, {"BkColorR", 1}, {"BkColorG", 2}, {"BkColorB", 3},
    {"FgColorR", 4},  {"FgColorG", 5}, {"FgColorB", 6}, {"7ColorFlags", 7, true},
};
constexpr std::size_t kColourTypeByte = 8;

constexpr RecordKey kLightListKeys[] = {
    {"LEDREGMode", 0},         {"LEDBrightness", 1},       {"LEDSpeed", 2},
    {"LEDDirection", 3, true}, {"LEDMultiColor", 4, true}, {"red", 5},
    {"green", 6},              {"blue", 7},
};
constexpr std::size_t kZoneInUseByte = 10;

constexpr int kLargestCode = 0xFFFFFF;

// Stores the section as "Device"[index] of the document read from path, or of a
// new one with the profile's name and id when there was none to read. A file
// that could not be read is never replaced.
bool StoreDeviceSection(UserDocument read, const QString& path, Json::ArrayIndex index, const Json::Value& section)
{
    if (!read.MayBeReplaced())
        return false;
    Json::Value document =
        read.state == UserDocument::State::Read ? std::move(read.document) : EmptyProfileDocument(path);
    ElementToWrite(MemberToWrite(document, "Device"), index) = section;
    return WriteJsonFile(path, document);
}

}  // namespace

bool CBasicProfiledata::Save()
{
    return SaveDeviceSection(m_section, m_documentPath);
}

bool CBasicProfiledata::SaveDeviceSection(const Json::Value& section, const QString& path)
{
    return !path.isEmpty() && StoreDeviceSection(ParseUserDocument(path), path, m_deviceIndex, section);
}

bool CBasicProfiledata::WriteDocument(const Json::Value& document, const QString& path)
{
    return WriteJsonFile(path, document);
}

void CBasicProfiledata::SetDocumentPath(const QString& path)
{
    if (!path.isEmpty())
        m_documentPath = path;
}

void CBasicProfiledata::SetDefaultDocumentPath(const QString& path)
{
    if (!path.isEmpty())
        m_defaultDocumentPath = path;
}

void CBasicProfiledata::SetDeviceIndex(int index)
{
    m_deviceIndex = index < 0 ? 0 : static_cast<Json::ArrayIndex>(index);
}

Json::Value CBasicProfiledata::LoadDeviceSection(const QString& path)
{
    const auto sectionOf = [this](const Json::Value& document) {
        const Json::Value& section = Element(Member(document, "Device"), m_deviceIndex);
        return section.isObject() ? section : Json::Value();
    };
    UserDocument read = ParseUserDocument(path);
    m_section = sectionOf(read.document);
    if (m_section.isNull()) {
        m_section = sectionOf(ParseJsonFile(m_defaultDocumentPath));
        if (!m_section.isNull())
            StoreDeviceSection(std::move(read), path, m_deviceIndex, m_section);
    }
    return m_section;
}

LightSettings CBasicProfiledata::ReadLightInfo() const
{
    LightSettings light{};
    ReadRecordKeys(Member(m_section, "LightInfo"), kLightInfoKeys, light);
    return light;
}

void CBasicProfiledata::WriteLightInfo(const LightSettings& light)
{
    WriteRecordKeys(MemberToWrite(m_section, "LightInfo"), kLightInfoKeys, light);
}

AudioLightSettings CBasicProfiledata::ReadAudioLightInfo() const
{
    AudioLightSettings audio{};
    const Json::Value& section = Member(m_section, "AudioLightInfo");
    if (!section.isObject())
        return audio;
    ReadRecordKeys(section, kAudioLightKeys, audio);
    audio[kColourTypeByte] = 1;
    return audio;
}

void CBasicProfiledata::WriteAudioLightInfo(const AudioLightSettings& audio)
{
    Json::Value& section = MemberToWrite(m_section, "AudioLightInfo");
    WriteRecordKeys(section, kAudioLightKeys, audio);
    section["ColorTypeFlags"] = int(audio[kColourTypeByte]);
}

std::vector<LightSettings> CBasicProfiledata::ReadLightList() const
{
    const Json::Value& list = Member(m_section, "LightList");
    std::vector<LightSettings> zones(SizeOf(list), LightSettings{});
    for (Json::ArrayIndex i = 0; i < zones.size(); ++i) {
        const Json::Value& zone = list[i];
        if (!zone.isObject())
            continue;
        ReadRecordKeys(zone, kLightListKeys, zones[i]);
        zones[i][kZoneInUseByte] = 1;
    }
    return zones;
}

std::vector<KeyListEntry> CBasicProfiledata::ReadKeyList() const
{
    const Json::Value& list = Member(m_section, "KeyList");
    std::vector<KeyListEntry> keys(SizeOf(list));
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        keys[i].key = static_cast<std::uint16_t>(i);
        keys[i].current = UnpackFunctionCode(IntIn(Member(list[i], "Assignment"), 0, kLargestCode));
        keys[i].factory = UnpackFunctionCode(IntIn(Member(list[i], "DefaultAssignment"), 0, kLargestCode));
    }
    return keys;
}

void CBasicProfiledata::WriteKeyAssignments(const std::vector<KeyListEntry>& keys)
{
    Json::Value& list = MemberToWrite(m_section, "KeyList");
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i)
        MemberToWrite(ElementToWrite(list, i), "Assignment") = PackFunctionCode(keys[i].current);
}
