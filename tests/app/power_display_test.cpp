// The mouse page's power display over the simulated mouse: a change of its
// battery, made as q31-devsim makes it, shows within one power refresh.
#include "app/main_wnd.h"
#include "devices/halvorin_usb_device.h"
#include "mouse_extras/mp_device_power_ui.h"
#include "sim/sim_control.h"
#include "tests/app/desktop_test.h"
#include "tests/app/simulated_desktop.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

// One refresh period of the mouse's power timer, and room for a loaded machine.
constexpr int kOneRefreshMs = 5000 + 3000;

class PowerDisplayTest : public DesktopTest, public ::testing::WithParamInterface<sim::Route> {
protected:
    CMpDevicePowerUI* OpenMousePower()
    {
        QString error;
        // The keyboard and mouse objects exist from the start: both come on show.
        m_window = OpenWindowShowing(*m_hub, {{"keyboard", sim::Route::Cable}, {"mouse", GetParam()}}, &error);
        EXPECT_TRUE(m_window) << error.toStdString();
        CHalvorinUSBDevice* mouse = m_window ? m_window->DeviceOfKind(kKindMouse) : nullptr;
        return mouse ? dynamic_cast<CMpDevicePowerUI*>(mouse->GetPowerControl()) : nullptr;
    }
};

TEST_P(PowerDisplayTest, ABatteryChangeShowsOnTheMousePageWithinOneRefresh)
{
    CMpDevicePowerUI* power = OpenMousePower();
    ASSERT_NE(power, nullptr);
    auto* text = power->findChild<QLabel*>(QStringLiteral("device_power_value"));
    auto* bar = power->findChild<QProgressBar*>(QStringLiteral("device_Power_progress"));
    auto* status = power->findChild<CContainerUI*>(QStringLiteral("device_power_status"));
    auto* logo = power->findChild<QWidget*>(QStringLiteral("device_wuxian_logo"));
    ASSERT_TRUE(text && bar && status && logo);
    EXPECT_FALSE(power->findChild<QWidget*>(QStringLiteral("device_power_Layout"))->isHidden());
    // The first refresh follows the activation at once.
    ASSERT_TRUE(QTest::qWaitFor([text] { return !text->text().isEmpty(); }, kOneRefreshMs));

    const sim::ControlResult changed = sim::RunControlCommand(*m_hub, {"battery", "mouse", "15", "--charging", "1"});
    ASSERT_TRUE(changed.ok) << changed.text;
    EXPECT_TRUE(QTest::qWaitFor([text] { return text->text() == QLatin1String("15%"); }, kOneRefreshMs))
        << text->text().toStdString();
    EXPECT_EQ(bar->value(), 85);
    const bool wireless = GetParam() == sim::Route::Receiver;
    EXPECT_EQ(status->GetBkImage(),
              wireless ? QLatin1String("file='power/wuxian_powering.svg'") : QLatin1String("file='power/powering.svg'"));
    EXPECT_EQ(bar->isHidden(), wireless);
    EXPECT_EQ(logo->isHidden(), !wireless);
}

INSTANTIATE_TEST_SUITE_P(CableAndReceiver, PowerDisplayTest, ::testing::Values(sim::Route::Cable, sim::Route::Receiver),
                         [](const auto& info) { return info.param == sim::Route::Cable ? "Cable" : "Receiver"; });

}  // namespace
}  // namespace q31::test
