// Fuzz target: a profile document as anyone might have left it, read by every
// profile class and saved back.
#include "tests/profiles/fuzz/fuzz_profile_readers.h"
#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = q31::fuzz::PutInput(QStringLiteral("profile.Json"), data, size);
    q31::fuzz::ReadThroughEveryProfileClass(path, size > 0 ? data[0] : 0);
    return 0;
}
