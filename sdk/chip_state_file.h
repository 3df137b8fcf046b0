#pragma once
// The JSON file a chip back end keeps its state in, and the property values
// in it: "properties" → device id → property name → value text.
#include "audio/conf_lib_abi.h"

#include <json/value.h>

#include <optional>
#include <string>

namespace q31::sdk {

class ChipStateFile {
public:
    explicit ChipStateFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }
    bool Exists() const;
    // The document; nullopt when the file cannot be read or is not a JSON object.
    std::optional<Json::Value> Load() const;
    // Through a temporary file and a rename, creating the folder when missing.
    bool Save(const Json::Value& document) const;

private:
    std::string m_path;
};

std::optional<std::string> StoredProperty(const Json::Value& document, const OsConfDevice& device,
                                          const std::string& name);
void StoreProperty(Json::Value& document, const OsConfDevice& device, const std::string& name,
                   const std::string& text);

}  // namespace q31::sdk
