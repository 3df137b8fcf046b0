#include "macros/macro_storage.h"

#include "macros/macro_event.h"
#include "macros/macro_limits.h"
#include "profiles/json_file.h"
#include "profiles/profile_id.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace q31::macros {

namespace {

bool NameTaken(const std::vector<MacroEntry>& entries, const QString& name)
{
    return std::any_of(entries.begin(), entries.end(), [&](const MacroEntry& entry) {
        return entry.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

// Unique within the process (see MakeTimestampId), and free in the list and the folder.
QString NewGuid(const MacroFolder& files, const std::vector<MacroEntry>& entries)
{
    for (;;) {
        const QString guid = MakeTimestampId();
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const MacroEntry& entry) { return entry.guid == guid; });
        if (!listed && !QFileInfo::exists(*files.MacroPath(guid)))
            return guid;
    }
}

const MacroEntry* EntryAt(const std::vector<MacroEntry>& entries, int position)
{
    if (position < 0 || position >= static_cast<int>(entries.size()))
        return nullptr;
    return &entries[static_cast<std::size_t>(position)];
}

}  // namespace

QString NextMacroName(const std::vector<MacroEntry>& entries)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("macro_%1").arg(n);
        if (!NameTaken(entries, name))
            return name;
    }
}

int DelayOf(const Json::Value& delay)
{
    long long number = 0;
    if (delay.isString()) {
        bool ok = false;
        number = QString::fromStdString(delay.asString()).trimmed().toLongLong(&ok);
        if (!ok)
            return 0;
    } else if (delay.isInt64()) {
        number = delay.asInt64();
    } else if (delay.isUInt64()) {
        return kMaxDelay;
    }
    return static_cast<int>(std::clamp<long long>(number, 0, kMaxDelay));
}

std::vector<MacroEntry> MacroStorage::LoadMacroList() const
{
    return m_files.ReadList();
}

QString MacroStorage::AddMacro() const
{
    std::vector<MacroEntry> entries = m_files.ReadList();
    if (entries.size() >= static_cast<std::size_t>(kMaxMacros))
        return {};
    const QString name = NextMacroName(entries);
    entries.push_back({name, NewGuid(m_files, entries)});
    return m_files.WriteList(entries) ? name : QString();
}

RenameResult MacroStorage::RenameMacro(int position, const QString& name) const
{
    std::vector<MacroEntry> entries = m_files.ReadList();
    if (name.trimmed().isEmpty() || !EntryAt(entries, position))
        return {};
    if (NameTaken(entries, name))
        return {position, {}};
    entries[static_cast<std::size_t>(position)].name = name;
    if (!m_files.WriteList(entries))
        return {};
    return {position, name};
}

int MacroStorage::DeleteMacro(int position) const
{
    std::vector<MacroEntry> entries = m_files.ReadList();
    const MacroEntry* entry = EntryAt(entries, position);
    if (!entry)
        return -1;
    const auto path = m_files.MacroPath(entry->guid);
    entries.erase(entries.begin() + position);
    if (!m_files.WriteList(entries))
        return -1;
    if (path)
        QFile::remove(*path);
    return position;
}

Json::Value MacroStorage::LoadMacro(const QString& guid) const
{
    return m_files.ReadEvents(guid);
}

bool MacroStorage::SaveMacro(int position, std::vector<EditorRow>& rows) const
{
    const std::vector<MacroEntry> entries = m_files.ReadList();
    const MacroEntry* entry = EntryAt(entries, position);
    if (!entry || entry->guid.isEmpty())
        return false;
    return m_files.WriteMacroDocument(entry->guid, MacroDocument(*entry, rows));
}

Json::Value MacroDocument(const MacroEntry& entry, std::vector<EditorRow>& rows)
{
    Json::Value document(Json::objectValue);
    document["MacroName"] = entry.name.toStdString();
    document["Guid"] = entry.guid.toStdString();
    Json::Value events(Json::arrayValue);
    for (EditorRow& row : rows) {
        if (row.delay.isEmpty())
            row.delay = QStringLiteral("0");
        const int delay = DelayOf(Json::Value(row.delay.toStdString()));
        row.delay = QString::number(delay);
        if (row.eventText.empty())
            break;
        Json::Value event = ParseJsonText(row.eventText);
        if (!event.isObject())
            continue;
        event["Delay"] = std::to_string(delay);
        row.eventText = EventText(event);
        events.append(event);
    }
    document["Events"] = events;
    document["Version"] = kMacroFileVersion;
    return document;
}

bool MacroStorage::ExportMacro(int position, const QString& target) const
{
    const std::vector<MacroEntry> entries = m_files.ReadList();
    const MacroEntry* entry = EntryAt(entries, position);
    const auto path = entry ? m_files.MacroPath(entry->guid) : std::nullopt;
    return path && ReplaceWithCopy(*path, target);
}

QString MacroStorage::ImportMacro(const QString& source) const
{
    if (!QFileInfo(source).isFile() || m_files.ReadList().size() >= static_cast<std::size_t>(kMaxMacros))
        return {};
    const QString name = AddMacro();
    if (name.isEmpty())
        return {};
    const std::vector<MacroEntry> entries = m_files.ReadList();
    const auto path = entries.empty() ? std::nullopt : m_files.MacroPath(entries.back().guid);
    if (!path || !ReplaceWithCopy(source, *path)) {
        DeleteMacro(static_cast<int>(entries.size()) - 1);
        return {};
    }
    return name;
}

}  // namespace q31::macros
