#include "app/language_config.h"

#include "platform/folders.h"
#include "profiles/json_file.h"

namespace q31::app {

std::vector<LanguageEntry> ReadLanguageConfig()
{
    const Json::Value document = ParseJsonFile(q31::DefaultDataFolder() + QStringLiteral("/Language.config"));
    const Json::Value& list = document.isObject() ? document["Language"] : Json::Value::nullSingleton();
    std::vector<LanguageEntry> languages;
    if (!list.isArray())
        return languages;
    for (const Json::Value& item : list) {
        if (!item.isObject())
            continue;
        LanguageEntry entry;
        entry.name = QString::fromStdString(item["Language_name"].asString());
        entry.file = QString::fromStdString(item["Language_file"].asString());
        entry.text = QString::fromStdString(item["Language_text"].asString());
        entry.id = item["Language_ID"].isUInt() ? item["Language_ID"].asUInt() : 0;
        languages.push_back(entry);
    }
    return languages;
}

int LanguageIndexFor(const std::vector<LanguageEntry>& languages, std::optional<DWORD> languageId)
{
    if (!languageId)
        return 0;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (languages[i].id == *languageId)
            return int(i);
    }
    return 0;
}

bool LanguageNeedsFontRebuild(int newIndex, int currentIndex)
{
    const auto special = [](int index) { return index == 0 || index == 2 || index == 15; };
    return special(newIndex) || special(currentIndex) || currentIndex == -1;
}

}  // namespace q31::app
