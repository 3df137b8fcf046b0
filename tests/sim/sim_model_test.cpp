// Reading the declarative model descriptions.
#include "sim/sim_model.h"

#include <gtest/gtest.h>

namespace q31::sim::test {
namespace {

TEST(SimModels, TheShippedDescriptionsAllLoad)
{
    QString error;
    const auto models = LoadSimModels(SimModelFolder(), &error);
    ASSERT_TRUE(models) << error.toStdString();
    EXPECT_EQ(models->size(), 6u);
}

TEST(SimModels, BuildsTheInformationRecordFromNamedFields)
{
    QString error;
    const auto model = ParseSimModel("m", R"({"deviceType": 2, "deviceInfo": {"macroMemoryBlocks": 8, "bytes": {"0": 7}},
        "dpi": {"step": 50, "highestIndex": 300, "lowestDpi": 100, "sensorId": "0x1234"},
        "keyMap": ["10 01 00", "10 02 00"], "keyLightMap": [4, 5]})", &error);
    ASSERT_TRUE(model) << error.toStdString();
    const auto& info = model->factoryMemory.at(Region::DeviceInfo);
    ASSERT_EQ(info.size(), 34u);
    EXPECT_EQ(info[0], 7);
    EXPECT_EQ(info[5], 2);
    EXPECT_EQ(info[6], 8);
    EXPECT_EQ(std::vector<std::uint8_t>(info.begin() + 9, info.begin() + 16),
              (std::vector<std::uint8_t>{0x34, 0x12, 50, 0x2C, 0x01, 100, 0}));
    EXPECT_EQ(model->factoryMemory.at(Region::Macros).size(), 8u * 128);
}

TEST(SimModels, RefusesDescriptionsThatCannotBeRight)
{
    const char* broken[] = {
        R"({"deviceType": 4})",                                            // not in the catalogue
        R"({"deviceType": 1, "keyMap": ["20 00"]})",                       // not three bytes
        R"({"deviceType": 1, "keyMap": ["20 00 zz"], "keyLightMap": [0]})",  // not hexadecimal
        R"({"deviceType": 1, "keyMap": ["20 00 04"], "keyLightMap": []})",   // no light index
        R"({"deviceType": 1, "deviceInfo": {"bytes": {"5": 1}}})",           // owned by the key map
        R"({"deviceType": 3, "parameterMemory": {"size": 4, "contents": {"2": "01 02 03"}}})",
        R"({"deviceType": 3, "status": {"battery": 101}})",
        R"([1, 2])",
        R"({"deviceType": )",
    };
    for (const char* json : broken) {
        QString error;
        EXPECT_FALSE(ParseSimModel("broken", json, &error)) << json;
        EXPECT_TRUE(error.contains(QStringLiteral("broken"))) << error.toStdString();
    }
}

}  // namespace
}  // namespace q31::sim::test
