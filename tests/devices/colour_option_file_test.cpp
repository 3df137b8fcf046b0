// The palette dialog's colour file in the user data folder, and what typed
// R/G/B texts stand for.
#include "devices/colour_channel_text.h"
#include "devices/colour_option_file.h"

#include "platform/folders.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

using namespace q31::devices;

class ColourOptionFileTest : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override
    {
        Remove();
        SetProgramDataFolder({});
    }

    static void Remove()
    {
        const QString path = ColourOptionFilePath();
        QFile::remove(path);
        for (const QString& kept : QDir(UserDataRoot()).entryList({QStringLiteral("color_option_info.config.bad*")}))
            QFile::remove(QDir(UserDataRoot()).filePath(kept));
    }

    static void WriteUserFile(const QByteArray& bytes)
    {
        QFile file(ColourOptionFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(ColourOptionFileTest, AMissingFileStartsAsTheShippedDefault)
{
    const Json::Value shipped = ParseJsonFile(DefaultColourOptionFilePath());
    ASSERT_TRUE(shipped.isObject());
    EXPECT_EQ(LoadColourOptionFile(), shipped);
    EXPECT_EQ(ParseJsonFile(ColourOptionFilePath()), shipped);
    EXPECT_EQ(StoredPresetIndex(shipped), 4);
    EXPECT_EQ(StoredCollectedSlots(shipped).size(), std::size_t(kColourSwatchCount));
}

TEST_F(ColourOptionFileTest, AFileThatDoesNotParseIsKeptAsBadBeforeTheDefaultReplacesIt)
{
    WriteUserFile("{\"coloroptioninfo\": [broken");
    EXPECT_TRUE(LoadColourOptionFile().isObject());
    EXPECT_EQ(Read(ColourOptionFilePath() + QStringLiteral(".bad")), QByteArray("{\"coloroptioninfo\": [broken"));
    EXPECT_EQ(ParseJsonFile(ColourOptionFilePath()), ParseJsonFile(DefaultColourOptionFilePath()));
}

TEST_F(ColourOptionFileTest, WithoutADefaultNothingIsWrittenAndTheFirstSaveBuildsTheFile)
{
    const TempFolder noData;
    SetProgramDataFolder(QString::fromStdString(noData.Path()));
    WriteUserFile("null");
    EXPECT_TRUE(LoadColourOptionFile().isNull());
    EXPECT_FALSE(QFile::exists(ColourOptionFilePath()));
    EXPECT_TRUE(QFile::exists(ColourOptionFilePath() + QStringLiteral(".bad")));

    ASSERT_TRUE(SavePresets({{0, 0xFFFF0000}, {19, 0xFF00FF00}}, 19));
    const Json::Value saved = ParseJsonFile(ColourOptionFilePath());
    EXPECT_EQ(saved["coloroptioninfo"]["palletDialogcoloroption"][0]["color"].asString(), "FFFF0000");
    EXPECT_EQ(saved["coloroptioninfo"]["palletDialogcoloroption"][19]["color"].asString(), "FF00FF00");
    EXPECT_EQ(StoredPresetIndex(saved), 19);
}

TEST_F(ColourOptionFileTest, SavesKeepTheOtherRowAndTheCollectedSelection)
{
    LoadColourOptionFile();
    ASSERT_TRUE(SaveCollectedSlots({{2, 0xFF0A0B0C, QStringLiteral("1")}, {3, 0xFFFFFFFF, QStringLiteral("0")}}, 2));
    ASSERT_TRUE(SavePresets({{1, 0xFF123456}}, 1));
    const Json::Value saved = ParseJsonFile(ColourOptionFilePath());
    EXPECT_EQ(StoredPresetIndex(saved), 1);
    EXPECT_TRUE(HasStoredCollectedSelection(saved));
    EXPECT_EQ(saved["coloroptioninfo"]["palletDialogcollectcoloroption_selectitem"].asInt(), 2);
    const std::vector<CollectedSlot> slotsRead = StoredCollectedSlots(saved);
    ASSERT_GT(slotsRead.size(), 3u);
    EXPECT_EQ(slotsRead[2].colour, 0xFF0A0B0Cu);
    EXPECT_TRUE(HoldsColour(slotsRead[2].userData));
    EXPECT_FALSE(HoldsColour(slotsRead[3].userData));
}

TEST_F(ColourOptionFileTest, StoredValuesOutsideTheirRangesAreNotTaken)
{
    Json::Value document;
    document["coloroptioninfo"]["palletDialogcoloroption_selectitem"] = 20;
    Json::Value& stored = document["coloroptioninfo"]["palletDialogcollectcoloroption"];
    stored[0]["color"] = "FF00FF00";
    stored[0]["UserData"] = "1";
    stored[1]["color"] = "not hex";
    stored[1]["UserData"] = "1";
    stored[2]["color"] = "1FF00FF00";
    stored[2]["UserData"] = "1";
    stored[3]["color"] = 12;
    stored[3]["UserData"] = "1";
    EXPECT_FALSE(StoredPresetIndex(document));
    EXPECT_FALSE(HasStoredCollectedSelection(document));

    const std::vector<CollectedSlot> read = StoredCollectedSlots(document);
    ASSERT_EQ(read.size(), 4u);
    EXPECT_TRUE(HoldsColour(read[0].userData));
    // A colour that is no hexadecimal number leaves its slot empty.
    for (std::size_t i = 1; i < read.size(); ++i) {
        EXPECT_FALSE(HoldsColour(read[i].userData)) << i;
        EXPECT_EQ(read[i].colour, 0u) << i;
    }
}

TEST(ColourHexTest, EightUpperCaseDigitsMostSignificantFirst)
{
    EXPECT_EQ(ColourHexText(0xFF00FF00), QStringLiteral("FF00FF00"));
    EXPECT_EQ(ColourHexText(0x0000000A), QStringLiteral("0000000A"));
    EXPECT_EQ(ParseColourHex(QStringLiteral("ff00ff00")), 0xFF00FF00u);
    EXPECT_EQ(ParseColourHex(QStringLiteral("A")), 0xAu);
    EXPECT_FALSE(ParseColourHex(QString()));
    EXPECT_FALSE(ParseColourHex(QStringLiteral("0x12")));
    EXPECT_FALSE(ParseColourHex(QStringLiteral("-1")));
}

TEST(ColourChannelTextTest, TypedValuesStayWithinAByte)
{
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("128")), 128);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral(" 7 ")), 7);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("0255")), 255);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("300")), 255);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("99999999999999999999999")), 255);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("-5")), 0);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("-99999999999999999999999")), 0);
    EXPECT_EQ(ChannelValueOfText(QString()), 0);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("abc")), 0);
    EXPECT_EQ(ChannelValueOfText(QStringLiteral("12a")), 0);
}

}  // namespace
}  // namespace q31::test
