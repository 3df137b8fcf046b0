#include "update/update_component.h"

#include "hid/hid_catalogue.h"

#include <algorithm>
#include <cstdint>

namespace q31::update {
namespace {

constexpr qsizetype kMostDigits = 16;  // past this the value is too big anyway

bool IsDigitIn(QChar c, int base)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (base == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')));
}

// A receiver carries the same device as its cable.
std::uint16_t CableType(std::uint16_t deviceType)
{
    switch (deviceType) {
    case MouseReceiver:
        return Mouse;
    case KeyboardReceiver:
        return Keyboard;
    default:
        return deviceType;
    }
}

}  // namespace

std::vector<UpdateComponent> UpdateComponentTable()
{
    const QString brand = QStringLiteral("QUORL");
    return {
        {1, 1, 0, brand, QStringLiteral("RM7D"), QStringLiteral("MS"), QStringLiteral("MS"), QString(), Mouse},
        {1, 1, 0, brand, QStringLiteral("RK6D"), QStringLiteral("KB"), QStringLiteral("KB"), QString(), Keyboard},
        {2, 1, 0, brand, QStringLiteral("RB3C_1"), QStringLiteral("LP2"), QStringLiteral("LP2"), QString(), MousePad},
        {0, 1, 0, brand, QStringLiteral("ALL"), QStringLiteral("LP2_QB4_QB3"), QStringLiteral("AP"),
         QStringLiteral("V") + InstalledAppVersionText(), 0},
    };
}

QString BuildAppKey(const UpdateComponent& component)
{
    if (component.brand.isEmpty())
        return QStringLiteral("NULL");
    return QStringLiteral("%1_%2_%3_%4_%5")
        .arg(component.brand)
        .arg(component.typeNumber)
        .arg(component.modelCode, component.kind)
        .arg(component.revision);
}

QString VersionText(bool hexVersions, std::uint32_t version)
{
    return hexVersions ? QStringLiteral("V%1").arg(version, 4, 16, QLatin1Char('0'))
                                   : QStringLiteral("V%1").arg(version);
}

std::vector<UpdateComponent> ListedComponents(const std::vector<InstalledDevice>& devices,
                                              std::uint32_t applicationVersion)
{
    std::vector<UpdateComponent> listed;
    for (UpdateComponent component : UpdateComponentTable()) {
        if (component.deviceType == 0) {
            component.version = applicationVersion;
        } else {
            const auto device = std::find_if(devices.begin(), devices.end(), [&](const InstalledDevice& d) {
                return CableType(d.deviceType) == component.deviceType;
            });
            component.version = device == devices.end() ? 0 : device->versionNumber;
        }
        if (component.version != 0)
            listed.push_back(component);
    }
    return listed;
}

std::uint32_t LeadingVersionNumber(const QString& text, int base)
{
    qsizetype count = 0;
    while (count < text.size() && IsDigitIn(text.at(count), base))
        ++count;
    if (count == 0 || count > kMostDigits)
        return 0;
    const qulonglong value = text.left(count).toULongLong(nullptr, base);
    return value > UINT32_MAX ? 0 : static_cast<std::uint32_t>(value);
}

std::uint32_t VersionFromDottedText(const QString& text)
{
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    return LeadingVersionNumber(digits, 10);
}

std::uint32_t ReadInstalledAppVersion()
{
    return VersionFromDottedText(InstalledAppVersionText());
}

QString InstalledAppVersionText()
{
    return QStringLiteral(Q31_APP_VERSION);
}

}  // namespace q31::update
