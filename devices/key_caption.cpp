#include "devices/key_caption.h"

#include "controls/device_key_button_ui.h"
#include "ui/resource_manager.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace q31::devices {

std::optional<QString> CaptionOf(const keys::CodeName& name, const QStringList& macroNames)
{
    using Kind = keys::CodeName::Kind;
    switch (name.kind) {
    case Kind::NameKeys: {
        const CResourceManager& texts = CResourceManager::GetInstance();
        QStringList parts;
        for (const std::string& key : name.nameKeys)
            parts.push_back(texts.GetText(QString::fromStdString(key)));
        return parts.join(QLatin1Char('+'));
    }
    case Kind::Macro:
        if (name.macro >= 0 && name.macro < macroNames.size())
            return macroNames[name.macro];
        return std::nullopt;
    case Kind::Closed:
        return QStringLiteral("关闭");
    case Kind::Unchanged:
        break;
    }
    return std::nullopt;
}

void ShowCaption(CDeviceKeyButtonUI& button, const QString& caption)
{
    static const char* const kSkinFont = "q31SkinFont";
    if (!button.property(kSkinFont).isValid())
        button.setProperty(kSkinFont, button.font());
    const QFont skinFont = button.property(kSkinFont).value<QFont>();
    const int room = button.maximumWidth();
    const int smallest = std::max(1, skinFont.pixelSize() * 3 / 4);
    QFont font = skinFont;
    const auto fits = [&](const QString& text) {
        for (font = skinFont;; font.setPixelSize(font.pixelSize() - 1)) {
            if (QFontMetrics(font).horizontalAdvance(text) < room)
                return true;
            if (font.pixelSize() <= smallest)
                return false;
        }
    };
    const QString lastWord = caption.section(QLatin1Char(' '), -1);
    if (fits(caption))
        button.setText(caption);
    else if (fits(lastWord))
        button.setText(lastWord);
    else
        button.setText(QFontMetrics(font).elidedText(caption, Qt::ElideRight, room));
    button.setFont(font);
}

}  // namespace q31::devices
