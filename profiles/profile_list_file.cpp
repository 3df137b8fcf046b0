#include "profiles/profile_list_file.h"

#include "platform/debug_log.h"
#include "platform/folders.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/profile_id.h"
#include "profiles/profile_text.h"
#include "profiles/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace q31 {
namespace {

const QString kFirstProfileName = QStringLiteral("profile1");

// An id names a file in the profile folder; a hand-edited one must not lead
// anywhere else.
bool IsUsableId(const QString& id)
{
    return !id.isEmpty() && !id.contains(QLatin1Char('/')) && !id.contains(QLatin1Char('\\')) &&
           id != QStringLiteral(".") && id != QStringLiteral("..");
}

bool IsUsableEntry(const Json::Value& entry)
{
    return json::Member(entry, "profilename").isString() &&
           IsUsableId(json::TextOf(json::Member(entry, "profileUUID")));
}

bool HasEntries(const Json::Value& list)
{
    return json::SizeOf(json::Member(list, "profilelist")) > 0;
}

QString IdOf(const Json::Value& entry)
{
    return json::TextOf(json::Member(entry, "profileUUID"));
}

}  // namespace

// A document an entry is owed before the list may name it: a copy of the
// document of an earlier entry that had the same id.
struct DocumentCopy {
    QString fromId;
    QString toId;
    QString name;
};

struct ProfileListFile::ReadList {
    Json::Value list;                  // null, or an object whose entries are usable and have distinct ids
    bool readable = true;              // false: the file could not be read and must stay as it is
    bool repaired = false;             // the list leaves out part of the file: keep the file before rewriting it
    std::vector<DocumentCopy> copies;  // to be made before the list is written
};

ProfileListFile::ProfileListFile(QString folder, QString defaultDocument)
    : m_folder(std::move(folder)), m_defaultDocument(std::move(defaultDocument))
{
}

QString ProfileListFile::ListPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("ProfileList.ini"));
}

QString ProfileListFile::DocumentPath(const QString& id) const
{
    return QDir(m_folder).filePath(id + QStringLiteral(".Json"));
}

ProfileListFile::ReadList ProfileListFile::ReadRepairedList() const
{
    UserDocument file = ParseUserDocument(ListPath());
    ReadList read;
    read.readable = file.MayBeReplaced();
    read.list = std::move(file.document);
    if (!read.list.isObject())
        return read;

    const Json::Value& entries = json::Member(read.list, "profilelist");
    read.repaired = !entries.isArray();
    const Json::ArrayIndex selected = static_cast<Json::ArrayIndex>(SelectedIndex(read.list));
    Json::Value usable(Json::arrayValue);
    int selectedUsable = 0;  // where the selected entry ends up; the first when it is dropped
    bool dropped = false;
    for (Json::ArrayIndex i = 0; i < json::SizeOf(entries); ++i) {
        if (!IsUsableEntry(entries[i])) {
            dropped = true;
            continue;
        }
        if (i == selected)
            selectedUsable = static_cast<int>(usable.size());
        usable.append(entries[i]);
    }

    QSet<QString> taken;
    for (const Json::Value& entry : usable)
        taken.insert(IdOf(entry));
    QSet<QString> seen;
    for (Json::Value& entry : usable) {
        const QString id = IdOf(entry);
        if (!seen.contains(id)) {
            seen.insert(id);
            continue;
        }
        // Two entries on one document: renaming or deleting one would change the other.
        const QString newId = MakeFreeProfileId(m_folder, taken);
        taken.insert(newId);
        read.copies.push_back({id, newId, json::TextOf(entry["profilename"])});
        entry["profileUUID"] = Utf8FromWide(newId);
        read.repaired = true;
    }

    if (dropped) {
        read.repaired = true;
        read.list["profileselect"] = selectedUsable;
    }
    read.list["profilelist"] = std::move(usable);
    return read;
}

bool ProfileListFile::StoreList(const ReadList& read, const Json::Value& list) const
{
    if (!read.readable) {
        OutputDebugText(QStringLiteral("%1 could not be read and is left as it is").arg(ListPath()));
        return false;
    }
    if (read.repaired && !KeepCopyOfFile(ListPath()))
        return false;
    for (const DocumentCopy& copy : read.copies) {
        // A document that cannot be read gives the copy nothing; the default stands in.
        Json::Value document = ParseJsonFile(DocumentPath(copy.fromId));
        if (!document.isObject())
            document = ParseJsonFile(m_defaultDocument);
        if (!WriteJsonFile(DocumentPath(copy.toId), NamedProfileDocument(std::move(document), copy.name, copy.toId)))
            return false;
    }
    return WriteJsonFile(ListPath(), list);
}

Json::Value ProfileListFile::LoadOrCreate() const
{
    EnsureFolder(m_folder);
    const ReadList read = ReadRepairedList();
    if (!read.readable) {
        OutputDebugText(QStringLiteral("profiles of %1 not loaded: their list could not be read").arg(m_folder));
        return Json::Value();
    }
    if (!HasEntries(read.list))
        return CreateFirstProfile(read.repaired);
    // When the repair cannot be stored this session still works on the repaired list.
    if (read.repaired)
        StoreList(read, read.list);
    return read.list;
}

