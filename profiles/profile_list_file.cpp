#include "profiles/profile_list_file.h"

#include "platform/folders.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/profile_id.h"
#include "profiles/profile_text.h"
#include "profiles/safe_file.h"

#include <QDir>

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

struct ReadList {
    Json::Value list;           // the document, holding only usable entries
    Json::ArrayIndex dropped;   // entries left out
};

ReadList ReadUsableList(const QString& path)
{
    ReadList read{ParseUserDocument(path), 0};
    const Json::Value& entries = json::Member(read.list, "profilelist");
    Json::Value usable(Json::arrayValue);
    for (Json::ArrayIndex i = 0; i < json::SizeOf(entries); ++i) {
        if (IsUsableEntry(entries[i]))
            usable.append(entries[i]);
    }
    read.dropped = json::SizeOf(entries) - usable.size();
    if (read.list.isObject())
        read.list["profilelist"] = std::move(usable);
    return read;
}

}  // namespace

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

Json::Value ProfileListFile::LoadOrCreate() const
{
    EnsureFolder(m_folder);
    ReadList read = ReadUsableList(ListPath());
    if (json::SizeOf(json::Member(read.list, "profilelist")) == 0) {
        // Entries that were there but unusable may still mean something to the user.
        if (read.dropped > 0)
            KeepUnreadableFile(ListPath());
        return CreateFirstProfile();
    }
    if (read.dropped > 0)
        WriteJsonFile(ListPath(), read.list);
    return read.list;
}

Json::Value ProfileListFile::StoreSelection(const Json::Value& fallback, int index) const
{
    Json::Value list = ReadUsableList(ListPath()).list;
    if (json::SizeOf(json::Member(list, "profilelist")) == 0)
        list = fallback;
    const bool named = index >= 0 && static_cast<Json::ArrayIndex>(index) < json::SizeOf(json::Member(list, "profilelist"));
    json::MemberToWrite(list, "profileselect") = named ? index : 0;
    WriteJsonFile(ListPath(), list);
    return list;
}

bool ProfileListFile::RenameEntry(int index, const QString& name) const
{
    Json::Value list = ReadUsableList(ListPath()).list;
    Json::Value& entries = json::MemberToWrite(list, "profilelist");
    if (index < 0 || static_cast<Json::ArrayIndex>(index) >= json::SizeOf(entries))
        return false;
    Json::Value& entry = entries[static_cast<Json::ArrayIndex>(index)];
    entry["profilename"] = Utf8FromWide(name);
    if (!WriteJsonFile(ListPath(), list))
        return false;
    const QString documentPath = DocumentPath(json::TextOf(entry["profileUUID"]));
    Json::Value document = ParseJsonFile(documentPath);
    if (!document.isObject())
        return true;  // a missing or unreadable document has no name to change
    document["profilename"] = Utf8FromWide(name);
    return WriteJsonFile(documentPath, document);
}

std::vector<ProfileEntry> ProfileListFile::Entries(const Json::Value& list)
{
    const Json::Value& entries = json::Member(list, "profilelist");
    std::vector<ProfileEntry> result;
    for (Json::ArrayIndex i = 0; i < json::SizeOf(entries); ++i)
        result.push_back({json::TextOf(json::Member(entries[i], "profilename")),
                          json::TextOf(json::Member(entries[i], "profileUUID"))});
    return result;
}

int ProfileListFile::SelectedIndex(const Json::Value& list)
{
    const int count = static_cast<int>(json::SizeOf(json::Member(list, "profilelist")));
    return json::IntIn(json::Member(list, "profileselect"), 0, count - 1, 0);
}

Json::Value ProfileListFile::CreateFirstProfile() const
{
    const QString id = MakeFreeProfileId(m_folder);
    // The document first: a list entry must never name a document that is not there.
    WriteProfileFromDefault(m_defaultDocument, DocumentPath(id), kFirstProfileName, id);
    Json::Value list(Json::objectValue);
    list["profilelist"].append(NewProfileEntry(kFirstProfileName, id));
    list["profileselect"] = 0;
    WriteJsonFile(ListPath(), list);
    return list;
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
    Json::Value document = ParseJsonFile(defaultDocument);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = Utf8FromWide(name);
    document["profileUUID"] = Utf8FromWide(id);
    return WriteJsonFile(documentPath, document);
}

}  // namespace q31
