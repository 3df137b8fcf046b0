#pragma once
// The operations on a device's macros: the list in "macro.config" and the
// macro files beside it. Positions are macro numbers, as keys are bound to them.
#include "macros/macro_files.h"

#include <QString>
#include <json/value.h>

#include <string>
#include <vector>

namespace q31::macros {

// One row of the macro editor: the delay field and the event's JSON text.
struct EditorRow {
    QString delay;
    std::string eventText;
};

struct RenameResult {
    int position = -1;  // -1: a blank name or no such macro
    QString name;       // empty: the name is taken (the caller says "message_text_5")
};

class MacroStorage {
public:
    explicit MacroStorage(QString folder) : m_files(std::move(folder)) {}

    const MacroFolder& Files() const { return m_files; }

    std::vector<MacroEntry> LoadMacroList() const;
    // The new macro's name; empty when the list is full or could not be written.
    QString AddMacro() const;
    RenameResult RenameMacro(int position, const QString& name) const;
    // The position, or -1 when there is no such macro or the list could not be written.
    int DeleteMacro(int position) const;
    Json::Value LoadMacro(const QString& guid) const;
    // Writes the macro file of that position from the editor's rows, and puts
    // the stored delays and event texts back into the rows.
    bool SaveMacro(int position, std::vector<EditorRow>& rows) const;
    bool ExportMacro(int position, const QString& target) const;
    // The new macro's name, or empty (a full list or an unreadable source
    // changes nothing).
    QString ImportMacro(const QString& source) const;

private:
    MacroFolder m_files;
};

// The macro file of that entry from the editor's rows, which get the stored
// delays and event texts back.
Json::Value MacroDocument(const MacroEntry& entry, std::vector<EditorRow>& rows);
// "macro_n" with the smallest n >= 1 that no name has (letter case ignored).
QString NextMacroName(const std::vector<MacroEntry>& entries);
// A stored delay: a decimal number clamped to 0-65535; anything else is 0.
int DelayOf(const Json::Value& delay);

}  // namespace q31::macros
