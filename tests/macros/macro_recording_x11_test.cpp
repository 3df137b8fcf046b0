// Recording on the macro page with real input on a private X server: what is
// typed and clicked becomes the macro's rows, and the keyboard is free again
// whenever the recording ends.
#include "macros/device_hook.h"
#include "macros/hook_macro_capture.h"
#include "macros/macro_control_ui.h"
#include "macros/recorded_event.h"
#include "tests/common/temp_folder.h"
#include "tests/macros/macro_test_support.h"
#include "tests/macros/xvfb_display.h"
#include "tests/ui/ui_test_support.h"

#include <QListWidget>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q31::macros {
namespace {

using test::XvfbDisplay;

constexpr int kWaitMs = 10000;
// The pause between two typed keys, which the row before the second must hold.
constexpr int kPauseMs = 300;

class MacroRecordingX11Test : public test::XvfbTest {
protected:
    void SetUp() override
    {
        test::XvfbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        hook = std::make_unique<CDeviceHook>(&context, display->Name());
        capture = std::make_unique<CHookMacroCapture>(*hook);
        editor = test::BuildMacroEditor();
        ASSERT_TRUE(editor);
        editor->SetPrompts({[](const QString&) { return true; }, [this](const QString& id) { notices.append(id); },
                            [] { return QString(); }, [] { return QString(); }});
        editor->SetCapture(capture.get());
        const QString folder = QString::fromStdString(temp.Path());
        test::WriteFolder(folder, {{"g0", Json::Value(Json::arrayValue)}});
        editor->SetMacroFolder(folder);
        editor->LoadMacroList();
        editor->findChild<QListWidget*>("macro_name_list")->setCurrentRow(0);
        editor->ShowSelectedMacro();
        editor->resize(900, 600);
        editor->show();
    }

    int RowCount() const { return editor->findChild<QListWidget*>("macro_action_list")->count(); }
    Json::Value Stored() const { return MacroFolder(QString::fromStdString(temp.Path())).ReadEvents("g0"); }
    void Click(const char* button)
    {
        TNotifyUI msg{QStringLiteral("click"), editor->findChild<QWidget*>(button)};
        ASSERT_TRUE(msg.pSender) << button;
        editor->OnNotify(msg);
    }
    // The centre of the stop button, in the screen pixels the capture reports.
    QPoint StopButtonCentre() const
    {
        const QWidget* stop = editor->findChild<QWidget*>("macro_btn_stopredio");
        return stop->mapToGlobal(stop->rect().center());
    }

    q31::test::ShippedSkin skin;
    q31::test::TempFolder temp;
    QObject context;
    std::unique_ptr<CDeviceHook> hook;
    std::unique_ptr<CHookMacroCapture> capture;
    std::unique_ptr<CMacroControlUI> editor;
    QStringList notices;
};

// Action, type and button of a stored event.
std::string Summary(const Json::Value& event)
{
    return event["Action"].asString() + " " + std::to_string(event["Type"].asInt()) + " " +
           std::to_string(event["Button"].asInt());
}

std::string KeyRow(std::uint16_t scan, bool down)
{
    const std::optional<RecordedEvent> key = KeyEventOf(scan, false, down);
    return key ? std::string(down ? "down" : "up") + " " + std::to_string(key->event.type) + " " +
                     std::to_string(key->event.button)
               : std::string();
}

TEST_F(MacroRecordingX11Test, TypedKeysAndClicksBecomeRowsInOrderWithTheTimeBetweenThem)
{
    Click("macro_btn_starredio");
    ASSERT_TRUE(editor->IsRecording());
    EXPECT_FALSE(capture->FocusOnly());
    EXPECT_TRUE(editor->findChild<QWidget*>("macro_record_focus_hint")->isHidden());

    // The press on the stop button's place ends a recording; it is no part of it.
    const QPoint stop = StopButtonCentre();
    ASSERT_TRUE(display->Xdotool({"mousemove", QString::number(stop.x()), QString::number(stop.y())}));
    ASSERT_TRUE(display->Xdotool({"click", "1"}));
    ASSERT_TRUE(display->Xdotool({"type", "a"}));
    QThread::msleep(kPauseMs);
    ASSERT_TRUE(display->Xdotool({"key", "b"}));
    ASSERT_TRUE(display->Xdotool({"mousemove", QString::number(stop.x()), QString::number(stop.y() + 200)}));
    ASSERT_TRUE(display->Xdotool({"click", "1"}));
    ASSERT_TRUE(display->Xdotool({"click", "3"}));

    EXPECT_TRUE(test::RunEventsUntil([&] { return RowCount() >= 8; }, kWaitMs)) << RowCount() << " rows";
    Click("macro_btn_stopredio");
    EXPECT_FALSE(editor->IsRecording());

    const Json::Value events = Stored();
    std::vector<std::string> rows;
    for (const Json::Value& event : events)
        rows.push_back(Summary(event));
    EXPECT_EQ(rows, (std::vector<std::string>{KeyRow(0x1E, true), KeyRow(0x1E, false), KeyRow(0x30, true),
                                              KeyRow(0x30, false), "down 1 1", "up 1 1", "down 1 2", "up 1 2"}));
    ASSERT_EQ(events.size(), 8u);
    EXPECT_GE(std::stoi(events[1]["Delay"].asString()), kPauseMs - 50);
    EXPECT_EQ(events[7]["Delay"].asString(), "0");
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(MacroRecordingX11Test, TheKeyboardIsFreeAfterStopAfterHidingThePageAndWithThePageGone)
{
    Click("macro_btn_starredio");
    ASSERT_TRUE(editor->IsRecording());
    EXPECT_FALSE(display->OtherCanGrabKeyboard());
    Click("macro_btn_stopredio");
    EXPECT_TRUE(display->OtherCanGrabKeyboard());

    Click("macro_btn_starredio");
    EXPECT_FALSE(display->OtherCanGrabKeyboard());
    editor->hide();
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_TRUE(display->OtherCanGrabKeyboard());

    editor->show();
    Click("macro_btn_starredio");
    EXPECT_FALSE(display->OtherCanGrabKeyboard());
    editor.reset();
    EXPECT_TRUE(display->OtherCanGrabKeyboard());
}

}  // namespace
}  // namespace q31::macros
