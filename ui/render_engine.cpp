#include "ui/render_engine.h"

#include "platform/debug_log.h"
#include "ui/paint_manager.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

#include <cmath>

namespace {

// One rendering of one part of an image file; built on every draw, so it is
// compared as it is rather than formatted into text.
struct ImageKey {
    QString path;
    QSize pixels;
    double factor = 0;
    QRect source;
    bool operator==(const ImageKey&) const = default;
};

size_t qHash(const ImageKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.path, key.pixels.width(), key.pixels.height(), key.factor, key.source.x(),
                      key.source.y(), key.source.width(), key.source.height());
}

QHash<ImageKey, QImage>& ImageCache()
{
    static QHash<ImageKey, QImage> cache;
    return cache;
}

QHash<QString, std::optional<TDrawInfo>>& ParseCache()
{
    static QHash<QString, std::optional<TDrawInfo>> cache;
    return cache;
}

QString SkinFile(const QString& file)
{
    return QDir::isAbsolutePath(file) ? file : CPaintManagerUI::GetResourcePath() + file;
}

double DpiScale(QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (device && device->devType() == QInternal::Widget)
        if (const CPaintManagerUI* manager = CPaintManagerUI::ForControl(static_cast<const QWidget*>(device)))
            return manager->GetDPIScale();
    return 1.0;
}

QRect ScaleRect(const QRect& rc, double scale)
{
    return QRect(int(std::lround(rc.x() * scale)), int(std::lround(rc.y() * scale)),
                 int(std::lround(rc.width() * scale)), int(std::lround(rc.height() * scale)));
}

struct LoadedImage {
    QImage image;
    double pixelsPerUnit = 1.0;  // image pixels per pixel of the skin's coordinates
};

QImage RenderSvg(const QString& path, const QRect& source, QSize pixels, double factor)
{
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return QImage();
    const QSize natural = source.isNull() ? svg.defaultSize() : source.size();
    if (pixels.isEmpty())
        pixels = (QSizeF(natural) * factor).toSize();
    if (pixels.isEmpty())
        return QImage();
    const double sx = pixels.width() / double(natural.width());
    const double sy = pixels.height() / double(natural.height());
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRectF whole(source.isNull() ? 0.0 : -source.x() * sx, source.isNull() ? 0.0 : -source.y() * sy,
                       svg.defaultSize().width() * sx, svg.defaultSize().height() * sy);
    svg.render(&painter, whole);
    return image;
}

// The source part of the image. SVG is rendered either to `pixels` or, when that
// is empty, at its natural size times factor; raster images keep their pixels.
LoadedImage LoadPart(const TDrawInfo& info, QSize pixels, double factor)
{
    const QString path = SkinFile(info.sFile);
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const ImageKey key{path, pixels, pixels.isEmpty() && svg ? factor : 0.0, info.rcSource};
    QImage image = ImageCache().value(key);
    if (image.isNull()) {
        if (svg) {
            image = RenderSvg(path, info.rcSource, pixels, factor);
        } else if (image.load(path) && !info.rcSource.isNull()) {
            image = image.copy(info.rcSource);
        }
        if (image.isNull()) {
            OutputDebugText(QStringLiteral("image: cannot load %1").arg(path));
            return {};
        }
        image = image.convertToFormat(QImage::Format_ARGB32);
        if (info.mask) {
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if ((line[x] | 0xFF000000u) == (*info.mask | 0xFF000000u))
                        line[x] = 0;
            }
        }
        // Painting and tinting work on premultiplied pixels; convert once here.
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ImageCache().insert(key, image);
    }
    return {image, svg && pixels.isEmpty() ? factor : 1.0};
}

QColor TintColour(DWORD colour, int level)
{
    const double brightness = std::clamp(level, 0, 255) / 255.0;
    const int red = colour & 0xFF, blue = (colour >> 8) & 0xFF, green = (colour >> 16) & 0xFF;
    return QColor(int(red * brightness), int(green * brightness), int(blue * brightness));
}

// The colour through the image's alpha. Done by hand: a painter on a small
// image costs more than the pixels, and lit keys are tinted on every repaint.
QImage Tinted(const QImage& image, const QColor& colour)
{
    QImage tinted(image.size(), QImage::Format_ARGB32_Premultiplied);
    tinted.setDevicePixelRatio(image.devicePixelRatio());
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int red = colour.red(), green = colour.green(), blue = colour.blue();
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(tinted.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(from[x]);
            to[x] = qRgba(red * alpha / 255, green * alpha / 255, blue * alpha / 255, alpha);
        }
    }
    return tinted;
}

// Nine parts: corners at their size, edges stretched one way, the middle both ways.
void DrawNinePatch(QPainter& painter, const QRect& dest, const QImage& image, const QMargins& source,
                   const QMargins& target, bool hole)
{
    const int sx[4] = {0, source.left(), image.width() - source.right(), image.width()};
    const int sy[4] = {0, source.top(), image.height() - source.bottom(), image.height()};
    const int dx[4] = {dest.left(), dest.left() + target.left(), dest.right() + 1 - target.right(), dest.right() + 1};
    const int dy[4] = {dest.top(), dest.top() + target.top(), dest.bottom() + 1 - target.bottom(), dest.bottom() + 1};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            if (hole && row == 1 && column == 1)
                continue;
            const QRect from(QPoint(sx[column], sy[row]), QPoint(sx[column + 1] - 1, sy[row + 1] - 1));
            const QRect to(QPoint(dx[column], dy[row]), QPoint(dx[column + 1] - 1, dy[row + 1] - 1));
            if (from.isValid() && to.isValid())
                painter.drawImage(to, image, from);
        }
}

