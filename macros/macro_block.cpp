#include "macros/macro_block.h"

#include "keys/function_types.h"
#include "macros/macro_storage.h"
#include "profiles/json_access.h"

#include <algorithm>

namespace q31::macros {

namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMacroHeaderSize = 4;
constexpr std::size_t kEventSize = 4;
constexpr std::size_t kOffsetSize = 2;
constexpr std::size_t kLargestBlock = 0xFFFF;  // the size field's 16 bits

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t value)
{
    bytes.at(at) = static_cast<std::uint8_t>(value);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

int LowBitsOf(const Json::Value& value, int mask)
{
    if (value.isInt64())
        return static_cast<int>(value.asInt64() & mask);
    if (value.isUInt64())
        return static_cast<int>(value.asUInt64() & static_cast<unsigned>(mask));
    return 0;
}

}  // namespace

std::vector<int> CollectUsedMacros(const std::vector<KeyListEntry>& keys,
                                   const std::function<bool(std::uint16_t key)>& isPresent, int macroCount)
{
    std::vector<int> used;
    for (const KeyListEntry& key : keys) {
        const int macro = key.current.data1;
        if (keys::IsMacroType(key.current.type) && macro < macroCount && isPresent(key.key) &&
            std::find(used.begin(), used.end(), macro) == used.end())
            used.push_back(macro);
    }
    return used;
}

std::array<std::uint8_t, 4> EncodeEvent(const Json::Value& event)
{
    const int delay = DelayOf(json::Member(event, "Delay"));
    const bool down = json::Member(event, "Action").isString() && json::Member(event, "Action").asString() == "down";
    const int type = LowBitsOf(json::Member(event, "Type"), 0x7F) | (down ? 0x80 : 0);
    return {static_cast<std::uint8_t>(delay), static_cast<std::uint8_t>(delay >> 8), static_cast<std::uint8_t>(type),
            static_cast<std::uint8_t>(LowBitsOf(json::Member(event, "Button"), 0xFF))};
}

MacroBlock BuildMacroBlock(const MacroFolder& files, const std::vector<int>& used, std::size_t capacity)
{
    const std::vector<MacroEntry> entries = files.ReadList();
    if (entries.empty() || used.empty())
        return {};
    std::vector<Json::Value> macros;
    macros.reserve(used.size());
    std::size_t size = kHeaderSize + used.size() * kOffsetSize;
    for (const int number : used) {
        const bool listed = number >= 0 && number < static_cast<int>(entries.size());
        macros.push_back(listed ? files.ReadEvents(entries[static_cast<std::size_t>(number)].guid)
                                : Json::Value(Json::arrayValue));
        size += kMacroHeaderSize + kEventSize * macros.back().size();
    }
    capacity = std::min(capacity, kLargestBlock);
    if (size > capacity)
        return {static_cast<int>((size - capacity) / kEventSize + 1), {}};

    MacroBlock block;
    block.bytes.assign(size, 0);
    block.bytes[0] = 0xAA;
    block.bytes[1] = 0x55;
    PutWord(block.bytes, 2, size);
    PutWord(block.bytes, 4, used.size());
    std::size_t offset = kHeaderSize + used.size() * kOffsetSize;
    for (std::size_t slot = 0; slot < macros.size(); ++slot) {
        PutWord(block.bytes, kHeaderSize + slot * kOffsetSize, offset);
        PutWord(block.bytes, offset, macros[slot].size());
        offset += kMacroHeaderSize;
        for (const Json::Value& event : macros[slot]) {
            const auto encoded = EncodeEvent(event);
            std::copy(encoded.begin(), encoded.end(), block.bytes.begin() + static_cast<std::ptrdiff_t>(offset));
            offset += kEventSize;
        }
    }
    return block;
}

DeviceKeyCodes KeyCodesForDevice(const std::vector<KeyListEntry>& keys, const std::vector<int>& used, int macroCount,
                                 bool macrosWritten)
{
    DeviceKeyCodes result;
    result.codes.reserve(keys.size());
    for (const KeyListEntry& key : keys) {
        FunctionCode code = key.current;
        if (keys::IsMacroType(code.type)) {
            const auto slot = std::find(used.begin(), used.end(), code.data1);
            if (code.data1 >= macroCount || slot == used.end()) {
                code = key.factory;
            } else if (!macrosWritten) {
                code = key.factory;
                result.reverted.push_back(key.key);
            } else {
                code.data1 = static_cast<std::uint8_t>(slot - used.begin());
            }
        }
        result.codes.push_back(code);
    }
    return result;
}

}  // namespace q31::macros
