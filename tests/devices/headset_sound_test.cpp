// The headset's sound settings against a recording audio library, a profile
// document in a temporary folder and the editors built from their skins: what
// each action writes, shows and stores, and what a rejected write leaves.
#include "controls/control_registration.h"
#include "controls/magic_control_ui.h"
#include "controls/voice6533_control_ui.h"
#include "devices/eq_presets.h"
#include "devices/headset_sound.h"
#include "profiles/headset_profile_data.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/controls_test_support.h"
#include "tests/devices/recording_headset_audio.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace q31::test {
namespace {

using Calls = std::vector<std::string>;

using RecordingAudio = RecordingHeadsetAudio;

Calls BandCalls(const devices::EqBandGains& gains)
{
    Calls calls;
    for (int band = 1; band <= 10; ++band)
        calls.push_back((std::ostringstream() << "SetBandGain " << band << ' ' << gains[band - 1]).str());
    return calls;
}

Json::Value Curve(const std::vector<int>& gains)
{
    Json::Value curve(Json::arrayValue);
    for (int gain : gains) {
        Json::Value band(Json::objectValue);
        band["value"] = gain;
        curve.append(band);
    }
    return curve;
}

class HeadsetSoundTest : public ::testing::Test, public IHeadsetSoundHost {
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

