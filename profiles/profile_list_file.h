#pragma once
// "ProfileList.ini" of one device: the profiles in display order and the
// selected one. Every change re-reads the file and writes it back whole.
#include <QString>
#include <json/value.h>

#include <functional>
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

    // The list on disk, repaired: entries without a usable id are dropped (the
    // selection follows its entry), and an entry whose id an earlier one already
    // has gets a new id and a copy of the document, so no two entries share a
    // file. A missing or unparsable list, or one without a usable entry, is
    // replaced by a fresh list holding "profile1", whose document is made from the
    // default document. Whatever a rewrite leaves out is kept as ".bad" first.
    // Null, with a debug line, when the list could not be read (the file is then
    // left as it is) or the first profile could not be stored.
    Json::Value LoadOrCreate() const;

    // Re-reads the list (falling back to the given copy when the file has no
    // usable entry), sets "profileselect" and writes it back. Returns the list
    // with the selection, also when it could not be written.
    Json::Value StoreSelection(const Json::Value& fallback, int index) const;

    // Gives the entry at index a new name, in the list and in its document; the
    // id, and so the document's file name, stay. False when nothing was renamed.
    bool RenameEntry(int index, const QString& name) const;

    enum class ChangeStatus {
        Stored,
        Declined,  // change returned false; nothing was written
        Failed,    // the list could not be read (or has no entry) or could not be written
    };
    struct ChangeResult {
        ChangeStatus status = ChangeStatus::Failed;
        Json::Value list;  // as written when Stored
    };
    // Re-reads the repaired list, lets change edit it and writes it back whole.
    ChangeResult ChangeList(const std::function<bool(Json::Value& list)>& change) const;

    static std::vector<ProfileEntry> Entries(const Json::Value& list);
    // "profileselect" when it names an entry, else 0.
    static int SelectedIndex(const Json::Value& list);

private:
    struct ReadList;
    ReadList ReadRepairedList() const;
    // Writes the list over the file it was read from; false, with the file as it
    // was, when that file could not be read, kept or written.
    bool StoreList(const ReadList& read, const Json::Value& list) const;
    Json::Value CreateFirstProfile(bool keepOldList) const;

    QString m_folder;
    QString m_defaultDocument;
};

// A new "profilelist" entry, with the reserved keys every written entry carries.
Json::Value NewProfileEntry(const QString& name, const QString& id);

// The document (an empty one when it is no object) as the profile of the given name and id.
Json::Value NamedProfileDocument(Json::Value document, const QString& name, const QString& id);

// Writes the default document (or an empty one when it is missing) with the
// given name and id to documentPath.
bool WriteProfileFromDefault(const QString& defaultDocument, const QString& documentPath, const QString& name,
                             const QString& id);

// What a profile document that was lost is re-created from: an empty document
// whose "profileUUID" is the base name of documentPath and whose "profilename"
// is the name the profile list beside it gives that id (the id itself when the
// list names none).
Json::Value EmptyProfileDocument(const QString& documentPath);

}  // namespace q31
