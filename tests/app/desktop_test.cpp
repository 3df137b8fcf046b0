#include "tests/app/desktop_test.h"

#include "app/control_classes.h"
#include "protocol/command_frame.h"
#include "tests/app/simulated_desktop.h"

#include <algorithm>

namespace q31::test {

void DesktopTest::SetUp()
{
    QString error;
    m_hub = StartSimulatedDesktop(&error);
    ASSERT_TRUE(m_hub) << error.toStdString();
}

void DesktopTest::TearDown()
{
    m_window.reset();
    // A test may have put stand-ins in place of the real classes.
    app::RegisterControlClasses();
    EndSimulatedDesktop();
}

bool DesktopTest::RequestWasSent(std::uint8_t command, std::string_view source) const
{
    const std::vector<sim::TrafficEntry> entries = m_hub->Log().Entries();
    return std::any_of(entries.begin(), entries.end(), [&](const sim::TrafficEntry& entry) {
        return entry.direction == sim::Direction::ToDevice && entry.source.find(source) != std::string::npos &&
               entry.bytes.size() > kCommandByte && entry.bytes[kCommandByte] == command;
    });
}

}  // namespace q31::test
