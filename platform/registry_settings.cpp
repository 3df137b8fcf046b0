#include "platform/registry_settings.h"

#include "platform/debug_log.h"

#include <QSettings>

namespace q31 {
namespace {

const QString kLanguageKey = QStringLiteral("LANGUAGE");

// What XDG_CURRENT_DESKTOP names, as the desktops' own settings programs are started.
struct DesktopDefault {
    const char* desktop;
    const char* keyboard;
    const char* mouse;
};
constexpr DesktopDefault kDesktopDefaults[] = {
    {"GNOME", "gnome-control-center keyboard", "gnome-control-center mouse"},
    {"KDE", "systemsettings kcm_keyboard", "systemsettings kcm_mouse"},
};

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

QString DesktopSettingsCommand(DesktopSettingsPage page)
{
    const bool keyboard = page == DesktopSettingsPage::Keyboard;
    const QVariant set = OpenSettings().value(keyboard ? QStringLiteral("DesktopSettings/Keyboard")
                                                       : QStringLiteral("DesktopSettings/Mouse"));
    if (set.isValid())
        return set.toString().trimmed();
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    for (const DesktopDefault& known : kDesktopDefaults)
        if (desktops.contains(QLatin1String(known.desktop), Qt::CaseInsensitive))
            return QString::fromLatin1(keyboard ? known.keyboard : known.mouse);
    return {};
}

}  // namespace q31
