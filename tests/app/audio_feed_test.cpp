// Sound data records from the bus, checked where they enter.
#include "app/audio_feed.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace q31::app {
namespace {

bus::BusDelivery Record(std::uint64_t dwData, const std::vector<qint32>& values, int extraBytes = 0)
{
    QByteArray data(int(values.size()) * 4 + extraBytes, '\x7F');
    for (std::size_t i = 0; i < values.size(); ++i)
        qToLittleEndian<qint32>(values[i], data.data() + 4 * i);
    return {true, 0, 0, 0, dwData, data};
}

TEST(AudioFeedTest, LevelsAreAlwaysSixValuesWithTheMissingOnesZero)
{
    const auto full = AudioFeedOf(Record(kAudioLevelsRecord, {100, 50, 200, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(full);
    EXPECT_FALSE(full->bands);
    EXPECT_EQ(full->values, (std::vector<int>{100, 50, 200, 4, 5, 6}));
    // A torn value at the end is not read.
    const auto shortRecord = AudioFeedOf(Record(kAudioLevelsRecord, {1, -2}, 3));
    ASSERT_TRUE(shortRecord);
    EXPECT_EQ(shortRecord->values, (std::vector<int>{1, -2, 0, 0, 0, 0}));
}

TEST(AudioFeedTest, BandsKeepWhatCameUpTo25)
{
    const auto few = AudioFeedOf(Record(kAudioBandsTestRecord, {9, 8, 7}));
    ASSERT_TRUE(few);
    EXPECT_TRUE(few->bands);
    EXPECT_EQ(few->values, (std::vector<int>{9, 8, 7}));
    const auto many = AudioFeedOf(Record(kAudioBandsTestRecord, std::vector<qint32>(40, 3)));
    ASSERT_TRUE(many);
    EXPECT_EQ(many->values.size(), 25u);
}

TEST(AudioFeedTest, OtherRecordsAndMessagesAreNotSoundData)
{
    EXPECT_FALSE(AudioFeedOf(Record(1, {1, 2, 3})));
    EXPECT_FALSE(AudioFeedOf(Record(10, {1, 2, 3})));
    EXPECT_FALSE(AudioFeedOf(bus::BusDelivery{false, 0x400, 2, 0, 0, {}}));
}

}  // namespace
}  // namespace q31::app