        // Magic on, voice 2, preset 4, no curve, microphone on at 50, monitor off at 20.
        section["SystemSetStages"] = ParseJsonText(R"({"MagicEnable":1,"MagicType":2,"EqType":4,
            "CustomEqSeletIndex":-1,"MicInSelect":1,"MicInValue":50,"MicMoniterSelect":0,"MicMoniterValue":20})");
        section["EQHzValueInfo"][1] = Curve({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
        section["EQHzValueInfo"][4] = Curve({4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
    }

    CHs6533Profiledata* SoundProfile() override { return &profile; }
    void SaveSoundProfile() override
    {
        ++saves;
        EXPECT_TRUE(profile.Save());
    }

    // Writes the section as the profile on disk and loads everything from it.
    void Start(bool withAudio = true)
    {
        path = QString::fromStdString(folder.Path()) + QStringLiteral("/headset.Json");
        Json::Value document(Json::objectValue);
        document["profilename"] = "mine";
        document["profileUUID"] = "h";
        document["Device"].append(section);
        ASSERT_TRUE(WriteJsonFile(path, document));
        profile.SetDocumentPath(path);
        profile.LoadDeviceSection(path);
        sound.SetAudio(withAudio ? &audio : nullptr);
        sound.BindControls(soundControl, magicControl);
        sound.LoadFromProfile();
        sound.ShowInControls();
    }

    void AddCurves(const QStringList& names)
    {
        Json::Value list(Json::arrayValue);
        for (int i = 0; i < names.size(); ++i) {
            Json::Value name(Json::objectValue);
            name["Name"] = names[i].toStdString();
            list.append(name);
            section["CustomEQHzValueInfo"][i] = Curve(std::vector<int>(10, 10 + i));
        }
        section["CustomEQNameInfo"] = list;
    }

    // The profile as the disk now holds it.
    CHs6533Profiledata Stored() const
    {
        CHs6533Profiledata stored;
        stored.SetDocumentPath(path);
        stored.LoadDeviceSection(path);
        return stored;
    }
    int StoredValue(HeadsetSoundValue value) const { return Stored().ReadHeadsetSystem()[value]; }

    template <class Control>
    Control* Find(const QString& name) const
    {
        return window.root->findChild<Control*>(name);
    }
    COptionUI* Option(const QString& name) const { return Find<COptionUI>(name); }
    QSlider* Slider(const QString& name) const { return Find<QSlider>(name); }
    std::vector<int> Sliders() const
    {
        std::vector<int> values;
        for (int i = 0; i < 10; ++i)
            values.push_back(soundControl->GetBandSlider(i));
        return values;
    }

    ManagedWindow window;
    CVoice6533ControlUI* soundControl = nullptr;
    CMagicControlUI* magicControl = nullptr;
    TempFolder folder;
    QString path;
    Json::Value section{Json::objectValue};
    CHs6533Profiledata profile;
    RecordingAudio audio;
    CHeadsetSound sound{*this};
    int saves = 0;
};

TEST_F(HeadsetSoundTest, MicrophoneLevelIsWrittenAndStored)
{
    Start();
    soundControl->SetMicLevel(37);
    sound.ApplyMicLevel();
    EXPECT_EQ(audio.calls, Calls{"SetMicLevel 37"});
    EXPECT_EQ(sound.Sound().values[kMicInValue], 37);
    EXPECT_EQ(StoredValue(kMicInValue), 37);
    EXPECT_EQ(saves, 1);

    soundControl->SetMonitorLevel(64);
    sound.ApplyMonitorLevel();
    EXPECT_EQ(audio.calls.back(), "SetMonitorLevel 64");
    EXPECT_EQ(StoredValue(kMicMoniterValue), 64);
}

TEST_F(HeadsetSoundTest, RejectedLevelShowsTheStoredOneAndStoresNothing)
{
    Start();
    audio.refused = {"SetMicLevel", "SetMonitorLevel"};
    soundControl->SetMicLevel(80);
    sound.ApplyMicLevel();
    EXPECT_EQ(soundControl->GetMicLevel(), 50);
    EXPECT_EQ(sound.Sound().values[kMicInValue], 50);
    soundControl->SetMonitorLevel(90);
    sound.ApplyMonitorLevel();
    EXPECT_EQ(soundControl->GetMonitorLevel(), 20);
    EXPECT_EQ(StoredValue(kMicInValue), 50);
    EXPECT_EQ(StoredValue(kMicMoniterValue), 20);
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(HeadsetSoundTest, MuteSwitchesToggleTheirFlagsAndStoreTheSwitch)
{
    Start();
    sound.ToggleMicMute();
    EXPECT_EQ(audio.calls, Calls{"SetMicMuted 1"});
    EXPECT_EQ(sound.Sound().micMuted, 1);
    EXPECT_FALSE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_EQ(StoredValue(kMicInSelect), 0);
    sound.ToggleMicMute();
    EXPECT_EQ(audio.calls.back(), "SetMicMuted 0");
    EXPECT_TRUE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_EQ(StoredValue(kMicInSelect), 1);

    // The monitor starts off, so muted.
    sound.ToggleMonitorMute();
    EXPECT_EQ(audio.calls.back(), "SetMonitorMuted 0");
    EXPECT_TRUE(Option(QStringLiteral("6533_MicMoniter_option"))->IsSelected());
    EXPECT_EQ(StoredValue(kMicMoniterSelect), 1);
    EXPECT_EQ(saves, 3);
}

TEST_F(HeadsetSoundTest, RejectedMuteKeepsTheSwitchAndFlagAsTheyWere)
{
    Start();
    audio.refused = {"SetMicMuted", "SetMonitorMuted"};
    sound.ToggleMicMute();
    EXPECT_EQ(audio.calls, Calls{"SetMicMuted 1"});
    EXPECT_EQ(sound.Sound().micMuted, 0);
    EXPECT_TRUE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    sound.ToggleMonitorMute();
    EXPECT_EQ(sound.Sound().monitorMuted, 1);
    EXPECT_FALSE(Option(QStringLiteral("6533_MicMoniter_option"))->IsSelected());
    EXPECT_EQ(StoredValue(kMicInSelect), 1);
    EXPECT_EQ(saves, 0);
}

TEST_F(HeadsetSoundTest, WithoutTheLibrarySwitchesAndLevelsShowTheProfile)
{
    Start(false);
    sound.ToggleMicMute();
    soundControl->SetMicLevel(10);
    sound.ApplyMicLevel();
    EXPECT_TRUE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_EQ(soundControl->GetMicLevel(), 50);
    EXPECT_EQ(saves, 0);
    // The other settings are stored regardless.
    sound.SelectEqChoice(2);
    EXPECT_EQ(StoredValue(kEqType), 2);
}

TEST_F(HeadsetSoundTest, PresetsWriteTheirGainsAfterEnablingTheEqualiser)
{
    Start();
    sound.SelectEqChoice(5);
    Calls expected{"EnableEqualiser"};
    for (int band = 1; band <= 10; ++band)
        expected.push_back((std::ostringstream() << "SetBandGain " << band << " 0").str());
    EXPECT_EQ(audio.calls, expected);
    EXPECT_EQ(StoredValue(kEqType), 5);

    audio.calls.clear();
    sound.SelectEqChoice(6);
    EXPECT_EQ(audio.calls[3], "SetBandGain 3 -13");
    const devices::EqBandGains six = *devices::EqPresetGains(6);
    Calls sixCalls{"EnableEqualiser"};
    const Calls bands = BandCalls(six);
    sixCalls.insert(sixCalls.end(), bands.begin(), bands.end());
    EXPECT_EQ(audio.calls, sixCalls);
    const std::vector<int> gains(six.begin(), six.end());
    EXPECT_EQ(Sliders(), gains);
    EXPECT_EQ(sound.BandGains(), gains);
    EXPECT_TRUE(Option(QStringLiteral("6533_eq_option_6"))->IsSelected());
    EXPECT_EQ(soundControl->GetEqOption(), 6);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    EXPECT_EQ(Stored().ReadEqValues(6), gains);
    EXPECT_EQ(saves, 2);
}

TEST_F(HeadsetSoundTest, ChoicesOutsideTheListDoNothing)
{
    Start();
    for (int choice : {0, 14, -1}) {
        sound.SelectEqChoice(choice);
        sound.SelectMagicType(choice == 14 ? 5 : choice);
    }
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(soundControl->GetEqOption(), 4);
    EXPECT_EQ(magicControl->GetMagicType(), 2);
}

TEST_F(HeadsetSoundTest, MovingABandSwitchesToCustomAndWritesOnlyThatBand)
{
    AddCurves({QStringLiteral("Night")});
    section["SystemSetStages"]["CustomEqSeletIndex"] = 0;
    Start();
    soundControl->SetCurveName(QStringLiteral("draft"));
    Slider(QStringLiteral("6533_eq_hz_slider_3"))->setValue(-7);
    sound.ApplyBandSlider(3);
    EXPECT_EQ(audio.calls, Calls{"SetBandGain 4 -7"});
    EXPECT_TRUE(Option(QStringLiteral("6533_eq_option_13"))->IsSelected());
    EXPECT_FALSE(Option(QStringLiteral("6533_eq_option_4"))->IsSelected());
    EXPECT_EQ(soundControl->GetCurveSelection(), -1);
    EXPECT_EQ(soundControl->GetCurveName(), QString());
    EXPECT_TRUE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    EXPECT_EQ(sound.Sound().values[kEqType], 13);
    EXPECT_EQ(StoredValue(kEqType), 4);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(sound.BandGains(), std::vector<int>(10, 4));

    sound.ApplyBandSlider(10);
    EXPECT_EQ(audio.calls.size(), 1u);
}

TEST_F(HeadsetSoundTest, CustomChoicePlaysTheSelectedCurve)
{
    AddCurves({QStringLiteral("Night"), QStringLiteral("Day")});
    Start();
    sound.SelectEqChoice(13);
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_EQ(StoredValue(kEqType), 4);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());

    soundControl->SelectCurve(1);
    sound.ApplySelectedCurve();
    Calls expected{"EnableEqualiser"};
    const Calls bands = BandCalls(devices::EqBandGains{11, 11, 11, 11, 11, 11, 11, 11, 11, 11});
    expected.insert(expected.end(), bands.begin(), bands.end());
    EXPECT_EQ(audio.calls, expected);
    EXPECT_EQ(Sliders(), std::vector<int>(10, 11));
    EXPECT_EQ(StoredValue(kCustomEqSeletIndex), 1);
    EXPECT_EQ(StoredValue(kEqType), 13);
}

TEST_F(HeadsetSoundTest, SavingWithoutNameOrSelectionOrRoomDoesNothing)
{
    Start();
    EXPECT_EQ(sound.SaveCurve(), -1);
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty << QStringLiteral("c%1").arg(i);
    AddCurves(twenty);
    Start();
    soundControl->SetCurveName(QStringLiteral("one more"));
    EXPECT_EQ(sound.SaveCurve(), -1);
    EXPECT_EQ(sound.CurveNames().size(), 20);
    EXPECT_EQ(saves, 0);
}

TEST_F(HeadsetSoundTest, ANameTakenInAnyLetterCaseIsRefused)
{
    AddCurves({QStringLiteral("Night")});
    Start();
    soundControl->SetCurveName(QStringLiteral("nIGHT"));
    EXPECT_EQ(sound.SaveCurve(), 0);
    EXPECT_EQ(soundControl->GetCurveCount(), 1);
    EXPECT_EQ(saves, 0);
    // A name of blanks is a name.
    soundControl->SetCurveName(QStringLiteral("  "));
    EXPECT_EQ(sound.SaveCurve(), 1);
    EXPECT_EQ(sound.CurveNames(), (QStringList{QStringLiteral("Night"), QStringLiteral("  ")}));
}

TEST_F(HeadsetSoundTest, SavingTheFirstCurveStoresItSelected)
{
    Start();
    for (int i = 0; i < 10; ++i)
        soundControl->SetBandSlider(i, i - 3);
    soundControl->SetCurveName(QStringLiteral("Mine"));
    EXPECT_EQ(sound.SaveCurve(), 1);
    const std::vector<int> gains{-3, -2, -1, 0, 1, 2, 3, 4, 5, 6};
    const CHs6533Profiledata stored = Stored();
    EXPECT_EQ(stored.ReadCustomEqNames(), QStringList{QStringLiteral("Mine")});
    EXPECT_EQ(Stored().ReadCustomEqValues(0), gains);
    EXPECT_EQ(StoredValue(kCustomEqSeletIndex), 0);
    EXPECT_EQ(soundControl->GetCurveSelection(), 0);
    EXPECT_EQ(soundControl->GetCurveName(), QString());
    EXPECT_EQ(sound.BandGains(), gains);
    EXPECT_TRUE(audio.calls.empty());

    // With the name empty, the selected curve takes the sliders.
    soundControl->SetBandSlider(9, 9);
    EXPECT_EQ(sound.SaveCurve(), 1);
    EXPECT_EQ(Stored().ReadCustomEqValues(0)[9], 9);
    EXPECT_EQ(Stored().ReadCustomEqNames().size(), 1);
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(HeadsetSoundTest, DeletingTheFirstOfTwoSelectsTheOther)
{
    AddCurves({QStringLiteral("Night"), QStringLiteral("Day")});
    section["SystemSetStages"]["EqType"] = 13;
    section["SystemSetStages"]["CustomEqSeletIndex"] = 0;
    Start();
    EXPECT_EQ(Sliders(), std::vector<int>(10, 10));
    sound.DeleteCurve();
    EXPECT_EQ(sound.CurveNames(), QStringList{QStringLiteral("Day")});
    EXPECT_EQ(soundControl->GetCurveSelection(), 0);
    EXPECT_EQ(Sliders(), std::vector<int>(10, 11));
    const CHs6533Profiledata stored = Stored();
    EXPECT_EQ(stored.ReadCustomEqNames(), QStringList{QStringLiteral("Day")});
    EXPECT_EQ(stored.DeviceSection()["CustomEQHzValueInfo"].size(), 1u);
    EXPECT_EQ(Stored().ReadCustomEqValues(0), std::vector<int>(10, 11));
    EXPECT_EQ(StoredValue(kCustomEqSeletIndex), 0);
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(HeadsetSoundTest, DeletingTheOnlyCurveChoosesTheFirstPreset)
{
    AddCurves({QStringLiteral("Night")});
    section["SystemSetStages"]["EqType"] = 13;
    section["SystemSetStages"]["CustomEqSeletIndex"] = 0;
    Start();
    sound.DeleteCurve();
    EXPECT_TRUE(Option(QStringLiteral("6533_eq_option_1"))->IsSelected());
    EXPECT_EQ(Sliders(), std::vector<int>(10, 1));
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    const CHs6533Profiledata stored = Stored();
    EXPECT_TRUE(stored.DeviceSection()["CustomEQNameInfo"].isArray());
    EXPECT_EQ(stored.DeviceSection()["CustomEQNameInfo"].size(), 0u);
    EXPECT_EQ(StoredValue(kEqType), 1);
    EXPECT_EQ(StoredValue(kCustomEqSeletIndex), -1);
    EXPECT_TRUE(audio.calls.empty());

    // Nothing selected: nothing to delete.
    sound.DeleteCurve();
    EXPECT_EQ(saves, 1);
}

TEST_F(HeadsetSoundTest, VoiceChangerSwitchAndType)
{
    section["SystemSetStages"]["MagicEnable"] = 0;
    Start();
    auto* voices = Find<QWidget>(QStringLiteral("magic_option_layout"));
    EXPECT_FALSE(voices->isEnabled());
    Option(QStringLiteral("magic_enable_option"))->Selected(true);
    sound.ApplyMagicSwitch();
    EXPECT_TRUE(voices->isEnabled());
    EXPECT_EQ(StoredValue(kMagicEnable), 1);
    Option(QStringLiteral("magic_enable_option"))->Selected(false);
    sound.ApplyMagicSwitch();
    EXPECT_FALSE(voices->isEnabled());
    EXPECT_EQ(StoredValue(kMagicEnable), 0);

    sound.SelectMagicType(3);
    EXPECT_EQ(audio.calls, (Calls{"SetVoiceChanger 1", "SetVoiceChanger 0", "SetVoiceType 3"}));
    EXPECT_EQ(magicControl->GetMagicType(), 3);
    EXPECT_EQ(StoredValue(kMagicType), 3);
    EXPECT_EQ(saves, 3);
}

TEST_F(HeadsetSoundTest, ShowsTheProfileInBothEditors)
{
    AddCurves({QStringLiteral("Night"), QStringLiteral("Day")});
    section["SystemSetStages"]["EqType"] = 13;
    section["SystemSetStages"]["CustomEqSeletIndex"] = 1;
    Start();
    EXPECT_TRUE(magicControl->IsMagicOn());
    EXPECT_EQ(magicControl->GetMagicType(), 2);
    EXPECT_TRUE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_EQ(soundControl->GetMicLevel(), 50);
    EXPECT_FALSE(Option(QStringLiteral("6533_MicMoniter_option"))->IsSelected());
    EXPECT_EQ(soundControl->GetMonitorLevel(), 20);
    EXPECT_EQ(soundControl->GetEqOption(), 13);
    EXPECT_EQ(soundControl->GetCurveCount(), 2);
    EXPECT_EQ(soundControl->GetCurveSelection(), 1);
    EXPECT_TRUE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    EXPECT_EQ(Sliders(), std::vector<int>(10, 11));
    EXPECT_EQ(sound.Sound().micMuted, 0);
    EXPECT_EQ(sound.Sound().monitorMuted, 1);
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(HeadsetSoundTest, ACurveIndexOutsideTheNamesReadsAsZeroGains)
{
    // The document holds three curves but names only one.
    AddCurves({QStringLiteral("Night"), QStringLiteral("Day"), QStringLiteral("Dusk")});
    section["CustomEQNameInfo"].resize(1);
    section["SystemSetStages"]["EqType"] = 13;
    for (int index : {-1, 2, 7}) {
        section["SystemSetStages"]["CustomEqSeletIndex"] = index;
        Start();
        EXPECT_EQ(sound.BandGains(), std::vector<int>(10)) << index;
        EXPECT_EQ(sound.Sound().values[kCustomEqSeletIndex], -1) << index;
        EXPECT_EQ(soundControl->GetCurveSelection(), -1) << index;
        EXPECT_EQ(Sliders(), std::vector<int>(10)) << index;
        EXPECT_EQ(profile.DeviceSection()["CustomEQHzValueInfo"].size(), 3u) << index;
    }
}

TEST_F(HeadsetSoundTest, ImportedLevelsAndVoiceTypeAreBroughtIntoRange)
{
    section["SystemSetStages"]["MicInValue"] = 250;
    section["SystemSetStages"]["MicMoniterValue"] = -40;
    section["SystemSetStages"]["MagicType"] = 9;
    Start();
    EXPECT_EQ(sound.Sound().values[kMicInValue], 100);
    EXPECT_EQ(sound.Sound().values[kMicMoniterValue], 0);
    EXPECT_EQ(sound.Sound().values[kMagicType], 4);
    EXPECT_EQ(soundControl->GetMicLevel(), 100);
    EXPECT_EQ(magicControl->GetMagicType(), 4);
    section["SystemSetStages"]["MagicType"] = -3;
    Start();
    EXPECT_EQ(sound.Sound().values[kMagicType], 0);
}

TEST_F(HeadsetSoundTest, LibraryStateReplacesTheProfilesWithinRange)
{
    Start();
    audio.reported.values = {0, 3, 4, -1, 0, 130, 1, 45};
    audio.reported.micMuted = 1;
    sound.ReadAudioState();
    EXPECT_EQ(audio.calls, Calls{"ReadState"});
    EXPECT_EQ(sound.Sound().values, (HeadsetSystemValues{0, 3, 4, -1, 0, 100, 1, 45}));
    EXPECT_EQ(sound.Sound().micMuted, 1);
    sound.ShowInControls();
    EXPECT_FALSE(Option(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_EQ(soundControl->GetMonitorLevel(), 45);
}

TEST(HeadsetSoundWithoutPage, DoesNothingWithoutEditorsOrProfile)
{
    struct : IHeadsetSoundHost {
        CHs6533Profiledata* SoundProfile() override { return nullptr; }
        void SaveSoundProfile() override { ++saves; }
        int saves = 0;
    } host;
    RecordingAudio audio;
    CHeadsetSound sound(host);
    EXPECT_EQ(sound.Sound().micMuted, 1);
    EXPECT_EQ(sound.Sound().monitorMuted, 1);
    sound.SetAudio(&audio);
    sound.BindControls(nullptr, nullptr);
    sound.LoadFromProfile();
    sound.ShowInControls();
    sound.ApplyMicLevel();
    sound.ApplyBandSlider(0);
    sound.ApplySelectedCurve();
    sound.DeleteCurve();
    sound.ApplyMagicSwitch();
    EXPECT_EQ(sound.SaveCurve(), -1);
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(sound.BandGains(), std::vector<int>(10));
}

}  // namespace
}  // namespace q31::test
