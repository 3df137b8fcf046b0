// The keyboard page over the simulated keyboard: key captions in the current
// language, key-set badges, the system settings shown and the live key colours.
#include "controls/device_key_button_ui.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/live_frame.h"
#include "keys/function_types.h"
#include "macros/macro_files.h"
#include "platform/folders.h"
#include "tests/devices/device_test_support.h"
#include "ui/option_ui.h"
#include "ui/resource_manager.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

using devices::kKeyboardKeys;
using devices::kMaxKeyPositions;

constexpr int kEsc = 0;
constexpr int kQ = 43;
constexpr int kW = 44;
constexpr int kCapsLock = 63;
constexpr int kSpace = 108;
constexpr int kNumPad7 = 59;
constexpr int kPageLights = 170;
constexpr FunctionCode kSpaceCode{keys::kKeyboardKey, 0x00, 0x2C};

class KeyboardViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(UserDataFolder(QStringLiteral("keyboard"))).removeRecursively();
        page = qobject_cast<CHalvorinKeyboardDevice*>(builder.BuildShipped("keyboarddevice.xml"));
        ASSERT_NE(page, nullptr);
        page->SetKindName(QStringLiteral("keyboard"));
        page->SetKeyCount(kPageLights);
        page->SetLightCount(kPageLights);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "keyboard", Keyboard));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
    }

    void TearDown() override { CResourceManager::GetInstance().LoadLanguage(QStringLiteral("en.json")); }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    // Q does what Space does, W runs the first macro of the list.
    void RemapKeys()
    {
        const macros::MacroFolder folder(UserDataFolder(QStringLiteral("keyboard")));
        ASSERT_TRUE(folder.WriteList({{QStringLiteral("Burst"), QStringLiteral("m0")}}));
        std::vector<KeyListEntry> keys = page->GetKeyList();
        keys[kQ].current = kSpaceCode;
        keys[kW].current = {keys::kMacro, 0, 0};
        page->SetKeyList(keys);
        page->RefreshPage();
    }

    CDeviceKeyButtonUI* Key(int index) const { return page->GetKeyButton(index); }

    SimBus bus;
    PageBuilder builder;
    CHalvorinKeyboardDevice* page = nullptr;
};

TEST_F(KeyboardViewTest, EveryLogicalKeyOfTheDrawingIsBoundToItsIndex)
{
    for (int i = 0; i < kKeyboardKeys; ++i)
        EXPECT_EQ(Key(i), page->findChild<CDeviceKeyButtonUI*>(QStringLiteral("key_%1").arg(i))) << i;
}

TEST_F(KeyboardViewTest, KeysAreCaptionedInTheLanguageAndTheCaptionsFitTheKeys)
{
    RemapKeys();
    EXPECT_EQ(Key(kSpace)->text(), QStringLiteral("Space"));
    EXPECT_EQ(Key(kCapsLock)->text(), QStringLiteral("Caps"));
    EXPECT_EQ(Key(kQ)->toolTip(), QStringLiteral("Q → Space"));
    EXPECT_EQ(Key(kW)->toolTip(), QStringLiteral("W → Burst"));
    // Too long for its key: shown as its keycap prints it.
    EXPECT_EQ(Key(kNumPad7)->text(), QStringLiteral("7"));
    EXPECT_EQ(Key(kNumPad7)->toolTip(), QStringLiteral("Num 7 → Num 7"));

    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("zh_CN.json"));
    page->RefreshPage();
    EXPECT_EQ(Key(kSpace)->text(), QStringLiteral("空格"));
    EXPECT_EQ(Key(kCapsLock)->text(), QStringLiteral("大写"));
    EXPECT_EQ(Key(kQ)->toolTip(), QStringLiteral("Q → 空格"));
    for (int i = 0; i < kKeyboardKeys; ++i) {
        const CDeviceKeyButtonUI* key = Key(i);
        if (key->isVisible()) {
            EXPECT_LE(key->fontMetrics().horizontalAdvance(key->text()), key->width()) << i;
        }
    }
}

TEST_F(KeyboardViewTest, OnlyARemappedKeyCarriesTheKeySetBadge)
{
    RemapKeys();
    for (int i = 0; i < kKeyboardKeys; ++i)
        EXPECT_EQ(Key(i)->IsKeySetBadgeHidden(), i != kQ && i != kW) << i;

    std::vector<KeyListEntry> keys = page->GetKeyList();
    keys[kQ].current = keys[kQ].factory;
    page->SetKeyList(keys);
    page->RefreshPage();
    EXPECT_TRUE(Key(kQ)->IsKeySetBadgeHidden());
}

