#pragma once
// The image-string syntax of skins and controls: a bare file name, or
// attributes such as "file='power/power.png' source='0,0,10,10' corner='2,2,2,2'
// mask='#FFFF00FF' fade='128'". Rectangles are "left,top,right,bottom".
#include <QMargins>
#include <QRect>
#include <QRgb>
#include <QString>

#include <optional>

struct TDrawInfo {
    QString sFile;             // under the skin folder
    QRect rcDest;              // relative to the control; null: the whole control
    QRect rcSource;            // part of the image; null: the whole image
    QMargins rcCorner;         // borders kept unstretched
    std::optional<QRgb> mask;  // pixels of this colour are transparent
    int uFade = 255;           // 0 transparent .. 255 opaque
    bool bHole = false;        // with corners: the middle is not drawn
    bool bTiledX = false;
    bool bTiledY = false;
};

namespace q31::ui {

// Empty (with the reason in error) when the string is malformed: an unterminated
// or missing quote, a value that is no number or rectangle, a fade outside
// 0..255, or no file. Unknown attributes are ignored.
std::optional<TDrawInfo> ParseImageString(const QString& image, QString* error = nullptr);
// The image string that draws the whole of one file, whatever its path holds;
// empty when the path has both kinds of quote, which no image string can carry.
std::optional<QString> ImageStringOfFile(const QString& file);

}  // namespace q31::ui
