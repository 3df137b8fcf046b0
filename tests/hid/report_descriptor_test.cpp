#include "hid/report_decoding.h"
#include "hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/hid/test_descriptors.h"

using namespace q31::hid;
using q31::test::kHeadsetDescriptor;
using q31::test::kKeyboardInterfaceDescriptor;
using q31::test::kMouseDescriptor;

TEST(ReportDescriptor, SplitsTopLevelCollectionsWithTheirReports)
{
    const auto descriptor = ParseReportDescriptor(kKeyboardInterfaceDescriptor);
    ASSERT_TRUE(descriptor);
    EXPECT_TRUE(descriptor->usesReportIds);
    ASSERT_EQ(descriptor->collections.size(), 4u);

    const TopLevelCollection& consumer = descriptor->collections[2];
    EXPECT_EQ(consumer.usagePage, 0x000C);
    EXPECT_EQ(consumer.usage, 0x01);
    EXPECT_EQ(consumer.input.byteLength, 3);  // id + one 16-bit selector
    EXPECT_EQ(consumer.output.byteLength, 0);
    EXPECT_EQ(consumer.inputReportIds, std::vector<std::uint8_t>{3});

    const TopLevelCollection& vendor = descriptor->collections[3];
    EXPECT_EQ(vendor.usagePage, 0xFF1C);
    EXPECT_EQ(vendor.usage, 0x92);
    EXPECT_EQ(vendor.input.byteLength, 64);
    EXPECT_EQ(vendor.output.byteLength, 64);
    EXPECT_EQ(vendor.inputReportIds, std::vector<std::uint8_t>{4});

    // Constant padding gets no capability; the modifier bits are eight buttons.
    const TopLevelCollection& system = descriptor->collections[1];
    ASSERT_EQ(system.input.buttons.size(), 1u);
    EXPECT_EQ(system.input.buttons[0].usageMin, 0x81);
    EXPECT_EQ(system.input.buttons[0].usageMax, 0x83);
    EXPECT_EQ(descriptor->collections[0].input.buttons[0].reportCount, 8);
}

TEST(ReportDescriptor, ReportLengthsCountTheIdByteEvenWithoutIds)
{
    const auto descriptor = ParseReportDescriptor(kHeadsetDescriptor);
    ASSERT_TRUE(descriptor);
    EXPECT_FALSE(descriptor->usesReportIds);
    ASSERT_EQ(descriptor->collections.size(), 1u);
    EXPECT_EQ(descriptor->collections[0].input.byteLength, 2);
    EXPECT_EQ(descriptor->collections[0].output.byteLength, 17);
}

TEST(ReportDecoding, ArraySelectorGivesTheActiveUsage)
{
    const auto descriptor = ParseReportDescriptor(kKeyboardInterfaceDescriptor);
    ASSERT_TRUE(descriptor);
    const CollectionReports& consumer = descriptor->collections[2].input;
    std::vector<std::uint16_t> list(MaxUsageListLength(consumer, 0x0C), 0xEEEE);
    ASSERT_EQ(list.size(), 1u);
    std::uint32_t count = 0;

    const std::uint8_t press[] = {0x03, 0x01, 0x04};
    EXPECT_EQ(GetUsages(consumer, 0x0C, press, list, count), HidStatus::Success);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(list[0], 0x0401);

    // The logical range starts at 0, so the top bit belongs to the selector.
    const std::uint8_t highCode[] = {0x03, 0x01, 0x80};
    EXPECT_EQ(GetUsages(consumer, 0x0C, highCode, list, count), HidStatus::Success);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(list[0], 0x8001);

    const std::uint8_t release[] = {0x03, 0x00, 0x00};
    EXPECT_EQ(GetUsages(consumer, 0x0C, release, list, count), HidStatus::Success);
    EXPECT_EQ(count, 0u);

    const std::uint8_t otherReport[] = {0x04, 0x01, 0x04};
    EXPECT_EQ(GetUsages(consumer, 0x0C, otherReport, list, count), HidStatus::UsageNotFound);
    const std::uint8_t shortReport[] = {0x03, 0x01};
    EXPECT_EQ(GetUsages(consumer, 0x0C, shortReport, list, count), HidStatus::UsageNotFound);
}

