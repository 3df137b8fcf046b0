// Fuzz target: a ".mac" file as anyone might have left it, through loading,
// the macro block and saving it back from editor rows.
#include "macros/macro_block.h"
#include "macros/macro_storage.h"
#include "tests/profiles/fuzz/fuzz_scratch.h"

#include <json/writer.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString guid = QStringLiteral("2024_03_05_14_07_09_042");
    q31::fuzz::PutInput(guid + QStringLiteral(".mac"), data, size);
    const q31::macros::MacroStorage storage(q31::fuzz::ScratchFolder());
    if (!storage.Files().WriteList({{QStringLiteral("macro_1"), guid}}))
        return 0;

    const Json::Value events = storage.LoadMacro(guid);
    const auto block = q31::macros::BuildMacroBlock(storage.Files(), {0, 0}, 0xFFFF);
    if (!block.bytes.empty() && block.bytes.size() != 16 + 12 + 8 * static_cast<std::size_t>(events.size()))
        __builtin_trap();  // the size comes from the same read as the content

    std::vector<q31::macros::EditorRow> rows;
    for (const Json::Value& event : events)
        rows.push_back({event["Delay"].isString() ? QString::fromStdString(event["Delay"].asString()) : QString(),
                        Json::writeString(Json::StreamWriterBuilder(), event)});
    storage.SaveMacro(0, rows);
    for (const Json::Value& event : storage.LoadMacro(guid)) {
        const int delay = q31::macros::DelayOf(event["Delay"]);
        if (!event["Delay"].isString() || delay < 0 || delay > 65535)
            __builtin_trap();  // saved delays are decimal strings within 16 bits
    }
    return 0;
}
