#include "macros/macro_rebinding.h"

#include "keys/function_types.h"
#include "profiles/basic_profile_data.h"
#include "profiles/json_file.h"
#include "profiles/profile_list_file.h"

#include <algorithm>

namespace q31::macros {

namespace {

bool BoundToMacro(const FunctionCode& code, int macro)
{
    return keys::IsMacroType(code.type) && code.data1 == macro;
}

}  // namespace

bool AnyKeyBoundTo(const std::vector<KeyListEntry>& keys, int macro)
{
    return std::any_of(keys.begin(), keys.end(), [&](const KeyListEntry& key) { return BoundToMacro(key.current, macro); });
}

bool RebindAfterDelete(std::vector<KeyListEntry>& keys, int deleted)
{
    bool changed = false;
    for (KeyListEntry& key : keys) {
        if (!keys::IsMacroType(key.current.type) || key.current.data1 < deleted)
            continue;
        if (key.current.data1 == deleted)
            key.current = key.factory;
        else
            --key.current.data1;
        changed = true;
    }
    return changed;
}

bool IsDanglingMacro(const FunctionCode& code, int macroCount)
{
    return keys::IsMacroType(code.type) && code.data1 >= macroCount;
}

FunctionCode KeyTableCode(const KeyListEntry& key, int macroCount, std::vector<int>& usedMacros)
{
    if (IsDanglingMacro(key.current, macroCount))
        return key.factory;
    FunctionCode code = key.current;
    if (keys::IsMacroType(code.type)) {
        auto slot = std::find(usedMacros.begin(), usedMacros.end(), code.data1);
        if (slot == usedMacros.end())
            slot = usedMacros.insert(slot, code.data1);
        code.data1 = std::uint8_t(slot - usedMacros.begin());
    }
    return code;
}

bool DropDanglingMacroBindings(std::vector<KeyListEntry>& keys, int macroCount)
{
    bool changed = false;
    for (KeyListEntry& key : keys) {
        if (IsDanglingMacro(key.current, macroCount)) {
            key.current = key.factory;
            changed = true;
        }
    }
    return changed;
}

QStringList ProfileDocumentsOf(const QString& folder)
{
    const ProfileListFile list(folder, QString());
    QStringList documents;
    for (const ProfileEntry& entry : ProfileListFile::Entries(ParseJsonFile(list.ListPath())))
        documents.append(list.DocumentPath(entry.id));
    documents.removeDuplicates();
    return documents;
}

RebindReport RebindProfileDocuments(const QStringList& documents, int deleted)
{
    RebindReport report;
    for (const QString& path : documents) {
        CBasicProfiledata profile;
        profile.SetDocumentPath(path);
        if (profile.LoadDeviceSection(path).isNull())
            continue;
        std::vector<KeyListEntry> keys = profile.ReadKeyList();
        if (!RebindAfterDelete(keys, deleted))
            continue;
        profile.WriteKeyAssignments(keys);
        (profile.Save() ? report.rewritten : report.failed).append(path);
    }
    return report;
}

}  // namespace q31::macros
