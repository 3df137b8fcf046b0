// What the user reads after a macro block that could not be written.
#include "devices/macro_write_message.h"

#include <gtest/gtest.h>

namespace q31::test {
namespace {

using devices::MacroWriteMessage;
using devices::WithCountFilledIn;

TEST(MacroWriteMessageTest, TheCountGoesWhereTheTextSaysPercentD)
{
    EXPECT_EQ(WithCountFilledIn(QStringLiteral("About %d events too many."), 12),
              QStringLiteral("About 12 events too many."));
    EXPECT_EQ(WithCountFilledIn(QStringLiteral("%d / %d"), 3), QStringLiteral("3 / 3"));
    EXPECT_EQ(WithCountFilledIn(QStringLiteral("No count here"), 3), QStringLiteral("No count here"));
}

TEST(MacroWriteMessageTest, OtherFormatSequencesOfATranslationStayAsTheyAre)
{
    const QString translated = QStringLiteral("%s %n %x %1 %% 超出 %d 个");
    EXPECT_EQ(WithCountFilledIn(translated, 7), QStringLiteral("%s %n %x %1 %% 超出 7 个"));
}

TEST(MacroWriteMessageTest, AWrittenBlockOrALinkFailureTellsTheUserNothing)
{
    EXPECT_TRUE(MacroWriteMessage(0).isEmpty());
    EXPECT_TRUE(MacroWriteMessage(-2).isEmpty());
    EXPECT_TRUE(MacroWriteMessage(-102).isEmpty());
}

}  // namespace
}  // namespace q31::test
