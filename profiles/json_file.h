#pragma once
// Reading and writing the program's JSON documents. Every settings file is one
// JSON document, read whole and written whole in the indented form below.
#include <QString>
#include <json/value.h>

#include <string>

// The file's bytes; empty when it cannot be read (or is implausibly large).
std::string readjsonFile(const QString& path);

// The parsed document (comments accepted); null when the file is missing,
// empty or does not parse.
Json::Value ParseJsonFile(const QString& path);

// Writes the whole document safely (temporary file, flush, rename); false, with
// a debug line, when it could not be written. The old file is then untouched.
bool WriteJsonFile(const QString& path, const Json::Value& document);

namespace q31 {

// Parses JSON text (comments accepted); null when it does not parse.
Json::Value ParseJsonText(const std::string& text);

// The exact bytes WriteJsonFile stores: three-space indent, short arrays of plain
// values on one line up to a right margin of 74, names in UTF-8, CR LF line ends
// and a final line break.
std::string JsonDocumentText(const Json::Value& document);

}  // namespace q31

namespace q31 {

// A document the user owns (a profile list, a profile document): the parsed
// object, or null. A file that exists but holds no JSON object is kept aside
// (see KeepUnreadableFile) so that the default written in its place loses nothing.
Json::Value ParseUserDocument(const QString& path);

}  // namespace q31
