// Drawing images from the skin folder: parts, masks, tint and broken images.
#include "tests/ui/ui_test_support.h"
#include "ui/render_engine.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using q31::test::TestSkin;

namespace {

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRenderEngine::ClearImageCache();
        QImage halves(10, 10, QImage::Format_ARGB32);
        halves.fill(Qt::red);
        for (int y = 0; y < 10; ++y)
            for (int x = 5; x < 10; ++x)
                halves.setPixel(x, y, qRgb(255, 0, 255));
        skin.Write(QStringLiteral("img/halves.png"), Png(halves));
        skin.Write(QStringLiteral("img/square.svg"),
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
                   "<rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"#ffffff\"/></svg>");
        canvas.fill(Qt::black);
    }

    QRgb At(int x, int y) const { return canvas.pixel(x, y); }

    TestSkin skin;
    QImage canvas{20, 20, QImage::Format_ARGB32};
};

}  // namespace

TEST_F(Drawing, SourcePartAndMask)
{
    QPainter painter(&canvas);
    EXPECT_TRUE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 20, 20),
                                               QStringLiteral("file='img/halves.png' source='0,0,5,10'")));
    painter.end();
    EXPECT_EQ(At(15, 10), qRgb(255, 0, 0));

    canvas.fill(Qt::black);
    painter.begin(&canvas);
    CRenderEngine::DrawImageString(painter, QRect(0, 0, 20, 20),
                                   QStringLiteral("file='img/halves.png' mask='#FF00FF'"));
    painter.end();
    EXPECT_EQ(At(2, 10), qRgb(255, 0, 0));
    EXPECT_EQ(At(17, 10), qRgb(0, 0, 0));  // keyed out: the canvas shows through
}

TEST_F(Drawing, DestIsRelativeToTheControl)
{
    QPainter painter(&canvas);
    CRenderEngine::DrawImageString(painter, QRect(4, 4, 16, 16), QStringLiteral("img/square.svg"),
                                   QStringLiteral("dest='0,0,4,4'"));
    painter.end();
    EXPECT_EQ(At(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(At(9, 9), qRgb(0, 0, 0));
    EXPECT_EQ(At(2, 2), qRgb(0, 0, 0));
}

TEST_F(Drawing, TintUsesTheLightColourLayoutAndLevel)
{
    // Red 0x20, green 0x40, blue 0x80 as the device pages compose it: R | B << 8 | G << 16.
    const DWORD colour = 0x20 | (0x80 << 8) | (0x40 << 16);
    QPainter painter(&canvas);
    CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10), QStringLiteral("img/square.svg"), QString(), colour,
                                   255, true);
    CRenderEngine::DrawImageString(painter, QRect(10, 0, 10, 10), QStringLiteral("img/square.svg"), QString(), colour,
                                   128, true);
    CRenderEngine::DrawImageString(painter, QRect(0, 10, 10, 10), QStringLiteral("img/square.svg"), QString(), colour,
                                   0, false);
    painter.end();
    EXPECT_EQ(At(5, 5), qRgb(0x20, 0x40, 0x80));
    EXPECT_EQ(At(15, 5), qRgb(0x10, 0x20, 0x40));
    EXPECT_EQ(At(5, 15), qRgb(255, 255, 255));
}

TEST_F(Drawing, FadeAndBrokenImages)
{
    QPainter painter(&canvas);
    EXPECT_TRUE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10),
                                               QStringLiteral("file='img/square.svg' fade='0'")));
    EXPECT_FALSE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10), QStringLiteral("file='img/none.png'")));
    EXPECT_FALSE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10), QStringLiteral("file='img/square.svg")));
    EXPECT_TRUE(CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10), QString()));
    painter.end();
    EXPECT_EQ(At(5, 5), qRgb(0, 0, 0));
}

TEST_F(Drawing, ColourFrameAndText)
{
    QPainter painter(&canvas);
    CRenderEngine::DrawColor(painter, QRect(0, 0, 20, 20), 0xFF102030u);
    CRenderEngine::DrawRect(painter, QRect(0, 0, 20, 20), 2, 0xFF00FFB4u);
    painter.end();
    EXPECT_EQ(At(10, 10), qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(At(0, 10), qRgb(0x00, 0xFF, 0xB4));
    EXPECT_EQ(At(19, 10), qRgb(0x00, 0xFF, 0xB4));
}

TEST_F(Drawing, AFrameStretchedToOneSizeIsDrawnAgainAtAnother)
{
    // A white frame of width 2 around a red middle, stretched by its corners.
    skin.Write(QStringLiteral("img/frame.svg"),
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"6\" height=\"6\">"
               "<rect width=\"6\" height=\"6\" fill=\"#ffffff\"/><rect x=\"2\" y=\"2\" width=\"2\" height=\"2\" "
               "fill=\"#ff0000\"/></svg>");
    const QString frame = QStringLiteral("file='img/frame.svg' corner='2,2,2,2'");
    for (const int size : {20, 10, 20}) {
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        CRenderEngine::DrawImageString(painter, QRect(0, 0, size, size), frame);
        painter.end();
        EXPECT_EQ(At(size / 2, size / 2), qRgb(255, 0, 0)) << size;
        EXPECT_EQ(At(size - 1, size / 2), qRgb(255, 255, 255)) << size;
        EXPECT_EQ(At(size / 2, size - 2), qRgb(255, 255, 255)) << size;
        if (size < 20) {
            EXPECT_EQ(At(size + 2, size + 2), qRgb(0, 0, 0)) << size;
        }
    }
}

TEST_F(Drawing, TintKeepsTheImagesTransparency)
{
    skin.Write(QStringLiteral("img/half.svg"),
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
               "<rect width=\"10\" height=\"10\" fill=\"#ffffff\" fill-opacity=\"0.5\"/></svg>");
    QPainter painter(&canvas);
    CRenderEngine::DrawImageString(painter, QRect(0, 0, 10, 10), QStringLiteral("img/half.svg"), QString(), 0xC8, 255,
                                   true);
    painter.end();
    EXPECT_NEAR(qRed(At(5, 5)), 100, 2);
    EXPECT_EQ(qGreen(At(5, 5)), 0);
    EXPECT_EQ(qRed(At(15, 15)), 0);
}
