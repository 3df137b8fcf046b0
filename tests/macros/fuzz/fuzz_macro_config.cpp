// Fuzz target: "macro.config" as anyone might have left it, through the list
// operations and the macro block.
#include "macros/macro_block.h"
#include "macros/macro_storage.h"
#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    q31::fuzz::PutInput(QStringLiteral("macro.config"), data, size);
    const q31::macros::MacroStorage storage(q31::fuzz::ScratchFolder());
    const auto list = storage.LoadMacroList();
    std::vector<int> used;
    for (std::size_t i = 0; i < list.size() && i < 64; ++i) {
        used.push_back(static_cast<int>(i));
        if (storage.Files().MacroPath(list[i].guid) && !q31::macros::IsPlainGuid(list[i].guid))
            __builtin_trap();  // only plain names become paths
    }
    const auto block = q31::macros::BuildMacroBlock(storage.Files(), used, 0xFFFF);
    if (!block.bytes.empty() && block.bytes[2] + (block.bytes[3] << 8) != static_cast<int>(block.bytes.size()))
        __builtin_trap();
    storage.RenameMacro(0, QStringLiteral("renamed"));
    const QString added = storage.AddMacro();
    if (!added.isEmpty() && storage.LoadMacroList().size() != list.size() + 1)
        __builtin_trap();
    storage.DeleteMacro(static_cast<int>(size % 3));
    return 0;
}