Json::Value ProfileListFile::StoreSelection(const Json::Value& fallback, int index) const
{
    const ReadList read = ReadRepairedList();
    Json::Value list = HasEntries(read.list) ? read.list : fallback;
    const bool named = index >= 0 && index < static_cast<int>(json::SizeOf(json::Member(list, "profilelist")));
    json::MemberToWrite(list, "profileselect") = named ? index : 0;
    // A list without entries is no list; it is never written.
    if (HasEntries(list))
        StoreList(read, list);
    return list;
}

bool ProfileListFile::RenameEntry(int index, const QString& name) const
{
    QString id;
    const ChangeResult changed = ChangeList([&](Json::Value& list) {
        Json::Value& entries = json::MemberToWrite(list, "profilelist");
        if (index < 0 || static_cast<Json::ArrayIndex>(index) >= json::SizeOf(entries))
            return false;
        Json::Value& entry = entries[static_cast<Json::ArrayIndex>(index)];
        entry["profilename"] = Utf8FromWide(name);
        id = IdOf(entry);
        return true;
    });
    if (changed.status != ChangeStatus::Stored)
        return false;
    const QString documentPath = DocumentPath(id);
    Json::Value document = ParseJsonFile(documentPath);
    if (!document.isObject())
        return true;  // a missing or unreadable document has no name to change
    document["profilename"] = Utf8FromWide(name);
    return WriteJsonFile(documentPath, document);
}

ProfileListFile::ChangeResult ProfileListFile::ChangeList(const std::function<bool(Json::Value& list)>& change) const
{
    const ReadList read = ReadRepairedList();
    if (!read.readable || !HasEntries(read.list))
        return {};
    Json::Value list = read.list;
    if (!change(list))
        return {ChangeStatus::Declined, read.list};
    if (!StoreList(read, list))
        return {};
    return {ChangeStatus::Stored, std::move(list)};
}

std::vector<ProfileEntry> ProfileListFile::Entries(const Json::Value& list)
{
    const Json::Value& entries = json::Member(list, "profilelist");
    std::vector<ProfileEntry> result;
    for (Json::ArrayIndex i = 0; i < json::SizeOf(entries); ++i)
        result.push_back({json::TextOf(json::Member(entries[i], "profilename")), IdOf(entries[i])});
    return result;
}

int ProfileListFile::SelectedIndex(const Json::Value& list)
{
    const int count = static_cast<int>(json::SizeOf(json::Member(list, "profilelist")));
    return json::IntIn(json::Member(list, "profileselect"), 0, count - 1, 0);
}

Json::Value ProfileListFile::CreateFirstProfile(bool keepOldList) const
{
    if (keepOldList && !KeepCopyOfFile(ListPath()))
        return Json::Value();
    const QString id = MakeFreeProfileId(m_folder);
    // The document first: a list entry must never name a document that is not there.
    if (!WriteProfileFromDefault(m_defaultDocument, DocumentPath(id), kFirstProfileName, id)) {
        OutputDebugText(QStringLiteral("first profile of %1 not created: no document").arg(m_folder));
        return Json::Value();
    }
    Json::Value list(Json::objectValue);
    list["profilelist"].append(NewProfileEntry(kFirstProfileName, id));
    list["profileselect"] = 0;
    if (!WriteJsonFile(ListPath(), list)) {
        OutputDebugText(QStringLiteral("first profile of %1 not created: no list").arg(m_folder));
        return Json::Value();
    }
    return list;
}

Json::Value NamedProfileDocument(Json::Value document, const QString& name, const QString& id)
{
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = Utf8FromWide(name);
    document["profileUUID"] = Utf8FromWide(id);
    return document;
}

Json::Value NewProfileEntry(const QString& name, const QString& id)
{
    Json::Value entry(Json::objectValue);
    entry["profilename"] = Utf8FromWide(name);
    entry["profileUUID"] = Utf8FromWide(id);
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    return entry;
}

bool WriteProfileFromDefault(const QString& defaultDocument, const QString& documentPath, const QString& name,
                             const QString& id)
{
    return WriteJsonFile(documentPath, NamedProfileDocument(ParseJsonFile(defaultDocument), name, id));
}

Json::Value EmptyProfileDocument(const QString& documentPath)
{
    const QString id = FileBaseName(documentPath);
    const ProfileListFile files(QFileInfo(documentPath).absolutePath(), QString());
    QString name = id;
    for (const ProfileEntry& entry : ProfileListFile::Entries(ParseJsonFile(files.ListPath()))) {
        if (entry.id == id && !entry.name.isEmpty()) {
            name = entry.name;
            break;
        }
    }
    return NamedProfileDocument(Json::Value(), name, id);
}

}  // namespace q31
