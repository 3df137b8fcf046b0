// The window keeps answering while devices do not: half a minute of page
// switches, lighting switches and the selector entries' timers with a silent
// keyboard and a mouse its receiver cannot reach, watched for the longest
// time the UI thread kept a posted call waiting.
#include "sim/sim_traffic_log.h"
#include "tests/app/silent_devices_scenario.h"
#include "tests/common/sanitizer_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr auto kDriveTime = 30s;
// Well below what a person notices as a stuck window.
constexpr auto kLongestAllowedStall = 50ms * kSanitizerSlowdown;

bool KeyboardWasAsked(q31::sim::SimHub& hub)
{
    const std::vector<q31::sim::TrafficEntry> entries = hub.Log().Entries();
    return std::any_of(entries.begin(), entries.end(), [](const q31::sim::TrafficEntry& entry) {
        return entry.direction == q31::sim::Direction::ToDevice && entry.source.starts_with("keyboard ");
    });
}

TEST(UiStallTest, WindowKeepsAnsweringWhileTheKeyboardIsSilentAndTheMouseIsOutOfReach)
{
    q31::test::CSilentDevicesScenario scenario;
    const QString error = scenario.Open();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    scenario.Hub().Log().Clear();

    const std::chrono::milliseconds longest = scenario.Run(kDriveTime);
    RecordProperty("longest_stall_ms", int(longest.count()));
    EXPECT_TRUE(KeyboardWasAsked(scenario.Hub()));
    EXPECT_LT(longest, kLongestAllowedStall) << "the UI thread stalled for " << longest.count() << " ms";
}

}  // namespace
