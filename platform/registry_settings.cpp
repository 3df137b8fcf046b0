#include "platform/registry_settings.h"

#include "platform/debug_log.h"

#include <QSettings>

namespace q31 {
namespace {

const QString kLanguageKey = QStringLiteral("LANGUAGE");

QSettings OpenSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Q-31"),
                     QStringLiteral("Q-31"));
}

}  // namespace

std::optional<DWORD> ReadLanguageSetting()
{
    bool ok = false;
    const DWORD id = OpenSettings().value(kLanguageKey).toUInt(&ok);
    return ok ? std::optional<DWORD>(id) : std::nullopt;
}

bool WriteLanguageSetting(DWORD languageId)
{
    QSettings settings = OpenSettings();
    settings.setValue(kLanguageKey, languageId);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    OutputDebugText(QStringLiteral("cannot store the language setting in %1").arg(settings.fileName()));
    return false;
}

}  // namespace q31
