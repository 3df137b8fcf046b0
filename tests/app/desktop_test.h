#pragma once
// The base of main window tests: the simulated desktop around each test, and
// the window, when the test opens one, gone before the desktop.
#include "app/main_wnd.h"
#include "sim/sim_hub.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace q31::test {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether a request for this command went to an interface whose name contains source.
    bool RequestWasSent(std::uint8_t command, std::string_view source = {}) const;

    std::shared_ptr<sim::SimHub> m_hub;
    std::unique_ptr<CMainWnd> m_window;
};

}  // namespace q31::test
