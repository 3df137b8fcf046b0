// Names, ids and their encodings.
#include "profiles/profile_id.h"
#include "profiles/profile_text.h"
#include "tests/common/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(ProfileTextTest, ConvertsBetweenUtf16AndUtf8)
{
    const QString name = QString::fromUtf8("profile é 游戏 🎮");
    const std::string utf8 = Utf8FromWide(name);
    EXPECT_EQ(utf8, "profile \xC3\xA9 \xE6\xB8\xB8\xE6\x88\x8F \xF0\x9F\x8E\xAE");
    EXPECT_EQ(WideFromUtf8(utf8), name);
}

TEST(ProfileTextTest, BaseNameAndBlankNames)
{
    EXPECT_EQ(FileBaseName("/home/u/Gaming.json"), "Gaming");
    EXPECT_EQ(FileBaseName("/home/u/my.best.json"), "my.best");
    EXPECT_EQ(FileBaseName("Gaming"), "Gaming");
    EXPECT_TRUE(IsBlankName(""));
    EXPECT_TRUE(IsBlankName(" \t\n"));
    EXPECT_TRUE(IsBlankName(QString(QChar(0x3000))));  // ideographic space
    EXPECT_FALSE(IsBlankName(" a "));
}

TEST(ProfileIdTest, IdsHaveTheTimestampFormatAndNeverRepeat)
{
    const QRegularExpression format("^\\d{4}_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d_\\d\\d\\d$");
    QSet<QString> ids;
    // Far more ids than milliseconds pass while they are made.
    for (int i = 0; i < 5000; ++i) {
        const QString id = MakeTimestampId();
        ASSERT_TRUE(format.match(id).hasMatch()) << id.toStdString();
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 5000);
}

TEST(ProfileIdTest, FreeIdAvoidsDocumentsOnDisk)
{
    const q31::test::TempFolder folder;
    const QDir dir(QString::fromStdString(folder.Path()));
    // Documents for every millisecond of the next three seconds: the ids the
    // clock alone would give next are all taken.
    const QDateTime now = QDateTime::currentDateTime();
    QSet<QString> taken;
    for (int ms = 0; ms < 3000; ++ms) {
        const QString id = now.addMSecs(ms).toString("yyyy_MM_dd_HH_mm_ss_zzz");
        taken.insert(id);
        QFile file(dir.filePath(id + ".Json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString id = q31::MakeFreeProfileId(dir.path());
    EXPECT_FALSE(taken.contains(id)) << id.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(id + ".Json")));
}

}  // namespace
