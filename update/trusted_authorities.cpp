#include "update/trusted_authorities.h"

#include <QFile>

namespace q31::update {
namespace {

// Debian's whole bundle is about 200 KiB.
constexpr qint64 kMostAuthorityBytes = 4 * 1024 * 1024;

std::optional<QByteArray> ReadPem(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostAuthorityBytes)
        return std::nullopt;
    QByteArray text = file.read(kMostAuthorityBytes);
    if (!text.endsWith('\n'))
        text += '\n';
    return text;
}

}  // namespace

std::optional<QByteArray> CombinedAuthorities(const QString& systemBundle, const QString& extraCaFile)
{
    const std::optional<QByteArray> extra = ReadPem(extraCaFile);
    if (!extra)
        return std::nullopt;
    const std::optional<QByteArray> system = systemBundle.isEmpty() ? std::nullopt : ReadPem(systemBundle);
    return system.value_or(QByteArray()) + *extra;
}

}  // namespace q31::update
