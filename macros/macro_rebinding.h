#pragma once
// Key bindings when a macro leaves the list: the macro list is shared by every
// profile of the device, so every profile's keys follow the new numbering.
#include "profiles/profile_records.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace q31::macros {

// True when a key is bound (type 0x70 or 0x71) to that macro number.
bool AnyKeyBoundTo(const std::vector<KeyListEntry>& keys, int macro);

// Keys bound to the deleted macro get their default code back; keys bound to a
// later macro move down by one. True when any key changed.
bool RebindAfterDelete(std::vector<KeyListEntry>& keys, int deleted);

// True when the code runs a macro the list of macroCount macros does not have.
bool IsDanglingMacro(const FunctionCode& code, int macroCount);

// The code a key goes into the device's key table with: a macro the list of
// macroCount macros does not have gives way to the key's default code; a macro
// it has is named by its slot, its place in usedMacros, which it joins on first use.
FunctionCode KeyTableCode(const KeyListEntry& key, int macroCount, std::vector<int>& usedMacros);

// Keys bound to a macro the list does not have get their default code back.
// True when any key changed.
bool DropDanglingMacroBindings(std::vector<KeyListEntry>& keys, int macroCount);

// The profile documents listed in the folder's "ProfileList.ini".
QStringList ProfileDocumentsOf(const QString& folder);

struct RebindReport {
    QStringList rewritten;  // documents whose keys changed and were stored
    QStringList failed;     // documents whose keys changed but could not be stored
};

// Applies RebindAfterDelete to the "KeyList" of each document's device section.
RebindReport RebindProfileDocuments(const QStringList& documents, int deleted);

}  // namespace q31::macros
