// The headset's sound editors joined to the main window's notification owners:
// the user's actions on the real editors reach the current page's sound
// settings, and reach nothing while the current device is no headset.
#include "app/notify_owners.h"
#include "app/sound_owner.h"
#include "controls/control_registration.h"
#include "controls/magic_control_ui.h"
#include "controls/voice6533_control_ui.h"
#include "devices/headset_sound.h"
#include "tests/controls/controls_test_support.h"
#include "tests/devices/recording_headset_audio.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

using Calls = std::vector<std::string>;

// Forwards what the editors report to the owners, as the main window does.
class OwnersNotifier : public INotifyUI {
public:
    explicit OwnersNotifier(const app::CNotifyOwners& owners) : m_owners(owners) {}
    void Notify(TNotifyUI& msg) override { m_owners.Dispatch(msg); }

private:
    const app::CNotifyOwners& m_owners;
};

class SoundOwnerTest : public ::testing::Test, public IHeadsetSoundHost {
protected:
    void SetUp() override
    {
        controls::RegisterControls(CControlFactory::GetInstance());
        const QString folder = QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/XML/CustomControlXML/");
        soundControl = qobject_cast<CVoice6533ControlUI*>(
            CDialogBuilder::Create(folder + QStringLiteral("Voice6533Control.xml"), nullptr, window.root));
        magicControl = qobject_cast<CMagicControlUI*>(
            CDialogBuilder::Create(folder + QStringLiteral("MagicControl.xml"), nullptr, window.root));
        ASSERT_NE(soundControl, nullptr);
        ASSERT_NE(magicControl, nullptr);
        sound.SetAudio(&audio);
        sound.BindControls(soundControl, magicControl);
        app::RegisterSoundOwner(
            owners, [this] { return headsetIsCurrent ? &sound : nullptr; },
            [this](const QString& textId) { notices << textId; });
        window.manager.AddNotifier(&forward);
        sound.ShowInControls();
    }
    void TearDown() override { window.manager.RemoveNotifier(&forward); }

    CHs6533Profiledata* SoundProfile() override { return nullptr; }
    void SaveSoundProfile() override {}

    template <class Control>
    Control* Find(const QString& name) const
    {
        return window.root->findChild<Control*>(name);
    }
    // The user moves a slider one step up.
    void StepUp(const QString& name) const { Find<QSlider>(name)->triggerAction(QAbstractSlider::SliderSingleStepAdd); }

    ManagedWindow window;
    CVoice6533ControlUI* soundControl = nullptr;
    CMagicControlUI* magicControl = nullptr;
    RecordingHeadsetAudio audio;
    CHeadsetSound sound{*this};
    app::CNotifyOwners owners{[](UINT, UINT) { return true; }};
    OwnersNotifier forward{owners};
    bool headsetIsCurrent = true;
    QStringList notices;
};

TEST_F(SoundOwnerTest, SwitchesAndLevelsReachTheSoundSettings)
{
    Find<COptionUI>(QStringLiteral("6533_MicIn_option"))->click();
    Find<COptionUI>(QStringLiteral("6533_MicMoniter_option"))->click();
    soundControl->SetMicLevel(36);
    StepUp(QStringLiteral("6533_MicIn_slider"));
    StepUp(QStringLiteral("6533_MicMoniter_slider"));
    // Both start off, so muted.
    EXPECT_EQ(audio.calls, (Calls{"SetMicMuted 0", "SetMonitorMuted 0", "SetMicLevel 37", "SetMonitorLevel 1"}));
    EXPECT_TRUE(Find<COptionUI>(QStringLiteral("6533_MicIn_option"))->IsSelected());
    Find<COptionUI>(QStringLiteral("6533_MicIn_option"))->click();
    EXPECT_EQ(audio.calls.back(), "SetMicMuted 1");
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("6533_MicIn_option"))->IsSelected());
}

