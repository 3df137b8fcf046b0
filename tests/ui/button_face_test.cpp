// A button the theme draws shows its current state, text and theme, though its
// face is drawn once and then copied.
#include "ui/button_ui.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QRgb Centre(CButtonUI& button)
{
    const QImage image = button.grab().toImage();
    return image.pixel(image.width() / 2, 2);
}

}  // namespace

TEST(ButtonFace, FollowsStateTextAndTheme)
{
    CButtonUI button;
    button.resize(60, 24);
    button.setCheckable(true);
    button.setStyleSheet(QStringLiteral("QPushButton { background: #102030; border: none; }"
                                        "QPushButton:checked { background: #00ff00; }"));
    EXPECT_EQ(Centre(button), qRgb(0x10, 0x20, 0x30));

    button.setChecked(true);
    EXPECT_EQ(Centre(button), qRgb(0x00, 0xFF, 0x00));

    button.setStyleSheet(QStringLiteral("QPushButton { background: #405060; border: none; }"));
    EXPECT_EQ(Centre(button), qRgb(0x40, 0x50, 0x60));

    const QImage blank = button.grab().toImage();
    button.setText(QStringLiteral("W"));
    EXPECT_NE(button.grab().toImage(), blank);

    button.resize(80, 24);
    EXPECT_EQ(button.grab().toImage().width(), 80);
    EXPECT_EQ(Centre(button), qRgb(0x40, 0x50, 0x60));
}
