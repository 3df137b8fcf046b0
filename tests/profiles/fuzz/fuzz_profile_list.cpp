// Fuzz target: "ProfileList.ini" as anyone might have left it, through loading,
// selecting and renaming.
#include "profiles/profile_list_file.h"
#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <QSet>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    q31::fuzz::PutInput(QStringLiteral("ProfileList.ini"), data, size);
    const q31::ProfileListFile files(q31::fuzz::ScratchFolder(), QString());
    const Json::Value list = files.LoadOrCreate();
    const auto entries = q31::ProfileListFile::Entries(list);
    if (entries.empty() || entries[0].id.isEmpty())
        __builtin_trap();  // the list always ends up with a usable profile
    QSet<QString> ids;
    for (const auto& entry : entries)
        ids.insert(entry.id);
    if (ids.size() != static_cast<qsizetype>(entries.size()))
        __builtin_trap();  // no two profiles share a document
    const int selected = q31::ProfileListFile::SelectedIndex(list);
    if (selected < 0 || selected >= static_cast<int>(entries.size()))
        __builtin_trap();
    files.StoreSelection(list, static_cast<int>(size % 3) - 1);
    files.RenameEntry(0, QStringLiteral("renamed"));
    return 0;
}
