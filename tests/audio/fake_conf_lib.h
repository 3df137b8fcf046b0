#pragma once
// A chip library made of plain functions over one shared record, for the
// binding's tests: what it lists, what reads answer, and every call made.
#include "audio/conf_lib_entry_points.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace q31::test {

struct FakePropertyCall {
    std::int32_t deviceId = 0;
    std::string name;
    std::int32_t direction = 0;
    std::int32_t integer = 0;  // writes: the value's first 32 bits
    float scalar = 0;          // the same bits as a single
    std::vector<std::int32_t> parameter;  // its first three values; empty when none
    bool hasParameter = false;
};

struct FakeConfLib {
    std::int32_t initResult = 0;
    std::vector<OsConfDevice> render;
    std::vector<OsConfDevice> capture;
    // Device id → property → the text a read answers; anything else fails to read.
    std::map<std::int32_t, std::map<std::string, std::u16string>> readable;
    std::set<std::string> failingWrites;
    // A read of this property fills the whole value buffer, with no terminator.
    std::string fillsBuffer;
    std::vector<FakePropertyCall> calls;
    std::vector<std::string> entries;  // every entry point called, in order
    // Every value buffer a read was given was zero over this many bytes.
    std::map<std::string, std::size_t> zeroedBytes;

    static FakeConfLib& Instance();
    static void Reset();
    static audio::ConfLibEntryPoints EntryPoints();

    std::vector<std::string> PropertyNames() const;
};

}  // namespace q31::test