TEST_F(SoundOwnerTest, EqualiserChoicesBandsAndCurvesReachTheSoundSettings)
{
    Find<COptionUI>(QStringLiteral("6533_eq_option_6"))->click();
    ASSERT_EQ(audio.calls.size(), 11u);
    EXPECT_EQ(audio.calls[0], "EnableEqualiser");
    EXPECT_EQ(audio.calls[3], "SetBandGain 3 -13");
    // A band moved after a preset switches to the custom curve.
    audio.calls.clear();
    StepUp(QStringLiteral("6533_eq_hz_slider_2"));
    EXPECT_EQ(audio.calls, Calls{"SetBandGain 3 -12"});
    EXPECT_EQ(soundControl->GetEqOption(), 13);

    soundControl->SetCurveName(QStringLiteral("Night"));
    Find<QPushButton>(QStringLiteral("hs_EQ_btn_save"))->click();
    soundControl->SetCurveName(QStringLiteral("Day"));
    Find<QPushButton>(QStringLiteral("hs_EQ_btn_save"))->click();
    EXPECT_EQ(sound.CurveNames(), (QStringList{QStringLiteral("Night"), QStringLiteral("Day")}));
    EXPECT_TRUE(notices.isEmpty());
    soundControl->SetCurveName(QStringLiteral("DAY"));
    Find<QPushButton>(QStringLiteral("hs_EQ_btn_save"))->click();
    EXPECT_EQ(notices, QStringList{QStringLiteral("message_text_5")});

    audio.calls.clear();
    Find<QComboBox>(QStringLiteral("custom_eq_name_combo"))->setCurrentIndex(0);
    ASSERT_EQ(audio.calls.size(), 11u);
    EXPECT_EQ(audio.calls[0], "EnableEqualiser");
    Find<QPushButton>(QStringLiteral("hs_EQ_btn_delete"))->click();
    EXPECT_EQ(sound.CurveNames(), QStringList{QStringLiteral("Day")});
}

TEST_F(SoundOwnerTest, VoiceChangerReachesTheSoundSettings)
{
    Find<COptionUI>(QStringLiteral("magic_enable_option"))->click();
    Find<COptionUI>(QStringLiteral("magic_option_3"))->click();
    Find<COptionUI>(QStringLiteral("magic_option_1"))->click();
    EXPECT_EQ(audio.calls, (Calls{"SetVoiceChanger 1", "SetVoiceType 3", "SetVoiceType 1"}));
}

TEST_F(SoundOwnerTest, NothingHappensWhileTheCurrentDeviceIsNoHeadset)
{
    headsetIsCurrent = false;
    Find<COptionUI>(QStringLiteral("6533_eq_option_2"))->click();
    Find<COptionUI>(QStringLiteral("magic_enable_option"))->click();
    soundControl->SetCurveName(QStringLiteral("Night"));
    Find<QPushButton>(QStringLiteral("hs_EQ_btn_save"))->click();
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_TRUE(sound.CurveNames().isEmpty());
}

TEST_F(SoundOwnerTest, OtherNotificationsOfTheControlsAreNotTaken)
{
    QWidget stranger;
    stranger.setObjectName(QStringLiteral("6533_eq_option_x"));
    const std::pair<const char*, QWidget*> ignored[] = {
        {"click", Find<QWidget>(QStringLiteral("6533_eq_option_2"))},
        {"movevaluechanged", Find<QWidget>(QStringLiteral("6533_MicIn_slider"))},
        {"selectchanged", &stranger},
    };
    for (const auto& [type, sender] : ignored) {
        TNotifyUI msg{QString::fromLatin1(type), sender, 1, 0};
        EXPECT_FALSE(app::HandleSoundNotify(msg, sound, {})) << type;
    }
    // An option of a group that lost its selection.
    TNotifyUI cleared{QStringLiteral("selectchanged"), Find<QWidget>(QStringLiteral("magic_option_2")), 0, 0};
    EXPECT_FALSE(app::HandleSoundNotify(cleared, sound, {}));
    EXPECT_TRUE(audio.calls.empty());
}

}  // namespace
}  // namespace q31::test
