// The key tab on the keyboard and mouse pages the program ships, over the
// simulated devices: a key clicked on the picture, changed in the editor and
// saved reaches the device's key map, and the page's captions follow.
#include "app/key_set_owner.h"

#include "controls/device_key_button_ui.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_mouse_device.h"
#include "keys/function_types.h"
#include "keys/key_set_control_ui.h"
#include "platform/folders.h"
#include "profiles/profile_records.h"
#include "tests/devices/device_test_support.h"
#include "ui/option_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

constexpr int kQ = 43;
constexpr int kQPosition = 40;
constexpr int kMouseLeft = 0;
constexpr int kMouseMiddle = 2;
constexpr int kBoxShowMs = 5000;

QAbstractButton* ShownConfirmButton()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* confirm = top->findChild<QAbstractButton*>(QStringLiteral("confirm_btn"));
        if (top->isVisible() && confirm)
            return confirm;
    }
    return nullptr;
}

// The message box the next step opens is confirmed as soon as it shows.
void ConfirmMessageBoxLater()
{
    QTimer::singleShot(0, [] {
        if (QTest::qWaitFor([] { return ShownConfirmButton() != nullptr; }, kBoxShowMs))
            ShownConfirmButton()->click();
    });
}

class KeySetOwnerTest : public ::testing::Test {
protected:
    void Open(const char* skin, const char* device, std::uint16_t type, int keyCount)
    {
        QDir(UserDataFolder(QString::fromLatin1(device))).removeRecursively();
        page = builder.BuildShipped(skin);
        ASSERT_NE(page, nullptr);
        page->SetKindName(QString::fromLatin1(device));
        page->SetKeyCount(keyCount);
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), device, type));
        page->OnActivated();
        ASSERT_TRUE(WaitForResults());
        editor = page->KeyEditor();
        ASSERT_NE(editor, nullptr);
    }

    bool WaitForResults() { return WaitForDeviceWork(*page) && (QTest::qWait(20), true); }

    template <class Control>
    Control* Find(const char* name) const
    {
        return page->findChild<Control*>(QString::fromLatin1(name));
    }

    void Send(const char* type, QWidget* sender, WPARAM wParam = 0)
    {
        ASSERT_NE(sender, nullptr);
        TNotifyUI msg{QString::fromLatin1(type), sender, wParam, 0};
        app::HandleKeySetNotify(msg);
    }

    void ClickKey(int key) { Send("click", page->GetKeyButton(key)); }

    void Choose(const char* combo, int index)
    {
        auto* list = Find<QComboBox>(combo);
        ASSERT_NE(list, nullptr);
        {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(index);
        }
        Send("itemselect", list, WPARAM(index));
    }

    void ChooseCategory(int category)
    {
        Choose("keyset_function_combo", Find<QComboBox>("keyset_function_combo")->findData(category));
    }

    FunctionCode KeyMapAt(int position) const
    {
        const auto map = *bus.hub->Dump("keyboard", sim::Region::KeyMap);
        return {map[3 * position], map[3 * position + 1], map[3 * position + 2]};
    }

    SimBus bus;
    PageBuilder builder;
    CHalvorinUSBDevice* page = nullptr;
    CKeySetControlUI* editor = nullptr;
};

