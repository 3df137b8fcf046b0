#include "profiles/profile_operations.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/profile_id.h"
#include "profiles/profile_text.h"

#include <QFile>
#include <QSet>

#include <optional>

namespace q31 {
namespace {

constexpr int kHeadsetKind = 7;
// A headset's own equaliser curves, which survive a reset.
constexpr const char* kHeadsetOwnKeys[] = {"CustomEQNameInfo", "CustomEQHzValueInfo"};

int EntryCount(const Json::Value& list)
{
    return static_cast<int>(json::SizeOf(json::Member(list, "profilelist")));
}

bool NamesEntry(const Json::Value& list, int index)
{
    return index >= 0 && index < EntryCount(list);
}

ProfileEntry EntryAt(const Json::Value& list, int index)
{
    return ProfileListFile::Entries(list)[static_cast<std::size_t>(index)];
}

QSet<QString> IdsOf(const Json::Value& list)
{
    QSet<QString> ids;
    for (const ProfileEntry& entry : ProfileListFile::Entries(list))
        ids.insert(entry.id);
    return ids;
}

// The first of base, then each next name, that no profile has.
template <typename Next>
QString FirstFreeName(QString name, const QStringList& names, Next next)
{
    while (IsNameTaken(names, name))
        name = next(name);
    return name;
}

}  // namespace

struct ProfileOperations::NewProfile {
    QString name;
    Json::Value document;
    bool selectIt = false;
};

ProfileOperations::ProfileOperations(const QString& userFolder, const QString& defaultDocument, int deviceKind)
    : m_files(userFolder, defaultDocument), m_folder(userFolder), m_defaultDocument(defaultDocument),
      m_deviceKind(deviceKind)
{
}

Json::Value ProfileOperations::Load() const
{
    return m_files.LoadOrCreate();
}

ProfileOutcome ProfileOperations::WriteFailed(const QString& file) const
{
    return {ProfileOutcome::Status::WriteFailed, Load(), {}, file};
}

// The document goes first and the entry after it, so the list never names a
// file that is not there; when the list cannot be written the document goes again.
template <typename Plan>
ProfileOutcome ProfileOperations::AddProfile(Plan plan) const
{
    QString written;  // the new document, once it is on disk
    QString failed;   // the new document that could not be written
    QString name;
    const auto changed = m_files.ChangeList([&](Json::Value& list) {
        std::optional<NewProfile> profile = plan(list);
        if (!profile)
            return false;
        const QString id = MakeFreeProfileId(m_folder, IdsOf(list));
        const QString path = m_files.DocumentPath(id);
        if (!WriteJsonFile(path, NamedProfileDocument(std::move(profile->document), profile->name, id))) {
            failed = path;
            return false;
        }
        written = path;
        name = profile->name;
        Json::Value& entries = json::MemberToWrite(list, "profilelist");
        entries.append(NewProfileEntry(name, id));
        if (profile->selectIt)
            list["profileselect"] = static_cast<int>(entries.size()) - 1;
        return true;
    });
    if (changed.status == ProfileListFile::ChangeStatus::Stored)
        return {ProfileOutcome::Status::Done, changed.list, name, {}};
    if (!failed.isEmpty())
        return WriteFailed(failed);
    if (changed.status == ProfileListFile::ChangeStatus::Declined)
        return {ProfileOutcome::Status::Unchanged, changed.list, {}, {}};
    if (!written.isEmpty())
        QFile::remove(written);
    return WriteFailed(m_files.ListPath());
}

ProfileOutcome ProfileOperations::Add() const
{
    return AddProfile([&](const Json::Value& list) -> std::optional<NewProfile> {
        if (EntryCount(list) >= kMaxAddedProfiles)
            return std::nullopt;
        return NewProfile{FreeAddName(ProfileNames(list)), ParseJsonFile(m_defaultDocument), true};
    });
}

ProfileOutcome ProfileOperations::Copy(int selected) const
{
    return AddProfile([&](const Json::Value& list) -> std::optional<NewProfile> {
        if (!NamesEntry(list, selected))
            return std::nullopt;
        const ProfileEntry source = EntryAt(list, selected);
        // A document that is missing or does not parse is the empty document the device would read.
        return NewProfile{FreeCopyName(source.name, ProfileNames(list)),
                          ParseJsonFile(m_files.DocumentPath(source.id)), false};
    });
}

ProfileOutcome ProfileOperations::Import(const QString& path) const
{
    Json::Value document = ParseJsonFile(path);
    if (!IsProfileDocument(document))
        return {ProfileOutcome::Status::NotAProfile, Load(), {}, path};
    const QString base = FileBaseName(path);
    if (IsBlankName(base))
        return {ProfileOutcome::Status::NotAProfile, Load(), {}, path};
    return AddProfile([&](const Json::Value& list) -> std::optional<NewProfile> {
        return NewProfile{FreeImportName(base, ProfileNames(list)), document, false};
    });
}

ProfileOutcome ProfileOperations::Rename(int selected, const QString& name) const
{
    const Json::Value list = Load();
    if (name.isEmpty())
        return {ProfileOutcome::Status::Unchanged, list, {}, {}};
    if (!NamesEntry(list, selected))
        return {ProfileOutcome::Status::Unchanged, list, {}, {}};
    if (IsBlankName(name))
        return {ProfileOutcome::Status::BlankName, list, {}, {}};
    if (IsNameTaken(ProfileNames(list), name, selected))
        return {ProfileOutcome::Status::NameInUse, list, {}, {}};
    if (!m_files.RenameEntry(selected, name))
        return WriteFailed(m_files.ListPath());
    return {ProfileOutcome::Status::Done, Load(), name, {}};
}

ProfileOutcome ProfileOperations::Delete(int selected) const
{
    QString id;
    const auto changed = m_files.ChangeList([&](Json::Value& list) {
        const int count = EntryCount(list);
        if (count < 2 || !NamesEntry(list, selected))
            return false;
        id = EntryAt(list, selected).id;
        Json::Value removed;
        list["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(selected), &removed);
        list["profileselect"] = selected > 0 ? selected - 1 : 0;
        return true;
    });
    if (changed.status == ProfileListFile::ChangeStatus::Declined)
        return {ProfileOutcome::Status::Unchanged, changed.list, {}, {}};
    if (changed.status == ProfileListFile::ChangeStatus::Failed)
        return WriteFailed(m_files.ListPath());
    // Only now that no entry names it; a document that stays behind is harmless.
    QFile::remove(m_files.DocumentPath(id));
    return {ProfileOutcome::Status::Done, changed.list, {}, {}};
}

ProfileOutcome ProfileOperations::Reset(int selected) const
{
    const Json::Value list = Load();
    if (!NamesEntry(list, selected))
        return {ProfileOutcome::Status::Unchanged, list, {}, {}};
    const ProfileEntry entry = EntryAt(list, selected);
    const QString path = m_files.DocumentPath(entry.id);
    // Keeps a document that does not parse as ".bad" before the default replaces it.
    const UserDocument current = ParseUserDocument(path);
    if (!current.MayBeReplaced())
        return WriteFailed(path);
    Json::Value document = NamedProfileDocument(ParseJsonFile(m_defaultDocument), entry.name, entry.id);
    if (m_deviceKind == kHeadsetKind) {
        const Json::Value& own = json::Element(json::Member(current.document, "Device"), 0);
        Json::Value& section = json::ElementToWrite(json::MemberToWrite(document, "Device"), 0);
        for (const char* key : kHeadsetOwnKeys) {
            if (!json::Member(own, key).isNull())
                json::MemberToWrite(section, key) = own[key];
        }
    }
    if (!WriteJsonFile(path, document))
        return WriteFailed(path);
    return {ProfileOutcome::Status::Done, list, entry.name, {}};
}

ProfileOutcome ProfileOperations::Select(int index) const
{
    const auto changed = m_files.ChangeList([&](Json::Value& list) {
        if (!NamesEntry(list, index))
            return false;
        list["profileselect"] = index;
        return true;
    });
    if (changed.status == ProfileListFile::ChangeStatus::Failed)
        return WriteFailed(m_files.ListPath());
    const auto status = changed.status == ProfileListFile::ChangeStatus::Stored ? ProfileOutcome::Status::Done
                                                                                 : ProfileOutcome::Status::Unchanged;
    return {status, changed.list, {}, {}};
}

ProfileOutcome ProfileOperations::Export(int selected, const QString& target) const
{
    const Json::Value list = Load();
    if (!NamesEntry(list, selected))
        return {ProfileOutcome::Status::Unchanged, list, {}, {}};
    const QString path = m_files.DocumentPath(EntryAt(list, selected).id);
    const Json::Value document = ParseJsonFile(path);
    // Writing "null" over the target would lose it for nothing.
    if (!document.isObject())
        return {ProfileOutcome::Status::NotAProfile, list, {}, path};
    if (!WriteJsonFile(target, document))
        return {ProfileOutcome::Status::WriteFailed, list, {}, target};
    return {ProfileOutcome::Status::Done, list, {}, {}};
}

QStringList ProfileNames(const Json::Value& list)
{
    QStringList names;
    for (const ProfileEntry& entry : ProfileListFile::Entries(list))
        names << entry.name;
    return names;
}

bool IsNameTaken(const QStringList& names, const QString& name, int except)
{
    for (int i = 0; i < names.size(); ++i) {
        if (i != except && names[i].compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString FreeAddName(const QStringList& names)
{
    int n = 1;
    return FirstFreeName(QStringLiteral("profile1"), names,
                         [&n](const QString&) { return QStringLiteral("profile") + QString::number(++n); });
}

QString FreeCopyName(const QString& of, const QStringList& names)
{
    return FirstFreeName(of + QStringLiteral(" copy"), names,
                         [](const QString& name) { return name + QStringLiteral(" copy"); });
}

QString FreeImportName(const QString& base, const QStringList& names)
{
    int n = 0;
    return FirstFreeName(base, names, [&n](const QString& name) {
        return name + QLatin1Char('(') + QString::number(++n) + QLatin1Char(')');
    });
}

bool IsProfileDocument(const Json::Value& document)
{
    return document.isObject() && !json::Member(document, "profilename").isNull() &&
           !json::Member(document, "profileUUID").isNull();
}

}  // namespace q31
