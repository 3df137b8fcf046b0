#include "profiles/profile_text.h"

#include <QFileInfo>

std::string Utf8FromWide(const QString& text)
{
    return text.toStdString();
}

QString WideFromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString FileBaseName(const QString& path)
{
    // Only the last extension goes: "my.profile.json" is "my.profile".
    return QFileInfo(path).completeBaseName();
}

bool IsBlankName(const QString& name)
{
    return name.trimmed().isEmpty();
}
