// The progress ring: which angles its fore colour covers.
#include "controls/circle_progress_ui.h"

#include "tests/controls/controls_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace q31::test {
namespace {

const QColor kBack(0, 0, 255), kFore(255, 0, 0), kCentre(255, 255, 255);

// A 400 px ring: its band runs from radius 190 to 200.
class CircleProgressTest : public ::testing::Test {
protected:
    CircleProgressTest()
    {
        ring = new CCircleProgressUI(window.root);
        ring->setGeometry(0, 0, 400, 400);
        ring->SetAttribute("bkcolor", "#FF0000FF");
        ring->SetAttribute("ForeColor", "#FFFF0000");
    }

    // The colour on the middle of the band, degrees clockwise from straight down.
    QColor At(const QImage& image, double degrees) const
    {
        const double radians = degrees * std::numbers::pi / 180.0;
        const int x = int(std::lround(200 - 195 * std::sin(radians)));
        const int y = int(std::lround(200 + 195 * std::cos(radians)));
        return image.pixelColor(x, y);
    }
    void ExpectSweep(int degrees)
    {
        const QImage image = Render(ring);
        for (double angle = 0.5; angle < 360; angle += 1.0)
            EXPECT_EQ(At(image, angle), angle < degrees ? kFore : kBack) << angle << " for a sweep of " << degrees;
    }

    ManagedWindow window;
    CCircleProgressUI* ring = nullptr;
};

TEST_F(CircleProgressTest, SweepIsTheTruncatedShareOfTheRange)
{
    ring->setRange(0, 11);
    ring->setValue(1);  // 32.7 degrees
    EXPECT_EQ(ring->SweepDegrees(), 32);
    ExpectSweep(32);
    ring->setValue(8);  // 261.8 degrees
    ExpectSweep(261);
}

TEST_F(CircleProgressTest, FullValueClosesTheRingAndZeroShowsOnlyTheBackground)
{
    ring->setRange(0, 100);
    ring->setValue(100);
    ExpectSweep(360);
    ring->setValue(0);
    ExpectSweep(0);
    // The centre is white, leaving a band 10 px wide.
    const QImage image = Render(ring);
    EXPECT_EQ(image.pixelColor(200, 200), kCentre);
    EXPECT_EQ(image.pixelColor(200, 188), kCentre);
    EXPECT_EQ(image.pixelColor(200, 5), kBack);
}

TEST_F(CircleProgressTest, EmptyRangeDrawsNoSweep)
{
    ring->setRange(5, 5);
    ring->setValue(5);
    EXPECT_EQ(ring->SweepDegrees(), 0);
    ExpectSweep(0);
}

TEST_F(CircleProgressTest, SweepStaysWithinOneTurn)
{
    // The share is taken of the value itself, so a range away from 0 can go past a turn.
    ring->setRange(50, 100);
    ring->setValue(100);
    EXPECT_EQ(ring->SweepDegrees(), 360);
    ExpectSweep(360);
    ring->setRange(-100, 0);
    ring->setValue(-50);
    EXPECT_EQ(ring->SweepDegrees(), 0);
    ExpectSweep(0);
}

TEST_F(CircleProgressTest, CentreColourAndTextComeFromTheSkin)
{
    ring->setRange(0, 100);
    ring->setValue(50);
    ring->setProperty("innercolor", "#FF00FF00");
    EXPECT_EQ(Render(ring).pixelColor(200, 200), QColor(0, 255, 0));
    EXPECT_EQ(ring->GetClass(), "CircleProgress");
    EXPECT_FALSE(ring->SetAttribute("unknown", "1"));
}

}  // namespace
}  // namespace q31::test
