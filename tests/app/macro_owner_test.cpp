// Recording on a device page of the window: the window's capture is bound to
// the page's macro editor, the window is locked meanwhile, and the recording
// ends when the device goes or the window does.
#include "app/main_wnd.h"
#include "devices/halvorin_usb_device.h"
#include "macros/macro_control_ui.h"
#include "tests/app/desktop_test.h"
#include "ui/option_ui.h"

#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using q31::sim::Route;

constexpr int kSettleMs = 3000;

class MacroOwnerTest : public q31::test::DesktopTest {
protected:
    // The keyboard's macro tab shown, its notices kept; null on failure.
    CMacroControlUI* OpenKeyboardMacroTab()
    {
        m_window = std::make_unique<CMainWnd>();
        if (!m_window->CreateMainWindow() ||
            !QTest::qWaitFor([this] { return m_window->GetHWND()->isVisible(); }, kSettleMs) ||
            !m_hub->Plug("keyboard", Route::Cable).empty())
            return nullptr;
        CHalvorinUSBDevice* keyboard = nullptr;
        const auto shown = [&] {
            keyboard = m_window->DeviceOfKind(kKindKeyboard);
            return keyboard && keyboard->isVisible();
        };
        if (!QTest::qWaitFor(shown, kSettleMs))
            return nullptr;
        auto* editor = keyboard->findChild<CMacroControlUI*>();
        auto* tab = keyboard->findChild<COptionUI*>(QStringLiteral("macro_Op_tab"));
        if (!editor || !tab)
            return nullptr;
        editor->SetPrompts({[](const QString&) { return true; }, [this](const QString& id) { notices.append(id); },
                            [] { return QString(); }, [] { return QString(); }});
        tab->click();
        return QTest::qWaitFor([editor] { return editor->isVisible(); }, kSettleMs) ? editor : nullptr;
    }
    bool SelectorEnabled() const
    {
        return m_window->GetPaintManager().FindControl(QStringLiteral("device_select_layout"))->isEnabled();
    }

    QStringList notices;
};

TEST_F(MacroOwnerTest, RecordingLocksTheSelectorAndEndsWhenTheKeyboardIsUnplugged)
{
    const QPointer<CMacroControlUI> editor = OpenKeyboardMacroTab();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->StartRecording(3, 4)) << notices.join(' ').toStdString();
    EXPECT_FALSE(SelectorEnabled());

    ASSERT_TRUE(m_hub->Unplug("keyboard", Route::Cable).empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor || !editor->IsRecording(); }, kSettleMs));
    EXPECT_TRUE(SelectorEnabled());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(MacroOwnerTest, AWindowClosedDuringARecordingEndsIt)
{
    const QPointer<CMacroControlUI> editor = OpenKeyboardMacroTab();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->StartRecording(3, 4));
    m_window.reset();
    EXPECT_TRUE(!editor || !editor->IsRecording());
}

}  // namespace
