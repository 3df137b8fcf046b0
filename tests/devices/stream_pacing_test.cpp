#include "devices/light_records.h"
#include "devices/stream_pacing.h"

#include <gtest/gtest.h>

namespace q31::devices {
namespace {

LiveFrame FrameWith(std::uint8_t first)
{
    LiveFrame frame{};
    frame[0] = first;
    return frame;
}

TEST(StreamPacingTest, AnUnchangedFrameIsRepeatedOnlyOnceASecond)
{
    CStreamPacing pacing;
    const LiveFrame frame = FrameWith(7);
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 1000));
    pacing.Sent(frame, 45, true, 1000);
    EXPECT_FALSE(pacing.ShouldSend(frame, 45, 1005));
    EXPECT_FALSE(pacing.ShouldSend(frame, 45, 1999));
    EXPECT_TRUE(pacing.ShouldSend(frame, 45, 2000));
    // A change goes out at once, and so does the same bytes at another length.
    EXPECT_TRUE(pacing.ShouldSend(FrameWith(8), 45, 1005));
    EXPECT_TRUE(pacing.ShouldSend(frame, 48, 1005));
    // The tick count wraps round without stalling the stream.
    CStreamPacing wrapped;
    wrapped.Sent(frame, 45, true, 0xFFFFFF00);
    EXPECT_FALSE(wrapped.ShouldSend(frame, 45, 0x10));
    EXPECT_TRUE(wrapped.ShouldSend(frame, 45, 0x300));
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
