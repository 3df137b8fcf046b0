#pragma once
// Reading documents that people may have edited by hand: a value of the wrong
// type reads as missing, and nothing here throws. Writing makes room for a value
// by replacing whatever of the wrong type stood in its place.
#include <json/value.h>

#include <QString>

namespace q31::json {

// The member, or null when the value is not an object or lacks the key.
const Json::Value& Member(const Json::Value& value, const char* key);
// The element, or null when the value is not an array or is too short.
const Json::Value& Element(const Json::Value& value, Json::ArrayIndex index);

// An integer within [low, high], or the fallback for anything else.
int IntIn(const Json::Value& value, int low, int high, int fallback = 0);
// A byte value 0..255, or 0.
inline int ByteOf(const Json::Value& value) { return IntIn(value, 0, 255); }
// The low 16 bits of an integer (a 16-bit setting keeps only those), or 0 for
// anything else.
int Low16Of(const Json::Value& value);
// A flag: a non-zero integer or true.
bool FlagOf(const Json::Value& value);
// A string, or empty.
QString TextOf(const Json::Value& value);
// The number of elements of an array; 0 for anything else.
Json::ArrayIndex SizeOf(const Json::Value& value);

// The member for writing; the value becomes an object when it is not one.
Json::Value& MemberToWrite(Json::Value& value, const char* key);
// The element for writing; the value becomes an array when it is not one, and
// grows with nulls up to the index.
Json::Value& ElementToWrite(Json::Value& value, Json::ArrayIndex index);

}  // namespace q31::json
