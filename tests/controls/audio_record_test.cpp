// The bar graph of recorded levels: where its lines are and how high.
#include "controls/audio_record_ui.h"

#include "tests/controls/controls_test_support.h"

#include <gtest/gtest.h>

namespace q31::test {
namespace {

// Height of the dark line in column x, counted up from the bottom.
int LineHeight(const QImage& image, int x)
{
    int height = 0;
    while (height < image.height() && image.pixelColor(x, image.height() - 1 - height) == QColor(Qt::black))
        ++height;
    return height;
}

class AudioRecordTest : public ::testing::Test {
protected:
    AudioRecordTest()
    {
        graph = new CAudioRecordUI(window.root);
        graph->SetAttribute("bkcolor", "#FFFFFFFF");
    }
    ManagedWindow window;
    CAudioRecordUI* graph = nullptr;
};

TEST_F(AudioRecordTest, StartsWithARampInTheFirstValues)
{
    EXPECT_EQ(graph->GetValue(0), 0);
    EXPECT_EQ(graph->GetValue(255), 255);
    EXPECT_EQ(graph->GetValue(256), 0);
    EXPECT_EQ(graph->GetValue(499), 0);
    EXPECT_EQ(graph->GetValue(500), 0);
    EXPECT_EQ(graph->GetValue(-1), 0);
    // At 64 px a line rises one pixel per 128 of value.
    graph->setGeometry(0, 0, 1000, 64);
    const QImage image = Render(graph);
    EXPECT_EQ(LineHeight(image, 2 * 127), 0);
    EXPECT_EQ(LineHeight(image, 2 * 128), 1);
    EXPECT_EQ(LineHeight(image, 2 * 255), 1);
}

TEST_F(AudioRecordTest, LinesStandTwoApartWithTheirValuesHeight)
{
    graph->setGeometry(0, 0, 1000, 64);
    for (int k = 0; k < CAudioRecordUI::kValueCount; ++k)
        graph->SetValue(k, (k % 9) * 1024);  // 0, 1/8, ... 8/8 of the height
    const QImage image = Render(graph);
    for (int k = 0; k < CAudioRecordUI::kValueCount; ++k) {
        EXPECT_EQ(LineHeight(image, 2 * k), (k % 9) * 8) << k;
        EXPECT_EQ(LineHeight(image, 2 * k + 1), 0) << k;
    }
    // A full value reaches the top; others leave the background above them.
    EXPECT_EQ(image.pixelColor(2 * 8, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2 * 7, 63 - 56), QColor(Qt::white));
}

TEST_F(AudioRecordTest, NarrowGraphDrawsFewerLines)
{
    for (int k = 0; k < CAudioRecordUI::kValueCount; ++k)
        graph->SetValue(k, 8192);
    graph->setGeometry(0, 0, 101, 10);
    const QImage image = Render(graph);
    int lines = 0;
    for (int x = 0; x < image.width(); ++x)
        lines += LineHeight(image, x) == 10;
    EXPECT_EQ(lines, 51);  // x = 0, 2, ... 100
}

TEST_F(AudioRecordTest, ValuesBeyondTheScaleAreHeldAtItsEnds)
{
    graph->setGeometry(0, 0, 20, 64);
    graph->SetValue(1, 20000);
    graph->SetValue(2, -500);
    graph->SetValue(3, 8192);
    graph->SetValue(500, 8192);  // no such value
    EXPECT_EQ(graph->GetValue(1), 8192);
    EXPECT_EQ(graph->GetValue(2), 0);
    const QImage image = Render(graph);
    EXPECT_EQ(LineHeight(image, 2), 64);
    EXPECT_EQ(LineHeight(image, 4), 0);
    EXPECT_EQ(LineHeight(image, 6), 64);
}

TEST_F(AudioRecordTest, LineColourComesFromTheSkin)
{
    graph->setGeometry(0, 0, 20, 64);
    graph->SetValue(0, 8192);
    graph->setProperty("linecolor", "#FF00FF00");
    EXPECT_EQ(Render(graph).pixelColor(0, 10), QColor(0, 255, 0));
    EXPECT_EQ(graph->GetClass(), "AudioRecord");
}

}  // namespace
}  // namespace q31::test
