#include "devices/effect_steps.h"
#include "devices/light_records.h"
#include "devices/live_frame_stream.h"
#include "devices/stream_pacing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace q31::devices {
namespace {

LiveFrame FrameWith(std::uint8_t first)
{
    LiveFrame frame{};
    frame[0] = first;
    return frame;
}

TEST(StreamPacingTest, AnUnchangedFrameIsRepeatedOnlyNowAndThen)
{
    constexpr DWORD kRepeat = CStreamPacing::kRepeatUnchangedMs;
    CStreamPacing pacing;
    const LiveFrame frame = FrameWith(7);
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 1000));
    pacing.Sent(frame, 45, true, 1000);
    EXPECT_FALSE(pacing.ShouldSend(frame, 45, 1005));
    EXPECT_FALSE(pacing.ShouldSend(frame, 45, 1000 + kRepeat - 1));
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 1000 + kRepeat));
    // A change goes out at once, and so does the same bytes at another length.
    EXPECT_TRUE(pacing.ShouldSend(FrameWith(8), 45, 1005));
    EXPECT_TRUE(pacing.ShouldSend(frame, 48, 1005));
    // So does the same frame once the device may have lost it.
    pacing.Forget();
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 1005));
    // The tick count wraps round without stalling the stream.
    CStreamPacing wrapped;
    wrapped.Sent(frame, 45, true, 0xFFFFFF00);
    EXPECT_FALSE(wrapped.ShouldSend(frame, 45, 0x10));
    EXPECT_TRUE(wrapped.ShouldSend(frame, 45, 0xFFFFFF00 + kRepeat));
}

TEST(StreamPacingTest, ARefusedFrameRestsTheStreamThenIsSentAgain)
{
    CStreamPacing pacing;
    const LiveFrame frame = FrameWith(1);
    pacing.Sent(frame, 45, false, 500);
    EXPECT_FALSE(pacing.ShouldSend(FrameWith(2), 45, 699));
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 700));  // not taken, so not "unchanged"
    pacing.Sent(frame, 45, true, 700);
    EXPECT_FALSE(pacing.ShouldSend(frame, 45, 710));
}

TEST(LiveFrameStreamTest, FramesThatComeWhileASendWaitsReplaceTheWaitingOne)
{
    CLiveFrameStream stream;
    EXPECT_TRUE(stream.Offer(FrameWith(1), 45, 1000));
    EXPECT_FALSE(stream.Offer(FrameWith(2), 45, 1005));
    EXPECT_FALSE(stream.Offer(FrameWith(3), 48, 1010));
    std::vector<std::uint8_t> sent;
    stream.SendNewest([&sent](const std::uint8_t* data, std::size_t length) {
        sent.assign(data, data + length);
        return true;
    });
    ASSERT_EQ(sent.size(), 48u);
    EXPECT_EQ(sent[0], 3);
    // Taken: the same frame waits for the repeat, a new one goes at once.
    EXPECT_FALSE(stream.Offer(FrameWith(3), 48, TickCountMs()));
    EXPECT_TRUE(stream.Offer(FrameWith(4), 48, TickCountMs()));
}

TEST(LiveFrameStreamTest, TheRestAfterARefusedFrameCountsFromWhenTheRefusalCameBack)
{
    using namespace std::chrono_literals;
    CLiveFrameStream stream;
    ASSERT_TRUE(stream.Offer(FrameWith(1), 45, TickCountMs()));
    // A device that takes its time to say no, as one that does not answer does.
    stream.SendNewest([](const std::uint8_t*, std::size_t) {
        std::this_thread::sleep_for(300ms);
        return false;
    });
    EXPECT_FALSE(stream.Offer(FrameWith(2), 45, TickCountMs()));
    std::this_thread::sleep_for(250ms);
    EXPECT_TRUE(stream.Offer(FrameWith(2), 45, TickCountMs()));
}

TEST(LightRecordsTest, ChangedSinceSeesEveryChangeAndEveryNewSizeOnce)
{
    CLightRecords records;
    records.Resize(3);
    std::vector<std::uint32_t> snapshot;
    EXPECT_TRUE(records.ChangedSince(snapshot));  // first look
    EXPECT_FALSE(records.ChangedSince(snapshot));
    records.Store(2, 0x01020304);
    EXPECT_TRUE(records.ChangedSince(snapshot));
    EXPECT_FALSE(records.ChangedSince(snapshot));
    records.Store(2, 0x01020304);  // the same value again is no change
    EXPECT_FALSE(records.ChangedSince(snapshot));
    records.Resize(3);
    EXPECT_TRUE(records.ChangedSince(snapshot));
    records.Resize(0);
    EXPECT_TRUE(records.ChangedSince(snapshot));
    EXPECT_FALSE(records.ChangedSince(snapshot));
}

}  // namespace
}  // namespace q31::devices
