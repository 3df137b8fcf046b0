#pragma once
// "ProfileList.ini" of one device: the profiles in display order and the
// selected one. Every change re-reads the file and writes it back whole.
#include <QString>
#include <json/value.h>

#include <vector>

namespace q31 {

struct ProfileEntry {
    QString name;  // "profilename"
    QString id;    // "profileUUID", also the document's base name
};

class ProfileListFile {
public:
    // folder: the device's user profile folder; defaultDocument: the device's
    // shipped default profile document.
    ProfileListFile(QString folder, QString defaultDocument);

    QString ListPath() const;
    QString DocumentPath(const QString& id) const;

    // The list on disk. A missing or unreadable list, or one without a usable
    // entry, is replaced by a fresh list holding "profile1", whose document is
    // made from the default document; entries without a usable id are dropped.
    Json::Value LoadOrCreate() const;

    // Re-reads the list (falling back to the given copy when the file has no
    // usable entry), sets "profileselect" and writes it back. Returns the
    // written list.
    Json::Value StoreSelection(const Json::Value& fallback, int index) const;

    // Gives the entry at index a new name, in the list and in its document; the
    // id, and so the document's file name, stay. False when nothing was renamed.
    bool RenameEntry(int index, const QString& name) const;

    static std::vector<ProfileEntry> Entries(const Json::Value& list);
    // "profileselect" when it names an entry, else 0.
    static int SelectedIndex(const Json::Value& list);

private:
    Json::Value CreateFirstProfile() const;

    QString m_folder;
    QString m_defaultDocument;
};

// A new "profilelist" entry, with the reserved keys every written entry carries.
Json::Value NewProfileEntry(const QString& name, const QString& id);

// Writes the default document (or an empty one when it is missing) with the
// given name and id to documentPath.
bool WriteProfileFromDefault(const QString& defaultDocument, const QString& documentPath, const QString& name,
                             const QString& id);

}  // namespace q31
