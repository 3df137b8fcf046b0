#include "profiles/json_access.h"

#include "profiles/profile_text.h"

#include <cstdint>

namespace q31::json {
namespace {

const Json::Value& Null()
{
    static const Json::Value null;
    return null;
}

}  // namespace

const Json::Value& Member(const Json::Value& value, const char* key)
{
    if (!value.isObject())
        return Null();
    const Json::Value* member = value.find(key, key + std::char_traits<char>::length(key));
    return member ? *member : Null();
}

const Json::Value& Element(const Json::Value& value, Json::ArrayIndex index)
{
    if (!value.isArray() || index >= value.size())
        return Null();
    return value[index];
}

int IntIn(const Json::Value& value, int low, int high, int fallback)
{
    if (!value.isInt())
        return fallback;
    const int number = value.asInt();
    return number >= low && number <= high ? number : fallback;
}

int Low16Of(const Json::Value& value)
{
    if (value.isInt64())
        return static_cast<int>(static_cast<std::uint64_t>(value.asInt64()) & 0xFFFF);
    if (value.isUInt64())
        return static_cast<int>(value.asUInt64() & 0xFFFF);
    return 0;
}

bool FlagOf(const Json::Value& value)
{
    if (value.isBool())
        return value.asBool();
    return value.isIntegral() && !(value.isInt64() && value.asInt64() == 0);
}

QString TextOf(const Json::Value& value)
{
    return value.isString() ? WideFromUtf8(value.asString()) : QString();
}

Json::ArrayIndex SizeOf(const Json::Value& value)
{
    return value.isArray() ? value.size() : 0;
}

Json::Value& MemberToWrite(Json::Value& value, const char* key)
{
    if (!value.isObject())
        value = Json::Value(Json::objectValue);
    return value[key];
}

Json::Value& ElementToWrite(Json::Value& value, Json::ArrayIndex index)
{
    if (!value.isArray())
        value = Json::Value(Json::arrayValue);
    return value[index];
}

}  // namespace q31::json
