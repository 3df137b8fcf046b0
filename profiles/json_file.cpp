#include "profiles/json_file.h"

#include "platform/debug_log.h"
#include "profiles/safe_file.h"
#include "profiles/styled_json.h"

#include <QFile>
#include <json/reader.h>

#include <array>
#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Settings documents are a few hundred kilobytes at most; anything far larger is
// not one of ours and is not read into memory.
constexpr std::size_t kMaxDocumentBytes = 32 * 1024 * 1024;

using q31::FileContent;

FileContent Refused(const QString& path, const QString& why)
{
    OutputDebugText(QStringLiteral("%1 not read: %2").arg(path, why));
    return {FileContent::Status::Failed, {}};
}

FileContent TooLarge(const QString& path)
{
    return Refused(path, QStringLiteral("too large to be a settings document"));
}

FileContent ReadOpenFile(int fd, const QString& path)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return Refused(path, qt_error_string(errno));
    if (!S_ISREG(status.st_mode))
        return Refused(path, QStringLiteral("not a regular file"));
    if (static_cast<std::size_t>(status.st_size) > kMaxDocumentBytes)
        return TooLarge(path);
    FileContent content{FileContent::Status::Read, {}};
    content.bytes.reserve(static_cast<std::size_t>(status.st_size));
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got == 0)
            return content;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Refused(path, qt_error_string(errno));
        // The size can change under us; the cap holds for what is actually read.
        if (content.bytes.size() + static_cast<std::size_t>(got) > kMaxDocumentBytes)
            return TooLarge(path);
        content.bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace

std::string readjsonFile(const QString& path)
{
    errno = 0;
    q31::FileContent content = q31::ReadDocumentFile(path);
    OutputDebugText(QString::fromUtf8("readjsonFile 错误吗：：%1\n").arg(errno));
    return std::move(content.bytes);
}

Json::Value ParseJsonFile(const QString& path)
{
    const std::string content = readjsonFile(path);
    if (content.empty()) {
        OutputDebugText(path);
        return Json::Value();
    }
    return q31::ParseJsonText(content);
}

bool WriteJsonFile(const QString& path, const Json::Value& document)
{
    const std::string text = q31::JsonDocumentText(document);
    return q31::WriteFileSafely(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

namespace q31 {

Json::Value ParseJsonText(const std::string& text)
{
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = false;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value document;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &document, &errors))
            return Json::Value();
    } catch (const std::exception& error) {
        // The reader throws on nesting deeper than its stack limit.
        OutputDebugText(QStringLiteral("JSON not read: %1").arg(QString::fromUtf8(error.what())));
        return Json::Value();
    }
    return document;
}

std::string JsonDocumentText(const Json::Value& document)
{
    // Written as a text file would be on the system the documents come from.
    const std::string lf = StyledJsonText(document);
    std::string crlf;
    crlf.reserve(lf.size() + lf.size() / 8);
    for (const char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

FileContent ReadDocumentFile(const QString& path)
{
    if (path.isEmpty())
        return {FileContent::Status::Missing, {}};
    // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT)
            return {FileContent::Status::Missing, {}};
        return Refused(path, qt_error_string(errno));
    }
    FileContent content = ReadOpenFile(fd, path);
    ::close(fd);
    return content;
}

UserDocument ParseUserDocument(const QString& path)
{
    const FileContent content = ReadDocumentFile(path);
    if (content.status == FileContent::Status::Failed)
        return {Json::Value(), UserDocument::State::Unreadable};
    // An empty file holds nothing to keep.
    if (content.bytes.empty())
        return {Json::Value(), UserDocument::State::Missing};
    Json::Value document = ParseJsonText(content.bytes);
    if (document.isObject())
        return {std::move(document), UserDocument::State::Read};
    if (!KeepUnreadableFile(path))
        return {Json::Value(), UserDocument::State::Unreadable};
    return {Json::Value(), UserDocument::State::SetAside};
}

}  // namespace q31
