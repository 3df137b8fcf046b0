#pragma once
// The indented JSON form of the documents: three-space indent, arrays of plain
// values on one line while they fit a right margin of 74, " : " after names,
// strings in UTF-8 as they are. This is the classic jsoncpp "styled" layout,
// whose own writer can no longer leave UTF-8 unescaped.
#include <json/value.h>

#include <string>

namespace q31 {

// The document in the indented form, LF line ends, with a final line break.
std::string StyledJsonText(const Json::Value& document);

}  // namespace q31