// A stretched frame drawn at one size, keyed by the image it was cut from.
struct PatchKey {
    qint64 image = 0;
    QMargins source, target;
    bool hole = false;
    QSize size;
    qreal ratio = 1;
    bool operator==(const PatchKey&) const = default;
};

size_t qHash(const PatchKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.image, key.source.left(), key.source.top(), key.target.left(), key.target.top(),
                      key.size.width(), key.size.height(), key.hole, key.ratio);
}

// Stretching a frame over a large panel is the costly part of drawing it, and
// panels repaint often under lights that change; the stretched result is kept.
// Only images that live in the image cache come here, so their keys stay valid.
const QImage& StretchedNinePatch(const QImage& image, const QMargins& source, const QMargins& target, bool hole,
                                 QSize size, qreal ratio)
{
    constexpr qsizetype kMaxKept = 64;
    static QHash<PatchKey, QImage> kept;
    const PatchKey key{image.cacheKey(), source, target, hole, size, ratio};
    auto it = kept.find(key);
    if (it == kept.end()) {
        if (kept.size() >= kMaxKept)
            kept.clear();
        QImage stretched((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        stretched.setDevicePixelRatio(ratio);
        stretched.fill(Qt::transparent);
        QPainter painter(&stretched);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        DrawNinePatch(painter, QRect(QPoint(0, 0), size), image, source, target, hole);
        it = kept.insert(key, stretched);
    }
    return *it;
}

}  // namespace

bool CRenderEngine::DrawImage(QPainter& painter, const QRect& rcItem, const TDrawInfo& info, DWORD tintColour,
                              int level, bool tint)
{
    const double scale = DpiScale(painter);
    const QRect dest = info.rcDest.isNull() ? rcItem : ScaleRect(info.rcDest, scale).translated(rcItem.topLeft());
    if (dest.isEmpty())
        return true;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const bool stretched = info.rcCorner.isNull() && !info.bTiledX && !info.bTiledY;
    LoadedImage loaded = LoadPart(info, stretched ? (QSizeF(dest.size()) * ratio).toSize() : QSize(), scale * ratio);
    QImage& image = loaded.image;
    if (image.isNull())
        return false;
    if (tint)
        image = Tinted(image, TintColour(tintColour, level));

    painter.save();
    painter.setOpacity(painter.opacity() * info.uFade / 255.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!info.rcCorner.isNull()) {
        const auto times = [](const QMargins& m, double f) {
            return QMargins(int(std::lround(m.left() * f)), int(std::lround(m.top() * f)),
                            int(std::lround(m.right() * f)), int(std::lround(m.bottom() * f)));
        };
        const QMargins source = times(info.rcCorner, loaded.pixelsPerUnit), target = times(info.rcCorner, scale);
        if (tint)
            DrawNinePatch(painter, dest, image, source, target, info.bHole);
        else
            painter.drawImage(dest.topLeft(), StretchedNinePatch(image, source, target, info.bHole, dest.size(), ratio));
    } else if (info.bTiledX || info.bTiledY) {
        painter.drawTiledPixmap(dest, QPixmap::fromImage(image));
    } else {
        painter.drawImage(dest, image);
    }
    painter.restore();
    return true;
}

std::optional<TDrawInfo> CRenderEngine::ParseCached(const QString& image)
{
    auto it = ParseCache().find(image);
    if (it == ParseCache().end()) {
        QString error;
        std::optional<TDrawInfo> parsed = q31::ui::ParseImageString(image, &error);
        if (!parsed)
            OutputDebugText(QStringLiteral("image string \"%1\": %2").arg(image, error));
        it = ParseCache().insert(image, parsed);
    }
    return *it;
}

bool CRenderEngine::DrawImageString(QPainter& painter, const QRect& rcItem, const QString& image,
                                    const QString& modify, DWORD tintColour, int level, bool tint)
{
    if (QStringView(image).trimmed().isEmpty())
        return true;
    // A bare file name cannot take attributes after it; quote it first.
    QString full = image;
    if (!modify.isEmpty())
        full = (image.contains(QLatin1Char('=')) ? image : QStringLiteral("file='%1'").arg(image)) +
               QLatin1Char(' ') + modify;
    const std::optional<TDrawInfo> info = ParseCached(full);
    return info && DrawImage(painter, rcItem, *info, tintColour, level, tint);
}

void CRenderEngine::DrawColor(QPainter& painter, const QRect& rc, DWORD colour)
{
    painter.fillRect(rc, QColor::fromRgba(colour));
}

void CRenderEngine::DrawRect(QPainter& painter, const QRect& rc, int size, DWORD colour)
{
    if (size <= 0)
        return;
    painter.save();
    QPen pen(QColor::fromRgba(colour));
    pen.setWidth(size);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int inset = size / 2;
    painter.drawRect(rc.adjusted(inset, inset, -(size - inset), -(size - inset)));
    painter.restore();
}

void CRenderEngine::DrawTextW(QPainter& painter, const QRect& rc, const QString& text, DWORD colour,
                              const QFont& font, int flags)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(colour));
    painter.drawText(rc, flags, text);
    painter.restore();
}

void CRenderEngine::ClearImageCache()
{
    ImageCache().clear();
}
