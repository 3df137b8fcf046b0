#pragma once
// The certificate authorities a request trusts: the system's bundle, and an
// extra authority named for tests or a private mirror. libcurl's CA file
// option alone would replace the system's bundle instead of adding to it.
#include <QByteArray>
#include <QString>

#include <optional>

namespace q31::update {

// The PEM text of both files; nullopt when the extra file cannot be read
// or is implausibly large. A missing system bundle leaves the extra one alone.
std::optional<QByteArray> CombinedAuthorities(const QString& systemBundle, const QString& extraCaFile);

}  // namespace q31::update
