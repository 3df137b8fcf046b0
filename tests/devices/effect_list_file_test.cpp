// The shipped effect list: every kind has its list, the keyboard's and the
// mouse's name every mode with its code, and each name has its texts.
#include "devices/light_mode_codes.h"
#include "hid/hid_catalogue.h"
#include "platform/folders.h"
#include "profiles/json_file.h"

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
    const Json::ArrayIndex sizes[] = {31, 10, 0, 0};
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
