#pragma once
// Reading and writing the program's JSON documents. Every settings file is one
// JSON document, read whole and written whole in the indented form below.
#include <QString>
#include <json/value.h>

#include <string>

// The file's bytes; empty when it cannot be read (see ReadDocumentFile).
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

struct FileContent {
    enum class Status {
        Read,
        Missing,  // no such file
        Failed,   // an I/O error, not a regular file, or implausibly large; reported
    };
    Status status = Status::Failed;
    std::string bytes;
};

// The whole content of a regular file. Anything else (a FIFO, a device, a
// folder) is refused without waiting on it, and no read goes past the size cap.
FileContent ReadDocumentFile(const QString& path);

// A document the user owns (a profile list, a profile document).
struct UserDocument {
    enum class State {
        Read,        // document is the parsed object
        Missing,     // no file, or an empty one
        SetAside,    // it held no JSON object and was kept aside (see KeepUnreadableFile)
        Unreadable,  // it could not be read, or not be kept aside; it must not be replaced
    };
    Json::Value document;  // the object, or null
    State state = State::Missing;

    bool MayBeReplaced() const { return state != State::Unreadable; }
};

// Only a file that was read and did not parse is moved aside, so that the
// default written in its place loses nothing; a file that could not be read
// stays where it is.
UserDocument ParseUserDocument(const QString& path);

}  // namespace q31
