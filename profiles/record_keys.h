#pragma once
// Tables that tie the keys of a document section to the bytes of a record, so
// each record is read and written by one pair of loops.
#include "profiles/json_access.h"

#include <cstddef>
#include <span>

namespace q31 {

struct RecordKey {
    const char* key;
    std::size_t byte;
    bool flag = false;  // stored as 0/1, any non-zero reads as 1
};

template <typename Record>
void ReadRecordKeys(const Json::Value& section, std::span<const RecordKey> keys, Record& record)
{
    for (const RecordKey& entry : keys) {
        const Json::Value& value = json::Member(section, entry.key);
        record[entry.byte] = entry.flag ? json::FlagOf(value) : json::ByteOf(value);
    }
}

template <typename Record>
void WriteRecordKeys(Json::Value& section, std::span<const RecordKey> keys, const Record& record)
{
    for (const RecordKey& entry : keys)
        json::MemberToWrite(section, entry.key) = entry.flag ? int(record[entry.byte] != 0) : int(record[entry.byte]);
}

}  // namespace q31