TEST_F(KeyboardViewTest, SettingsOptionsShowTheProfileWithoutWritingToTheKeyboard)
{
    page->SetPollingRate(2);
    page->SetFlag(CHalvorinKeyboardDevice::Flag::WinLock, true);
    page->SetFlag(CHalvorinKeyboardDevice::Flag::Key6, false);
    ASSERT_TRUE(WaitForResults());
    const auto option = [this](const QString& name) { return page->findChild<COptionUI*>(name); };
    // Options left showing something else, quietly.
    for (const QString& name : {QStringLiteral("winlockflag_option"), QStringLiteral("polling_rate_option_2")}) {
        const QSignalBlocker quiet(option(name));
        option(name)->Selected(false);
    }
    {
        const QSignalBlocker quiet(option(QStringLiteral("6flag_option")));
        option(QStringLiteral("6flag_option"))->Selected(true);
    }
    bus.TakeCommands();

    page->RefreshPage();
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(option(QStringLiteral("winlockflag_option"))->IsSelected());
    EXPECT_FALSE(option(QStringLiteral("6flag_option"))->IsSelected());
    for (int i = 0; i < CHalvorinKeyboardDevice::kPollingRateOptions; ++i)
        EXPECT_EQ(option(QStringLiteral("polling_rate_option_%1").arg(i))->IsSelected(), i == 2) << i;
    EXPECT_TRUE(bus.TakeCommands().empty());
}

TEST_F(KeyboardViewTest, RepeatSettingsAreKeptInTheProfileAndNeverSent)
{
    auto* slider = page->findChild<QSlider*>(QStringLiteral("repeat_rate_slider"));
    auto* label = page->findChild<QLabel*>(QStringLiteral("repeat_delay_time_label1"));
    auto* field = page->findChild<QLineEdit*>(QStringLiteral("repeat_input_richedit"));
    const auto delayOption = [this](int i) {
        return page->findChild<COptionUI*>(QStringLiteral("repeat_delay_check_%1").arg(i));
    };
    ASSERT_TRUE(slider && label && field && delayOption(2));
    page->SetPollingRate(1);
    ASSERT_TRUE(WaitForResults());
    bus.TakeCommands();

    TNotifyUI moved{QStringLiteral("valuechanged"), slider, 20, 0};
    page->NotifyPump(moved);
    {
        const QSignalBlocker quiet(delayOption(2));
        delayOption(2)->Selected(true);
    }
    TNotifyUI chosen{QStringLiteral("selectchanged"), delayOption(2), 1, 0};
    page->NotifyPump(chosen);
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(bus.TakeCommands().empty());
    EXPECT_EQ(label->text(), QStringLiteral("Repeat delay: 750ms"));
    for (int i = 0; i < CHalvorinKeyboardDevice::kRepeatDelayOptions; ++i)
        EXPECT_EQ(delayOption(i)->IsSelected(), i == 2) << i;
    // The delay options are a group of their own.
    EXPECT_TRUE(page->findChild<COptionUI*>(QStringLiteral("polling_rate_option_1"))->IsSelected());
    page->ReloadProfile();
    EXPECT_EQ(LowHalf(page->SystemSettings()[0]), 20);
    EXPECT_EQ(HighHalf(page->SystemSettings()[0]), 2);

    field->setText(QStringLiteral("aaaa"));
    TNotifyUI reset{QStringLiteral("click"), page->findChild<QWidget*>(QStringLiteral("reset_repeat_btn")), 0, 0};
    page->NotifyPump(reset);
    EXPECT_TRUE(field->text().isEmpty());

    // A delay the profile file holds out of range shows the first option.
    SystemWords words = page->SystemSettings();
    words[0] = PackWord(5, 9);
    page->Profile().WriteKeyboardSystem(words);
    page->SaveProfile();
    page->ReloadProfile();
    field->setText(QStringLiteral("aaaa"));
    field->setToolTip(QString());
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("zh_CN.json"));
    page->RefreshPage();
    EXPECT_EQ(slider->value(), 5);
    for (int i = 0; i < CHalvorinKeyboardDevice::kRepeatDelayOptions; ++i)
        EXPECT_EQ(delayOption(i)->IsSelected(), i == 0) << i;
    EXPECT_EQ(label->text(), QStringLiteral("重复延迟：250ms"));
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(field->toolTip(), QStringLiteral("在此按住一个键，试试重复设置"));
    ASSERT_TRUE(WaitForResults());
    EXPECT_TRUE(bus.TakeCommands().empty());
}

TEST_F(KeyboardViewTest, ShownKeysTakeTheColourOfTheirRecordAndHiddenKeysStayDark)
{
    ASSERT_LT(page->Layout().lightOfKey[kQ], kMaxKeyPositions);
    for (int i = 0; i < kPageLights; ++i)
        page->SetDevedOzirav(i, devices::PackLightRecord({0x10, 0x20, 0x30, 0x80}));
    // The keyboard's records are kept per logical key, not per light index.
    ASSERT_NE(page->Layout().lightOfKey[kQ], kQ);
    const std::uint32_t record = devices::PackLightRecord({0xFF, 0x40, 0x08, 0xC0});
    page->SetDevedOzirav(kQ, record);

    page->PaintLedPreview();
    EXPECT_TRUE(Key(kQ)->IsLightShown());
    EXPECT_EQ(Key(kQ)->GetLightColour(), devices::OverlayColour(record));
    EXPECT_EQ(Key(kQ)->GetLightLevel(), 0xC0);
    for (int i = 0; i < kKeyboardKeys; ++i) {
        if (Key(i)->isHidden()) {
            EXPECT_FALSE(Key(i)->IsLightShown()) << i;
        }
    }
    ASSERT_TRUE(WaitForResults());
}

}  // namespace
}  // namespace q31::test
