#include "platform/registered_message.h"

#include "platform/debug_log.h"

#include <QHash>

#include <mutex>

namespace {

// Wide enough that the program's few dozen names never collide.
constexpr UINT kRegisteredMessageSpan = 0x3FFF0000;

UINT NumberForName(const QString& foldedName)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a over the case-folded UTF-8 name
    for (const char byte : foldedName.toUtf8()) {
        hash ^= static_cast<std::uint8_t>(byte);
        hash *= 16777619u;
    }
    return kFirstRegisteredMessage + hash % kRegisteredMessageSpan;
}

struct NameTable {
    std::mutex mutex;
    QHash<UINT, QString> names;
};

NameTable& Table()
{
    static NameTable table;
    return table;
}

}  // namespace

UINT MessageNumberForName(std::string_view name)
{
    return NumberForName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded());
}

UINT RegisterWindowMessage(std::string_view name)
{
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    const QString folded = text.toCaseFolded();
    const UINT message = NumberForName(folded);
    NameTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto known = table.names.constFind(message);
    if (known == table.names.constEnd())
        table.names.insert(message, text);
    else if (known->toCaseFolded() != folded)
        OutputDebugText(QStringLiteral("registered messages \"%1\" and \"%2\" share number %3")
                            .arg(*known, text)
                            .arg(message));
    return message;
}

std::optional<QString> RegisteredMessageName(UINT message)
{
    NameTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto known = table.names.constFind(message);
    if (known == table.names.constEnd())
        return std::nullopt;
    return *known;
}
