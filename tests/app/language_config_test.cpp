#include "app/language_config.h"
#include "platform/folders.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace q31::app;

TEST(LanguageConfig, ShippedLanguagesNameFilesOfTheSkin)
{
    const std::vector<LanguageEntry> languages = ReadLanguageConfig();
    ASSERT_GE(languages.size(), 2u);
    EXPECT_EQ(languages[0].id, 1033u);
    EXPECT_EQ(languages[1].id, 2052u);
    for (const LanguageEntry& language : languages)
        EXPECT_TRUE(QFileInfo::exists(q31::SkinFolder() + QStringLiteral("/lang/") + language.file))
            << language.file.toStdString();
}

TEST(LanguageConfig, ChosenIdPicksItsEntryAndAnythingElsePicksTheFirst)
{
    const std::vector<LanguageEntry> languages = {{"English", "en.json", 1033, {}}, {"Chinese", "zh_CN.json", 2052, {}}};
    EXPECT_EQ(LanguageIndexFor(languages, 2052), 1);
    EXPECT_EQ(LanguageIndexFor(languages, 1033), 0);
    EXPECT_EQ(LanguageIndexFor(languages, 1041), 0);
    EXPECT_EQ(LanguageIndexFor(languages, std::nullopt), 0);
    EXPECT_EQ(LanguageIndexFor({}, 2052), 0);
}

TEST(LanguageConfig, FontsAreRebuiltAroundTheLanguagesWithTheirOwnFaces)
{
    EXPECT_FALSE(LanguageNeedsFontRebuild(3, 1));
    EXPECT_TRUE(LanguageNeedsFontRebuild(3, 0));
    EXPECT_TRUE(LanguageNeedsFontRebuild(3, -1));
    EXPECT_TRUE(LanguageNeedsFontRebuild(15, 1));
    EXPECT_TRUE(LanguageNeedsFontRebuild(1, 2));
}
