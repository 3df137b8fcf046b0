// The image-string parser, including strings a skin author gets wrong.
#include "ui/image_string.h"

#include <gtest/gtest.h>

using q31::ui::ParseImageString;

TEST(ImageString, BareFileNameIsTheFile)
{
    const auto info = ParseImageString(QStringLiteral("  common/base1.png "));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->sFile, QStringLiteral("common/base1.png"));
    EXPECT_TRUE(info->rcSource.isNull());
    EXPECT_TRUE(info->rcDest.isNull());
    EXPECT_EQ(info->uFade, 255);
}

TEST(ImageString, AllAttributes)
{
    const auto info = ParseImageString(
        QStringLiteral("file='power/power.png' source='0,0,10,20' dest=\"2,3,12,13\" corner='1,2,3,4' "
                       "mask='#FF00FF' fade='128' hole='true' xtiled='TRUE' ytiled='false' unknown='kept quiet'"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->sFile, QStringLiteral("power/power.png"));
    EXPECT_EQ(info->rcSource, QRect(0, 0, 10, 20));
    EXPECT_EQ(info->rcDest, QRect(2, 3, 10, 10));
    EXPECT_EQ(info->rcCorner, QMargins(1, 2, 3, 4));
    ASSERT_TRUE(info->mask);
    EXPECT_EQ(*info->mask, 0xFFFF00FFu);
    EXPECT_EQ(info->uFade, 128);
    EXPECT_TRUE(info->bHole);
    EXPECT_TRUE(info->bTiledX);
    EXPECT_FALSE(info->bTiledY);
}

TEST(ImageString, FileNamesMayHoldSpacesAndEqualSigns)
{
    const auto info = ParseImageString(QStringLiteral("file='key light/a=b.svg'"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->sFile, QStringLiteral("key light/a=b.svg"));
}

TEST(ImageString, MalformedStringsAreRejectedWithAReason)
{
    const char* malformed[] = {
        "",                                       // nothing
        "file='a.png",                            // unterminated
        "file=a.png",                             // not quoted
        "file='a.png' source",                    // attribute without value
        "file='a.png' source='1,2,3'",            // three numbers
        "file='a.png' source='1,2,x,4'",          // not a number
        "file='a.png' source='10,0,5,5'",         // right before left
        "file='a.png' fade='300'",                // fade out of range
        "file='a.png' fade='half'",
        "file='a.png' mask='#12345'",             // bad colour
        "file='a.png' corner='1,2'",
        "source='0,0,1,1'",                       // no file
        "='a.png'",                               // no name
    };
    for (const char* text : malformed) {
        QString error;
        EXPECT_FALSE(ParseImageString(QString::fromLatin1(text), &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(ImageString, AnyFilePathBecomesAStringThatDrawsExactlyThatFile)
{
    for (const char* path : {"/home/a/my pictures/sky=blue.png", "/home/a/it's.png", "/home/a/\"quoted\".png",
                             " leading space.png"}) {
        const auto image = q31::ui::ImageStringOfFile(QString::fromUtf8(path));
        ASSERT_TRUE(image) << path;
        const auto info = ParseImageString(*image);
        ASSERT_TRUE(info) << path;
        EXPECT_EQ(info->sFile, QString::fromUtf8(path));
        EXPECT_TRUE(info->rcDest.isNull());
    }
    EXPECT_FALSE(q31::ui::ImageStringOfFile(QStringLiteral("/home/a/it's \"odd\".png")));
}
