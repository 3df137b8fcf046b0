#pragma once
// Macro folders written by hand for the tests, and the macro page as the skin builds it.
#include "macros/macro_control_ui.h"
#include "macros/macro_files.h"

#include <QString>
#include <json/value.h>

#include <memory>
#include <string>
#include <vector>

namespace q31::macros::test {

// One event object as the editor stores it.
Json::Value Event(const char* action, int type, int button, const std::string& delay);

// "macro.config" listing the macros, and a ".mac" file per Guid with its events.
void WriteFolder(const QString& folder, const std::vector<std::pair<QString, Json::Value>>& macros);

// The macro page from the skin in use; null when it cannot be built.
std::unique_ptr<CMacroControlUI> BuildMacroEditor();

QByteArray FileBytes(const QString& path);
void PutFile(const QString& path, const QByteArray& bytes);

}  // namespace q31::macros::test
