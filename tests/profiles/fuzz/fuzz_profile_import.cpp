// Fuzz target: a file someone hands to the import, taken into a device's
// profiles and read through every profile class as a switch would read it.
#include "profiles/profile_operations.h"
#include "tests/profiles/fuzz/fuzz_profile_readers.h"
#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = q31::fuzz::PutInput(QStringLiteral("Imported.json"), data, size);
    // Each run starts from a fresh profile folder, so the list does not grow with the runs.
    const QString folder = QDir(q31::fuzz::ScratchFolder()).filePath(QStringLiteral("profiles"));
    QDir(folder).removeRecursively();
    const q31::ProfileOperations operations(folder, QString(), 1);
    const q31::ProfileOutcome outcome = operations.Import(path);
    if (!outcome.Done())
        return 0;
    const auto entries = q31::ProfileListFile::Entries(outcome.list);
    if (entries.size() != 2 || entries[1].name != QStringLiteral("Imported"))
        __builtin_trap();  // the import is added under the file's name
    q31::fuzz::ReadThroughEveryProfileClass(operations.Files().DocumentPath(entries[1].id), size > 0 ? data[0] : 0);
    return 0;
}
