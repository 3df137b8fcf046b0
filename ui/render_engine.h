#pragma once
// Drawing for controls: images from the skin folder (raster or SVG), colours,
// frames and text on a QPainter. Colours are 0xAARRGGBB.
#include "platform/win_types.h"
#include "ui/image_string.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

class CRenderEngine {
public:
    // Draws an image into rcItem (or its dest part). With tint the image's shape
    // is filled with tintColour at level/255 brightness; the tint colour is laid
    // out as the device pages compose it: red | blue << 8 | green << 16.
    // False when the image cannot be loaded.
    static bool DrawImage(QPainter& painter, const QRect& rcItem, const TDrawInfo& info, DWORD tintColour = 0,
                          int level = 0, bool tint = false);
    // The same from an image string; a malformed string draws nothing. modify
    // holds attributes that override the image string's ("dest='0,0,8,8'").
    static bool DrawImageString(QPainter& painter, const QRect& rcItem, const QString& image,
                                const QString& modify = QString(), DWORD tintColour = 0, int level = 0,
                                bool tint = false);
    static void DrawColor(QPainter& painter, const QRect& rc, DWORD colour);
    static void DrawRect(QPainter& painter, const QRect& rc, int size, DWORD colour);
    // flags: Qt alignment and text flags.
    static void DrawTextW(QPainter& painter, const QRect& rc, const QString& text, DWORD colour, const QFont& font,
                          int flags = Qt::AlignLeft | Qt::AlignVCenter);

    // The parsed image string, parsed once; empty when malformed.
    static std::optional<TDrawInfo> ParseCached(const QString& image);
    // Images are cached at the size they were drawn; a DPI change drops them.
    static void ClearImageCache();
};