TEST_F(KeySetOwnerTest, AKeyAssignedOnTheKeyTabReachesTheKeyboardAndItsCaption)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard, 126);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    CDeviceKeyButtonUI* q = page->GetKeyButton(kQ);
    ASSERT_NE(q, nullptr);
    const QString ownCaption = q->text();

    ClickKey(kQ);  // on the lighting tab the click is the light selection's
    EXPECT_FALSE(editor->IsPanelShown());
    page->SelectFunctionPanel(2);
    ASSERT_TRUE(page->IsKeyTabShown());
    ClickKey(kQ);
    ASSERT_TRUE(editor->IsPanelShown());
    EXPECT_EQ(page->GetSelectedKey(), kQ);
    EXPECT_EQ(Find<QComboBox>("keyset_function_combo")->currentData().toInt(), keys::kCategoryDefault);
    EXPECT_EQ(Find<QComboBox>("keyset_function_combo")->findData(keys::kCategoryDpi), -1);

    ChooseCategory(keys::kCategoryMedia);
    Choose("keyset_media_combo", 1);  // play / pause
    const FunctionCode play{keys::kConsumerControl, 0xCD, 0x00};
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, play);
    EXPECT_NE(q->text(), ownCaption);
    EXPECT_FALSE(q->IsKeySetBadgeHidden());
    EXPECT_NE(KeyMapAt(kQPosition), play);  // kept on the page until it is saved

    Send("click", Find<QWidget>("key_butt_prosave"));
    ASSERT_TRUE(WaitForResults());
    EXPECT_EQ(KeyMapAt(kQPosition), play);
    EXPECT_FALSE(Find<QWidget>("key_butt_keysave")->isEnabled());
    CKeyboardProfiledata saved;
    saved.LoadDeviceSection(keyboard->Profile().GetDocumentPath());
    EXPECT_EQ(saved.ReadKeyList()[kQ].current, play);

    // Back to the default: the caption and the badge go back too.
    Send("click", Find<QWidget>("key_butt_keydefalut"));
    Send("click", Find<QWidget>("key_butt_keysave"));
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, keyboard->GetKeyList()[kQ].factory);
    EXPECT_EQ(q->text(), ownCaption);
    EXPECT_TRUE(q->IsKeySetBadgeHidden());
}

TEST_F(KeySetOwnerTest, AKeyPressedInTheKeyFieldIsCapturedWithTheChosenModifier)
{
    Open("keyboarddevice.xml", "keyboard", Keyboard, 126);
    auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(page);
    page->SelectFunctionPanel(2);
    ClickKey(kQ);
    ChooseCategory(keys::kCategoryKey);
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, (FunctionCode{keys::kKeyboardKey, 0, 0}));

    platform::InputEvent alt;
    alt.down = true;
    alt.scan = 0x38;  // left Alt
    editor->OnCapturedKey(alt);
    platform::InputEvent a = alt;
    a.scan = 0x1E;
    editor->OnCapturedKey(a);
    EXPECT_EQ(keyboard->GetKeyList()[kQ].current, (FunctionCode{keys::kKeyboardKey, 0x04, 0x04}));
    EXPECT_FALSE(Find<QLineEdit>("keyset_keyboard_text_edit")->text().isEmpty());
    EXPECT_TRUE(Find<COptionUI>("key_ComBox_check_3")->IsSelected());
}

TEST_F(KeySetOwnerTest, TheMouseKeepsOneLeftClick)
{
    Open("mousedevice.xml", "mouse", Mouse, 11);
    Find<CTabLayoutUI>("mouse_device_seting_layout")->SelectItem(3);
    ASSERT_TRUE(page->IsKeyTabShown());
    QSignalSpy told(page, &CHalvorinUSBDevice::PageMessageShown);

    ConfirmMessageBoxLater();
    ClickKey(kMouseLeft);
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0][0].toString(), QStringLiteral("message_text_6"));
    EXPECT_FALSE(editor->IsPanelShown());

    // With a second left click the first may change.
    ClickKey(kMouseMiddle);
    ASSERT_TRUE(editor->IsPanelShown());
    EXPECT_EQ(Find<QComboBox>("keyset_function_combo")->findData(keys::kCategoryDpi) >= 0, true);
    CDeviceKeyButtonUI* middle = page->GetKeyButton(kMouseMiddle);
    ASSERT_NE(middle, nullptr);
    const QString ownCaption = middle->text();
    ChooseCategory(keys::kCategoryMouseButton);
    Choose("keyset_mousekey_combo", 0);
    EXPECT_NE(middle->text(), ownCaption);
    EXPECT_FALSE(middle->IsKeySetBadgeHidden());
    ClickKey(kMouseLeft);
    EXPECT_EQ(told.size(), 1);
    EXPECT_TRUE(editor->IsPanelShown());
    EXPECT_EQ(page->GetSelectedKey(), kMouseLeft);
}

}  // namespace
}  // namespace q31::test
