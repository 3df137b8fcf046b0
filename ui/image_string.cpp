#include "ui/image_string.h"

#include "ui/colour_value.h"

#include <QStringList>

namespace q31::ui {
namespace {

std::optional<QRect> ParseRect(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (values[2] < values[0] || values[3] < values[1])
        return std::nullopt;
    return QRect(QPoint(values[0], values[1]), QPoint(values[2] - 1, values[3] - 1));
}

bool ParseBool(const QString& text) { return text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0; }

// Applies one attribute; false when its value is malformed.
bool Apply(TDrawInfo& info, const QString& key, const QString& value)
{
    if (key == QLatin1String("file") || key == QLatin1String("res")) {
        info.sFile = value;
        return true;
    }
    if (key == QLatin1String("dest") || key == QLatin1String("source")) {
        const std::optional<QRect> rect = ParseRect(value);
        if (rect)
            (key == QLatin1String("dest") ? info.rcDest : info.rcSource) = *rect;
        return rect.has_value();
    }
    if (key == QLatin1String("corner")) {
        const QStringList parts = value.split(QLatin1Char(','));
        int margins[4];
        bool ok = parts.size() == 4;
        for (int i = 0; ok && i < 4; ++i)
            margins[i] = parts[i].trimmed().toInt(&ok);
        if (ok)
            info.rcCorner = QMargins(margins[0], margins[1], margins[2], margins[3]);
        return ok;
    }
    if (key == QLatin1String("mask")) {
        const std::optional<DWORD> colour = ParseColourValue(value);
        if (colour)
            info.mask = *colour;
        return colour.has_value();
    }
    if (key == QLatin1String("fade")) {
        bool ok = false;
        info.uFade = value.trimmed().toInt(&ok);
        return ok && info.uFade >= 0 && info.uFade <= 255;
    }
    if (key == QLatin1String("hole"))
        info.bHole = ParseBool(value);
    else if (key == QLatin1String("xtiled"))
        info.bTiledX = ParseBool(value);
    else if (key == QLatin1String("ytiled"))
        info.bTiledY = ParseBool(value);
    return true;
}

std::optional<TDrawInfo> Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

}  // namespace

std::optional<TDrawInfo> ParseImageString(const QString& image, QString* error)
{
    const QString text = image.trimmed();
    TDrawInfo info;
    if (!text.contains(QLatin1Char('=')) && !text.contains(QLatin1Char('\''))) {
        info.sFile = text;
        return text.isEmpty() ? Fail(error, QStringLiteral("no image file")) : std::optional(info);
    }
    qsizetype pos = 0;
    while (pos < text.size()) {
        if (text[pos].isSpace()) {
            ++pos;
            continue;
        }
        const qsizetype equals = text.indexOf(QLatin1Char('='), pos);
        if (equals < 0)
            return Fail(error, QStringLiteral("'=' missing after \"%1\"").arg(text.mid(pos)));
        const QString key = text.mid(pos, equals - pos).trimmed().toLower();
        if (key.isEmpty() || key.contains(QLatin1Char(' ')))
            return Fail(error, QStringLiteral("bad attribute name at %1").arg(pos));
        const qsizetype open = equals + 1;
        if (open >= text.size() || (text[open] != QLatin1Char('\'') && text[open] != QLatin1Char('"')))
            return Fail(error, QStringLiteral("value of %1 is not quoted").arg(key));
        const qsizetype close = text.indexOf(text[open], open + 1);
        if (close < 0)
            return Fail(error, QStringLiteral("value of %1 is not terminated").arg(key));
        const QString value = text.mid(open + 1, close - open - 1);
        if (!Apply(info, key, value))
            return Fail(error, QStringLiteral("bad value '%1' for %2").arg(value, key));
        pos = close + 1;
    }
    if (info.sFile.isEmpty())
        return Fail(error, QStringLiteral("no image file"));
    return info;
}

std::optional<QString> ImageStringOfFile(const QString& file)
{
    for (const QChar quote : {QLatin1Char('\''), QLatin1Char('"')}) {
        if (!file.contains(quote))
            return QStringLiteral("file=") + quote + file + quote;
    }
    return std::nullopt;
}

}  // namespace q31::ui
