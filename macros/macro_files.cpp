#include "macros/macro_files.h"

#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/safe_file.h"

#include <QDir>

namespace q31::macros {

using namespace q31::json;

bool IsPlainGuid(const QString& guid)
{
    return !guid.isEmpty() && !guid.contains(QLatin1Char('/')) && !guid.contains(QLatin1Char('\\')) &&
           !guid.contains(QLatin1String("..")) && !guid.contains(QChar(0));
}

QString MacroFolder::ConfigPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("macro.config"));
}

std::optional<QString> MacroFolder::MacroPath(const QString& guid) const
{
    if (!IsPlainGuid(guid))
        return std::nullopt;
    return QDir(m_folder).filePath(guid + QStringLiteral(".mac"));
}

std::vector<MacroEntry> MacroFolder::ReadList() const
{
    const Json::Value document = ParseJsonFile(ConfigPath());
    const Json::Value& list = Member(document, "MacroInfo");
    std::vector<MacroEntry> entries(SizeOf(list));
    for (Json::ArrayIndex i = 0; i < entries.size(); ++i)
        entries[i] = {TextOf(Member(list[i], "MacroName")), TextOf(Member(list[i], "Guid"))};
    return entries;
}

bool MacroFolder::WriteList(const std::vector<MacroEntry>& entries) const
{
    UserDocument read = ParseUserDocument(ConfigPath());
    if (!read.MayBeReplaced())
        return false;
    Json::Value document = read.state == UserDocument::State::Read ? std::move(read.document)
                                                                   : Json::Value(Json::objectValue);
    Json::Value list(Json::arrayValue);
    for (const MacroEntry& entry : entries) {
        Json::Value item(Json::objectValue);
        item["MacroName"] = entry.name.toStdString();
        item["Guid"] = entry.guid.toStdString();
        list.append(item);
    }
    document["MacroInfo"] = list;
    return WriteJsonFile(ConfigPath(), document);
}

Json::Value MacroFolder::ReadEvents(const QString& guid) const
{
    Json::Value events(Json::arrayValue);
    const auto path = MacroPath(guid);
    if (!path)
        return events;
    const Json::Value document = ParseJsonFile(*path);
    const Json::Value& stored = Member(document, "Events");
    for (Json::ArrayIndex i = 0; i < SizeOf(stored); ++i) {
        if (stored[i].isObject())
            events.append(stored[i]);
    }
    return events;
}

bool MacroFolder::WriteMacroDocument(const QString& guid, const Json::Value& document) const
{
    const auto path = MacroPath(guid);
    return path && WriteJsonFile(*path, document);
}

bool ReplaceWithCopy(const QString& source, const QString& target)
{
    const FileContent content = ReadDocumentFile(source);
    if (content.status != FileContent::Status::Read)
        return false;
    return WriteFileSafely(target, QByteArray::fromStdString(content.bytes));
}

}  // namespace q31::macros
