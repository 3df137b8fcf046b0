#include "sdk/chip_state_file.h"

#include <json/reader.h>
#include <json/writer.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace q31::sdk {
namespace {

// A state file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kLargestStateFile = 4 * 1024 * 1024;

const Json::Value* DeviceProperties(const Json::Value& document, const OsConfDevice& device)
{
    const Json::Value& properties = document["properties"];
    if (!properties.isObject())
        return nullptr;
    const std::string key = std::to_string(device.id);
    const Json::Value* own = properties.find(key.data(), key.data() + key.size());
    return own && own->isObject() ? own : nullptr;
}

}  // namespace

bool ChipStateFile::Exists() const
{
    std::error_code error;
    return std::filesystem::exists(m_path, error);
}

std::optional<Json::Value> ChipStateFile::Load() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(m_path, error);
    if (error || size > kLargestStateFile)
        return std::nullopt;
    std::ifstream file(m_path, std::ios::binary);
    if (!file)
        return std::nullopt;
    Json::CharReaderBuilder builder;
    Json::Value document;
    std::string errors;
    if (!Json::parseFromStream(builder, file, &document, &errors) || !document.isObject())
        return std::nullopt;
    return document;
}

bool ChipStateFile::Save(const Json::Value& document) const
{
    if (m_path.empty())
        return false;
    const std::filesystem::path path(m_path);
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    const std::string temporary = m_path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "  ";
        file << Json::writeString(builder, document) << '\n';
        file.flush();
        if (!file) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (!error)
        return true;
    std::filesystem::remove(temporary, error);
    return false;
}

std::optional<std::string> StoredProperty(const Json::Value& document, const OsConfDevice& device,
                                          const std::string& name)
{
    const Json::Value* own = DeviceProperties(document, device);
    if (!own)
        return std::nullopt;
    const Json::Value* value = own->find(name.data(), name.data() + name.size());
    if (!value || !value->isString())
        return std::nullopt;
    return value->asString();
}

void StoreProperty(Json::Value& document, const OsConfDevice& device, const std::string& name,
                   const std::string& text)
{
    if (!document["properties"].isObject())
        document["properties"] = Json::Value(Json::objectValue);
    Json::Value& own = document["properties"][std::to_string(device.id)];
    if (!own.isObject())
        own = Json::Value(Json::objectValue);
    own[name] = text;
}

}  // namespace q31::sdk
