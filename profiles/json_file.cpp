#include "profiles/json_file.h"

#include "platform/debug_log.h"
#include "profiles/safe_file.h"
#include "profiles/styled_json.h"

#include <QFile>
#include <QFileInfo>
#include <json/reader.h>

#include <cerrno>
#include <memory>

namespace {

// Settings documents are a few hundred kilobytes at most; anything far larger is
// not one of ours and is not read into memory.
constexpr qint64 kMaxDocumentBytes = 32 * 1024 * 1024;

}  // namespace

std::string readjsonFile(const QString& path)
{
    std::string content;
    errno = 0;
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        if (file.size() <= kMaxDocumentBytes) {
            const QByteArray bytes = file.readAll();
            if (bytes.size() <= kMaxDocumentBytes)
                content.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        } else {
            OutputDebugText(QStringLiteral("%1 is too large to be a settings document").arg(path));
        }
    }
    OutputDebugText(QString::fromUtf8("readjsonFile 错误吗：：%1\n").arg(errno));
    return content;
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

Json::Value ParseUserDocument(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Json::Value();
    const std::string content = readjsonFile(path);
    Json::Value document = content.empty() ? Json::Value() : ParseJsonText(content);
    if (document.isObject())
        return document;
    // An empty file holds nothing to keep; anything else might be the user's work.
    if (info.size() > 0)
        KeepUnreadableFile(path);
    return Json::Value();
}

}  // namespace q31
