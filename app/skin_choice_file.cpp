#include "app/skin_choice_file.h"

#include "platform/folders.h"
#include "ui/colour_value.h"
#include "ui/image_string.h"
#include "ui/paint_manager.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace q31::app {
namespace {

const QString kFlags = QStringLiteral("SKINIMAGE/FLAGS");
const QString kImage = QStringLiteral("SKINIMAGE/IMAGE");
const QString kColour = QStringLiteral("SKINIMAGE/COLOR");
// Longer than any path the file dialog gives; anything beyond is not ours.
constexpr qsizetype kMaxImageLength = 4096;

void Write(const QString& flags, const QString& image, std::optional<DWORD> colour)
{
    // A failed write is not reported: the choice still holds for this run.
    if (!EnsureFolder(UserDataRoot()))
        return;
    QSettings file(SkinChoiceFilePath(), QSettings::IniFormat);
    file.setValue(kFlags, flags);
    if (colour) {
        file.setValue(kColour, QStringLiteral("#%1").arg(*colour, 8, 16, QLatin1Char('0')).toUpper());
        file.remove(kImage);
    } else {
        file.setValue(kImage, image);
        file.remove(kColour);
    }
}

bool IsUsableImage(const QString& image)
{
    if (image.isEmpty() || image.size() > kMaxImageLength || !q31::ui::ImageStringOfFile(image))
        return false;
    const QString path = QDir::isAbsolutePath(image) ? image : CPaintManagerUI::GetResourcePath() + image;
    return QFileInfo(path).isFile();
}

}  // namespace

QString SkinChoiceFilePath()
{
    return QDir(UserDataRoot()).filePath(QStringLiteral("main.ini"));
}

void StoreSkinChoice(const SkinChangedParam& choice)
{
    Write(QStringLiteral("1"), choice.image, choice.colourChosen ? std::optional(choice.colour) : std::nullopt);
}

void StoreSkinReset()
{
    Write(QStringLiteral("0"), QString::fromLatin1(kDefaultSkinImage), std::nullopt);
}

std::optional<SkinChangedParam> ReadSkinChoice()
{
    const QSettings file(SkinChoiceFilePath(), QSettings::IniFormat);
    if (file.value(kFlags).toString() != QLatin1String("1"))
        return std::nullopt;
    if (file.contains(kColour)) {
        const std::optional<DWORD> colour = q31::ui::ParseColourValue(file.value(kColour).toString());
        if (!colour)
            return std::nullopt;
        return SkinChangedParam{true, *colour, QString()};
    }
    const QString image = file.value(kImage).toString();
    if (!IsUsableImage(image))
        return std::nullopt;
    return SkinChangedParam{false, 0, image};
}

}  // namespace q31::app