TEST(ReportDecoding, ButtonsAndSignedScaledValues)
{
    const auto descriptor = ParseReportDescriptor(kMouseDescriptor);
    ASSERT_TRUE(descriptor);
    ASSERT_EQ(descriptor->collections.size(), 1u);  // the physical collection is nested
    const CollectionReports& input = descriptor->collections[0].input;
    EXPECT_EQ(input.byteLength, 4);

    const std::uint8_t report[] = {0x01, 0b101, static_cast<std::uint8_t>(-10), 127};
    std::vector<std::uint16_t> list(MaxUsageListLength(input, 0x09));
    std::uint32_t count = 0;
    EXPECT_EQ(GetUsages(input, 0x09, report, list, count), HidStatus::Success);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(list[0], 1);
    EXPECT_EQ(list[1], 3);

    std::uint32_t raw = 0;
    EXPECT_EQ(GetUsageValue(input, 0x01, 0x30, report, raw), HidStatus::Success);
    EXPECT_EQ(raw, 0xF6u);
    std::int32_t scaled = 0;
    EXPECT_EQ(GetScaledUsageValue(input, 0x01, 0x30, report, scaled), HidStatus::Success);
    EXPECT_EQ(scaled, -20);
    EXPECT_EQ(GetScaledUsageValue(input, 0x01, 0x31, report, scaled), HidStatus::Success);
    EXPECT_EQ(scaled, 254);
    EXPECT_EQ(GetUsageValue(input, 0x01, 0x38, report, raw), HidStatus::UsageNotFound);

    const std::uint8_t nullX[] = {0x01, 0, 0x80, 0};  // -128 lies outside -127..127
    EXPECT_EQ(GetScaledUsageValue(input, 0x01, 0x30, nullX, scaled), HidStatus::NullScaled);
}

TEST(ReportDescriptor, MalformedDescriptorsAreRejected)
{
    const std::vector<std::vector<std::uint8_t>> malformed = {
        {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x26, 0xFF},        // item cut short
        {0xC0},                                                  // end without collection
        {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01},                    // collection never closed
        {0xB4},                                                  // pop without push
        {0x05, 0x0C, 0xA1, 0x01, 0x85, 0x00, 0xC0},              // report id 0
        {0x75, 0x08, 0x95, 0x01, 0x81, 0x02},                    // field outside any collection
        {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0},  // 2^64 bits
        {0xFE, 0x10, 0x00, 0x01},                                // long item cut short
    };
    for (const auto& bytes : malformed)
        EXPECT_FALSE(ParseReportDescriptor(bytes)) << "descriptor of " << bytes.size() << " bytes";

    std::vector<std::uint8_t> deepPush(40, 0xA4);
    EXPECT_FALSE(ParseReportDescriptor(deepPush));
    EXPECT_TRUE(ParseReportDescriptor({}));
}

// Whatever the bytes, parsing and decoding end without touching memory they
// do not own (the sanitizer builds check that).
TEST(ReportDescriptor, RandomBytesNeverCrash)
{
    std::mt19937 random(31);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> seed = kKeyboardInterfaceDescriptor;
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = seed;
        for (int flips = 0; flips < 4; ++flips)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(byte(random));
        bytes.resize(random() % (bytes.size() + 1));
        const auto descriptor = ParseReportDescriptor(bytes);
        if (!descriptor)
            continue;
        std::vector<std::uint8_t> report(1 + random() % 70);
        for (auto& value : report)
            value = static_cast<std::uint8_t>(byte(random));
        for (const TopLevelCollection& collection : descriptor->collections) {
            for (const FieldCaps& caps : collection.input.buttons) {
                std::vector<std::uint16_t> list(MaxUsageListLength(collection.input, caps.usagePage));
                std::uint32_t count = 0;
                GetUsages(collection.input, caps.usagePage, report, list, count);
                EXPECT_LE(count, list.size());
            }
            for (const FieldCaps& caps : collection.input.values) {
                std::int32_t value = 0;
                GetScaledUsageValue(collection.input, caps.usagePage, caps.usageMin, report, value);
            }
        }
    }
}
