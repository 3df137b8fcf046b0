#pragma once
// The files of a device's macros in its user profile folder: "macro.config",
// the macro list, and one "<Guid>.mac" per macro.
#include <QString>
#include <json/value.h>

#include <optional>
#include <vector>

namespace q31::macros {

struct MacroEntry {
    QString name;  // "MacroName"
    QString guid;  // "Guid"
    bool operator==(const MacroEntry&) const = default;
};

// A Guid names a file of the folder only when it is a plain file name: not
// empty, no path separator, no "..".
bool IsPlainGuid(const QString& guid);

class MacroFolder {
public:
    explicit MacroFolder(QString folder) : m_folder(std::move(folder)) {}

    const QString& Path() const { return m_folder; }
    QString ConfigPath() const;
    // The macro file of the Guid; none when the Guid is not a plain file name.
    std::optional<QString> MacroPath(const QString& guid) const;

    // The "MacroInfo" entries in list order; empty when the file is missing or
    // cannot be read. An entry that is no object keeps its position, with
    // empty name and Guid, so later macro numbers stay as the keys know them.
    std::vector<MacroEntry> ReadList() const;
    // Rewrites "MacroInfo" of the document (keeping its other members); false
    // when the file could not be written, or could not be read and must be kept.
    bool WriteList(const std::vector<MacroEntry>& entries) const;

    // The macro file's "Events" objects; empty for a missing, unparsable or
    // unnamed file.
    Json::Value ReadEvents(const QString& guid) const;
    bool WriteMacroDocument(const QString& guid, const Json::Value& document) const;

private:
    QString m_folder;
};

// Copies the file's bytes over the target through a temporary file and a
// rename, so an existing target is replaced whole or not at all.
bool ReplaceWithCopy(const QString& source, const QString& target);

}  // namespace q31::macros
