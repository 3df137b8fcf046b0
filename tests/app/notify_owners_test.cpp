// The owners' registry on its own: which notifications, timers and messages
// reach which registered owner, and that the rest is dropped.
#include "app/notify_owners.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using q31::app::CNotifyOwners;
using q31::app::NotifyOwner;

struct StartedTimer {
    UINT id;
    UINT elapseMs;
    bool operator==(const StartedTimer&) const = default;
};

class NotifyOwnersTest : public ::testing::Test {
protected:
    // A notification of the given type from a control of the given name.
    bool Send(const char* type, const char* controlName)
    {
        QWidget control;
        control.setObjectName(QString::fromLatin1(controlName));
        TNotifyUI msg{QString::fromLatin1(type), &control};
        return m_owners.Dispatch(msg);
    }

    // Records (owner, type, control name) of each notification an owner gets.
    void RegisterRecording(NotifyOwner owner)
    {
        ASSERT_TRUE(m_owners.Register(owner, [this, owner](TNotifyUI& msg) {
            m_heard.push_back({owner, msg.sType + QLatin1Char(' ') + msg.pSender->objectName()});
        }));
    }

    std::vector<StartedTimer> m_started;
    CNotifyOwners m_owners{[this](UINT id, UINT elapseMs) {
        m_started.push_back({id, elapseMs});
        return true;
    }};
    std::vector<std::pair<NotifyOwner, QString>> m_heard;
};

TEST_F(NotifyOwnersTest, EachOwnerGetsExactlyTheNotificationsOfItsControls)
{
    RegisterRecording(NotifyOwner::Lighting);
    RegisterRecording(NotifyOwner::ProfileOperations);

    EXPECT_TRUE(Send("click", "color_option_3"));
    EXPECT_TRUE(Send("itemselect", "device_profile_combo"));
    EXPECT_TRUE(Send("colorchanged", "deng_Color_Pallet"));
    EXPECT_TRUE(Send("click_select_end", "device_key_light"));
    EXPECT_TRUE(Send("valuechanged", "deng_light_slider"));
    // Not routed types, and controls of owners that have not registered.
    EXPECT_FALSE(Send("msenter", "color_option_3"));
    EXPECT_FALSE(Send("timer", "deng_light_slider"));
    EXPECT_FALSE(Send("click", "key_butt_prosave"));
    EXPECT_FALSE(Send("colorchanged", "deng_audioColor_Pallet"));
    EXPECT_FALSE(Send("click", "no_such_control"));

    const std::vector<std::pair<NotifyOwner, QString>> expected = {
        {NotifyOwner::Lighting, QStringLiteral("click color_option_3")},
        {NotifyOwner::ProfileOperations, QStringLiteral("itemselect device_profile_combo")},
        {NotifyOwner::Lighting, QStringLiteral("colorchanged deng_Color_Pallet")},
        {NotifyOwner::Lighting, QStringLiteral("click_select_end device_key_light")},
        {NotifyOwner::Lighting, QStringLiteral("valuechanged deng_light_slider")},
    };
    EXPECT_EQ(m_heard, expected);
}

TEST_F(NotifyOwnersTest, AnOwnerRegistersOnceAndNobodyTakesTheUnroutedNames)
{
    RegisterRecording(NotifyOwner::Settings);
    EXPECT_FALSE(m_owners.Register(NotifyOwner::Settings, [](TNotifyUI&) {}));
    EXPECT_FALSE(m_owners.Register(NotifyOwner::None, [](TNotifyUI&) {}));
    TNotifyUI withoutSender{QStringLiteral("click")};
    EXPECT_FALSE(m_owners.Dispatch(withoutSender));
    EXPECT_TRUE(Send("click", "setbtn"));
    EXPECT_EQ(m_heard.size(), 1u);
}

TEST_F(NotifyOwnersTest, OnlyRegisteredTimersStartAndReachTheirOwner)
{
    int profileSwitches = 0;
    ASSERT_TRUE(m_owners.RegisterTimer(1055, [&] { ++profileSwitches; }));
    EXPECT_FALSE(m_owners.RegisterTimer(1055, [] {}));

    EXPECT_TRUE(m_owners.StartTimer(1055, 400));
    EXPECT_FALSE(m_owners.StartTimer(1066, 5000));
    EXPECT_EQ(m_started, (std::vector<StartedTimer>{{1055, 400}}));

    EXPECT_TRUE(m_owners.DispatchTimer(1055));
    EXPECT_FALSE(m_owners.DispatchTimer(1066));
    EXPECT_EQ(profileSwitches, 1);
}

TEST_F(NotifyOwnersTest, EveryOwnerOfAMessageHearsIt)
{
    std::vector<std::pair<int, WPARAM>> heard;
    m_owners.RegisterMessage(0x0479, [&](WPARAM wParam, LPARAM lParam) { heard.push_back({1, wParam + WPARAM(lParam)}); });
    m_owners.RegisterMessage(0x0479, [&](WPARAM wParam, LPARAM) { heard.push_back({2, wParam}); });
    m_owners.RegisterMessage(0x041E, [&](WPARAM wParam, LPARAM) { heard.push_back({3, wParam}); });

    EXPECT_TRUE(m_owners.DispatchMessage(0x0479, 5, 1));
    EXPECT_FALSE(m_owners.DispatchMessage(0x0C15, 0, 0));
    EXPECT_EQ(heard, (std::vector<std::pair<int, WPARAM>>{{1, 6}, {2, 5}}));
}

}  // namespace
