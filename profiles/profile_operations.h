#pragma once
// What the user can do with a device's profiles: add, copy, rename, delete,
// reset, select, import and export. Each re-reads "ProfileList.ini", changes
// the list and the documents together and reports the list as it is on disk
// afterwards, so the profile bar and command-line tools show the same thing.
// A failed write leaves the list as it was.
#include "profiles/profile_list_file.h"

#include <QString>
#include <QStringList>
#include <json/value.h>

namespace q31 {

// The add operation stops here; copies and imports may go beyond.
inline constexpr int kMaxAddedProfiles = 50;

struct ProfileOutcome {
    enum class Status {
        Done,
        Unchanged,    // nothing to do: the limit, the last profile, a selection the list does not have
        NameInUse,    // another profile has the name (letter case aside)
        BlankName,    // the name is only white space
        NotAProfile,  // an import that is no profile document, an export of a document that does not parse
        WriteFailed,  // a file could not be written or read; the list is as it was
    };
    Status status = Status::Unchanged;
    Json::Value list;  // the list on disk after the operation
    QString name;      // the profile's name after add, copy, rename and import
    QString file;      // the file a NotAProfile or WriteFailed is about

    bool Done() const { return status == Status::Done; }
};

class ProfileOperations {
public:
    // 1 keyboard, 2 mouse, 3 mouse pad, 7 headset.
    ProfileOperations(const QString& userFolder, const QString& defaultDocument, int deviceKind);

    const ProfileListFile& Files() const { return m_files; }

    // The list, created with its first profile when there is none; null when
    // it could neither be read nor created.
    Json::Value Load() const;

    // A default profile "profileN" (the first free N), which the list then
    // selects for the next start.
    ProfileOutcome Add() const;
    // "<name> copy" (" copy" again while taken) of the selected profile's document.
    ProfileOutcome Copy(int selected) const;
    // An empty name is Unchanged; the id, and so the file name, stay.
    ProfileOutcome Rename(int selected, const QString& name) const;
    // Never the last profile; the one before it (or the new first) is selected.
    ProfileOutcome Delete(int selected) const;
    // The default document under the profile's name and id; a headset keeps
    // its own equaliser curves and their names.
    ProfileOutcome Reset(int selected) const;
    ProfileOutcome Select(int index) const;
    // A profile document as a new profile named after the file ("X", "X(1)",
    // "X(1)(2)", ...).
    ProfileOutcome Import(const QString& path) const;
    // The selected profile's document, as stored, to target.
    ProfileOutcome Export(int selected, const QString& target) const;

private:
    struct NewProfile;
    template <typename Plan>
    ProfileOutcome AddProfile(Plan plan) const;
    ProfileOutcome WriteFailed(const QString& file) const;

    ProfileListFile m_files;
    QString m_folder;
    QString m_defaultDocument;
    int m_deviceKind;
};

// The names of the list's profiles, in order.
QStringList ProfileNames(const Json::Value& list);
// Whether a profile other than the one at except (-1: none) has the name, letter case aside.
bool IsNameTaken(const QStringList& names, const QString& name, int except = -1);
// "profile1", "profile2", ...: the first one no profile has.
QString FreeAddName(const QStringList& names);
// "A copy", then "A copy copy", ... until free.
QString FreeCopyName(const QString& of, const QStringList& names);
// "X", then "X(1)", "X(1)(2)", ... until free.
QString FreeImportName(const QString& base, const QStringList& names);

// Whether a parsed document may be imported: an object with a "profilename"
// and a "profileUUID" that are not null.
bool IsProfileDocument(const Json::Value& document);

}  // namespace q31
