// The shipped effect list: every kind has its list, each names every mode with
// its code, and each name has its texts.
#include "devices/light_mode_codes.h"
#include "hid/hid_catalogue.h"
#include "platform/folders.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

const Json::Value& EffectList(const Json::Value& file, Json::ArrayIndex kind)
{
    return file["DefaultLightName"][kind];
}

TEST(EffectListFileTest, TheKeyboardAndMouseListsNameEveryModeByItsIndex)
{
    const Json::Value file = ParseJsonFile(DefaultDataFolder() + QStringLiteral("/default_light.json"));
    ASSERT_TRUE(file.isObject());
    ASSERT_EQ(file["DefaultLightName"].size(), 4u);
    ASSERT_EQ(file["AreaLightName"].size(), 4u);
    const Json::ArrayIndex sizes[] = {31, 10, 9, 9};
    for (Json::ArrayIndex kind = 0; kind < 4; ++kind) {
        const Json::Value& list = EffectList(file, kind);
        ASSERT_TRUE(list.isArray()) << kind;
        ASSERT_EQ(list.size(), sizes[kind]) << kind;
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            EXPECT_TRUE(list[i]["LightName"].isString()) << kind << " " << i;
            EXPECT_TRUE(list[i]["visible"].isBool()) << kind << " " << i;
            EXPECT_EQ(list[i]["value"].asInt(), int(i)) << kind << " " << i;
        }
        EXPECT_TRUE(file["AreaLightName"][kind].isArray()) << kind;
    }
    const std::vector<std::uint8_t> codes =
        ReadLightModeCodes(DefaultDataFolder() + QStringLiteral("/default_light.json"), kKindKeyboard);
    ASSERT_EQ(codes.size(), 31u);
    EXPECT_EQ(codes[30], 30);
}

TEST(EffectListFileTest, TheMousePadAndHeadsetShareNineEffectsWithTheCustomOneHidden)
{
    const QString path = DefaultDataFolder() + QStringLiteral("/default_light.json");
    const std::vector<EffectListEntry> pad = ReadEffectList(path, kKindMousePad);
    ASSERT_EQ(pad.size(), 9u);
    EXPECT_EQ(ReadEffectList(path, kKindHeadset), pad);
    for (std::size_t i = 0; i < pad.size(); ++i) {
        EXPECT_EQ(pad[i].code, i);
        EXPECT_EQ(pad[i].visible, i != 5) << i;
    }
    EXPECT_EQ(pad[0].name, QStringLiteral("light_effect_flow"));
    EXPECT_EQ(pad[8].name, QStringLiteral("light_effect_off"));
}

TEST(EffectListFileTest, ABrokenEntryIsStillAnEntryAndAMissingKindHasNone)
{
    const test::TempFolder folder;
    const QString path = QString::fromStdString(folder.Path() + "/effects.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"DefaultLightName": [[{"LightName": 5, "value": "x"}, {"LightName": "a", "visible": false, "value": 300}]]})");
    file.close();
    const std::vector<EffectListEntry> entries = ReadEffectList(path, 0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], (EffectListEntry{QString(), true, 0}));
    EXPECT_EQ(entries[1], (EffectListEntry{QStringLiteral("a"), false, 300 & 0xFF}));
    EXPECT_TRUE(ReadEffectList(path, 1).empty());
    EXPECT_TRUE(ReadEffectList(path, -1).empty());
}

TEST(EffectListFileTest, EveryEffectNameHasItsTextInEachLanguage)
{
    const Json::Value file = ParseJsonFile(DefaultDataFolder() + QStringLiteral("/default_light.json"));
    for (const char* language : {"en.json", "zh_CN.json"}) {
        const Json::Value texts = ParseJsonFile(SkinFolder() + QStringLiteral("/lang/") + QLatin1String(language));
        ASSERT_TRUE(texts.isObject()) << language;
        for (const Json::Value& list : file["DefaultLightName"]) {
            for (const Json::Value& effect : list) {
                const std::string key = effect["LightName"].asString();
                EXPECT_TRUE(texts[key].isString() && !texts[key].asString().empty()) << language << " " << key;
            }
        }
    }
}

}  // namespace
}  // namespace q31::devices
