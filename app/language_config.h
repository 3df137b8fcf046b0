#pragma once
// The languages of "Language.config" in the default data folder, and which of
// them the user chose (the "LANGUAGE" setting holds its "Language_ID").
#include "platform/win_types.h"

#include <QString>

#include <optional>
#include <vector>

namespace q31::app {

struct LanguageEntry {
    QString name;  // "Language_name"
    QString file;  // "Language_file", under the skin's "lang/"
    DWORD id = 0;  // "Language_ID"
    QString text;  // "Language_text": the language id of its name in the list
};

// Empty when the file is missing or holds no "Language" array.
std::vector<LanguageEntry> ReadLanguageConfig();
// The position of the entry with this id; 0 when there is none.
int LanguageIndexFor(const std::vector<LanguageEntry>& languages, std::optional<DWORD> languageId);
// Switching between these indexes rebuilds the window's fonts.
bool LanguageNeedsFontRebuild(int newIndex, int currentIndex);

}  // namespace q31::app
