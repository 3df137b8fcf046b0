#include "devices/headset_sound.h"

#include "controls/magic_control_ui.h"
#include "controls/voice6533_control_ui.h"
#include "devices/eq_presets.h"
#include "profiles/headset_profile_data.h"

#include <algorithm>

namespace {

constexpr int kBandCount = CHs6533Profiledata::kBandCount;
constexpr int kCustomEq = CHs6533Profiledata::kCustomEqType;
constexpr int kMaxLevel = 100;

// What the profile file or the library reports is brought into the ranges the
// page and the chip work with.
void KeepInRange(HeadsetSystemValues& values)
{
    values[kMicInValue] = std::clamp(values[kMicInValue], 0, kMaxLevel);
    values[kMicMoniterValue] = std::clamp(values[kMicMoniterValue], 0, kMaxLevel);
    values[kMagicType] = std::clamp(values[kMagicType], 0, CMagicControlUI::kTypeCount);
}

}  // namespace

// The microphone and the monitor differ only in what they address.
struct CHeadsetSound::Channel {
    std::int32_t HeadsetSound::*muted;
    HeadsetSoundValue onValue;
    HeadsetSoundValue levelValue;
    bool (IHeadsetAudio::*writeMuted)(bool);
    bool (IHeadsetAudio::*writeLevel)(int);
    void (CVoice6533ControlUI::*showOn)(bool);
    void (CVoice6533ControlUI::*showLevel)(int);
    int (CVoice6533ControlUI::*level)() const;
};

const CHeadsetSound::Channel CHeadsetSound::kMic = {
    .muted = &HeadsetSound::micMuted,
    .onValue = kMicInSelect,
    .levelValue = kMicInValue,
    .writeMuted = &IHeadsetAudio::SetMicMuted,
    .writeLevel = &IHeadsetAudio::SetMicLevel,
    .showOn = &CVoice6533ControlUI::SetMicOn,
    .showLevel = &CVoice6533ControlUI::SetMicLevel,
    .level = &CVoice6533ControlUI::GetMicLevel,
};

const CHeadsetSound::Channel CHeadsetSound::kMonitor = {
    .muted = &HeadsetSound::monitorMuted,
    .onValue = kMicMoniterSelect,
    .levelValue = kMicMoniterValue,
    .writeMuted = &IHeadsetAudio::SetMonitorMuted,
    .writeLevel = &IHeadsetAudio::SetMonitorLevel,
    .showOn = &CVoice6533ControlUI::SetMonitorOn,
    .showLevel = &CVoice6533ControlUI::SetMonitorLevel,
    .level = &CVoice6533ControlUI::GetMonitorLevel,
};

CHeadsetSound::CHeadsetSound(IHeadsetSoundHost& host) : m_host(host), m_bandGains(kBandCount)
{
    TakeMutedFromSwitches();
}

void CHeadsetSound::SetAudio(IHeadsetAudio* audio)
{
    m_audio = audio;
}

void CHeadsetSound::BindControls(CVoice6533ControlUI* sound, CMagicControlUI* magic)
{
    m_soundControl = sound;
    m_magicControl = magic;
}

void CHeadsetSound::LoadFromProfile()
{
    CHs6533Profiledata* profile = m_host.SoundProfile();
    if (!profile)
        return;
    m_sound.values = profile->ReadHeadsetSystem();
    m_curveNames = profile->ReadCustomEqNames();
    KeepInRange(m_sound.values);
    std::int32_t& curve = Value(kCustomEqSeletIndex);
    if (curve < 0 || curve >= m_curveNames.size())
        curve = -1;
    if (Value(kEqType) == kCustomEq)
        m_bandGains = StoredCurveGains(curve);
    else
        m_bandGains = StoredPresetGains(Value(kEqType));
    TakeMutedFromSwitches();
}

void CHeadsetSound::ReadAudioState()
{
    if (!m_audio)
        return;
    m_audio->ReadState(m_sound);
    KeepInRange(m_sound.values);
}

void CHeadsetSound::ShowInControls()
{
    if (CMagicControlUI* magic = m_magicControl) {
        magic->SetMagicOn(Value(kMagicEnable) != 0);
        magic->SetMagicType(Value(kMagicType));
    }
    CVoice6533ControlUI* sound = m_soundControl;
    if (!sound)
        return;
    sound->SetMicOn(Value(kMicInSelect) != 0);
    sound->SetMicLevel(Value(kMicInValue));
    sound->SetMonitorOn(Value(kMicMoniterSelect) != 0);
    sound->SetMonitorLevel(Value(kMicMoniterValue));
    sound->SetEqOption(Value(kEqType));
    sound->RemoveAllCurves();
    for (const QString& name : m_curveNames)
        sound->AddCurveName(name);
    sound->SelectCurve(Value(kCustomEqSeletIndex));
    sound->EnableCustomTools(Value(kEqType) == kCustomEq);
    ShowBandGains();
}

void CHeadsetSound::ToggleMicMute()
{
    ToggleMute(kMic);
}

void CHeadsetSound::ApplyMicLevel()
{
    ApplyLevel(kMic);
}

void CHeadsetSound::ToggleMonitorMute()
{
    ToggleMute(kMonitor);
}

void CHeadsetSound::ApplyMonitorLevel()
{
    ApplyLevel(kMonitor);
}

void CHeadsetSound::ToggleMute(const Channel& channel)
{
    std::int32_t& muted = m_sound.*channel.muted;
    CVoice6533ControlUI* sound = m_soundControl;
    muted = muted ? 0 : 1;
    if (sound)
        (sound->*channel.showOn)(!muted);
    if (!m_audio || !(m_audio->*channel.writeMuted)(muted != 0)) {
        // The switch must never show a live microphone as muted, or the reverse.
        muted = muted ? 0 : 1;
        if (sound)
            (sound->*channel.showOn)(!muted);
        return;
    }
    Value(channel.onValue) = muted ? 0 : 1;
    Store();
    Save();
}

void CHeadsetSound::ApplyLevel(const Channel& channel)
{
    CVoice6533ControlUI* sound = m_soundControl;
    if (!sound)
        return;
    const int level = std::min((sound->*channel.level)(), kMaxLevel);
    if (level < 0)
        return;
    if (!m_audio || !(m_audio->*channel.writeLevel)(level)) {
        (sound->*channel.showLevel)(Value(channel.levelValue));
        return;
    }
    Value(channel.levelValue) = level;
    Store();
    Save();
}

void CHeadsetSound::SelectEqChoice(int choice)
{
    CVoice6533ControlUI* sound = m_soundControl;
    if (choice == kCustomEq) {
        Value(kEqType) = kCustomEq;
        if (sound) {
            sound->SetEqOption(kCustomEq);
            sound->EnableCustomTools(true);
        }
        ApplySelectedCurve();
        Save();
        return;
    }
    const auto preset = q31::devices::EqPresetGains(choice);
    if (!preset)
        return;
    if (m_audio)
        m_audio->EnableEqualiser();
    for (int band = 0; band < kBandCount; ++band) {
        const int gain = (*preset)[band];
        if (sound)
            sound->SetBandSlider(band, gain);
        m_bandGains[band] = gain;
        if (m_audio)
            m_audio->SetBandGain(band + 1, gain);
    }
    Value(kEqType) = choice;
    if (sound) {
        sound->SetEqOption(choice);
        sound->EnableCustomTools(false);
    }
    Store();
    if (CHs6533Profiledata* profile = m_host.SoundProfile())
        profile->WriteEqValues(choice, m_bandGains);
    Save();
}

void CHeadsetSound::ApplyBandSlider(int slider)
{
    CVoice6533ControlUI* sound = m_soundControl;
    if (!sound || slider < 0 || slider >= kBandCount)
        return;
    if (Value(kEqType) != kCustomEq) {
        Value(kEqType) = kCustomEq;
        sound->SetEqOption(kCustomEq);
        sound->SelectCurve(-1);
        sound->EnableCustomTools(true);
    }
    if (m_audio)
        m_audio->SetBandGain(slider + 1, sound->GetBandSlider(slider));
}

void CHeadsetSound::ApplySelectedCurve()
{
    CVoice6533ControlUI* sound = m_soundControl;
    const int curve = sound ? sound->GetCurveSelection() : -1;
    if (curve < 0 || curve >= m_curveNames.size())
        return;
    m_bandGains = StoredCurveGains(curve);
    if (m_audio)
        m_audio->EnableEqualiser();
    ShowBandGains();
    if (m_audio) {
        for (int band = 0; band < kBandCount; ++band)
            m_audio->SetBandGain(band + 1, m_bandGains[band]);
    }
    Value(kCustomEqSeletIndex) = curve;
    Store();
    Save();
}

int CHeadsetSound::SaveCurve()
{
    CVoice6533ControlUI* sound = m_soundControl;
    if (!sound)
        return -1;
    CHs6533Profiledata* profile = m_host.SoundProfile();
    const QString name = sound->GetCurveName();
    if (name.isEmpty()) {
        const int selected = sound->GetCurveSelection();
        if (selected < 0)
            return -1;
        TakeSliderGains();
        Value(kCustomEqSeletIndex) = selected;
        Store();
        if (profile)
            profile->WriteCustomEqValues(selected, m_bandGains);
        Save();
        return 1;
    }
    const int count = sound->GetCurveCount();
    if (count >= kMaxCurves)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (sound->GetCurveNameAt(i).compare(name, Qt::CaseInsensitive) == 0)
            return 0;
    }
    sound->AddCurveName(name);
    TakeCurveNamesFromList();
    TakeSliderGains();
    const int added = int(m_curveNames.size()) - 1;
    Value(kCustomEqSeletIndex) = added;
    sound->SelectCurve(added);
    Store();
    if (profile) {
        profile->WriteCustomEqValues(added, m_bandGains);
        profile->WriteCustomEqNames(m_curveNames);
    }
    Save();
    return 1;
}

void CHeadsetSound::DeleteCurve()
{
    CVoice6533ControlUI* sound = m_soundControl;
    const int selected = sound ? sound->GetCurveSelection() : -1;
    if (selected < 0)
        return;
    sound->RemoveCurveAt(selected);
    TakeCurveNamesFromList();
    if (CHs6533Profiledata* profile = m_host.SoundProfile()) {
        profile->RemoveCustomEqValues(selected);
        profile->WriteCustomEqNames(m_curveNames);
    }
    // The chip keeps playing the deleted curve until another is chosen.
    if (m_curveNames.isEmpty()) {
        constexpr int kFirstPreset = 1;
        sound->SetEqOption(kFirstPreset);
        Value(kEqType) = kFirstPreset;
        Value(kCustomEqSeletIndex) = -1;
        Store();
        m_bandGains = StoredPresetGains(kFirstPreset);
        ShowBandGains();
        sound->EnableCustomTools(false);
    } else {
        Value(kCustomEqSeletIndex) = 0;
        sound->SelectCurve(0);
        Store();
        m_bandGains = StoredCurveGains(0);
        ShowBandGains();
    }
    Save();
}

void CHeadsetSound::ApplyMagicSwitch()
{
    CMagicControlUI* magic = m_magicControl;
    if (!magic)
        return;
    const bool on = magic->IsMagicOn();
    magic->SetMagicOn(on);
    if (m_audio)
        m_audio->SetVoiceChanger(on);
    Value(kMagicEnable) = on ? 1 : 0;
    Store();
    Save();
}

void CHeadsetSound::SelectMagicType(int type)
{
    if (type < 1 || type > CMagicControlUI::kTypeCount)
        return;
    if (m_audio)
        m_audio->SetVoiceType(type);
    Value(kMagicType) = type;
    if (CMagicControlUI* magic = m_magicControl)
        magic->SetMagicType(type);
    Store();
    Save();
}

// The switches show the opposite of the flags; until the library says
// otherwise the switches are the truth.
void CHeadsetSound::TakeMutedFromSwitches()
{
    m_sound.micMuted = Value(kMicInSelect) ? 0 : 1;
    m_sound.monitorMuted = Value(kMicMoniterSelect) ? 0 : 1;
}

void CHeadsetSound::Store()
{
    if (CHs6533Profiledata* profile = m_host.SoundProfile())
        profile->WriteHeadsetSystem(m_sound.values);
}

void CHeadsetSound::Save()
{
    m_host.SaveSoundProfile();
}

std::vector<int> CHeadsetSound::StoredPresetGains(int preset) const
{
    CHs6533Profiledata* profile = m_host.SoundProfile();
    std::vector<int> gains = profile ? profile->ReadEqValues(preset) : std::vector<int>();
    gains.resize(kBandCount);
    return gains;
}

// Only curves of the name list are read: the document may hold more, or fewer.
std::vector<int> CHeadsetSound::StoredCurveGains(int curve) const
{
    CHs6533Profiledata* profile = m_host.SoundProfile();
    if (!profile || curve < 0 || curve >= m_curveNames.size())
        return std::vector<int>(kBandCount);
    std::vector<int> gains = profile->ReadCustomEqValues(curve);
    gains.resize(kBandCount);
    return gains;
}

void CHeadsetSound::ShowBandGains()
{
    if (CVoice6533ControlUI* sound = m_soundControl) {
        for (int band = 0; band < kBandCount; ++band)
            sound->SetBandSlider(band, m_bandGains[band]);
    }
}

void CHeadsetSound::TakeSliderGains()
{
    if (CVoice6533ControlUI* sound = m_soundControl) {
        for (int band = 0; band < kBandCount; ++band)
            m_bandGains[band] = sound->GetBandSlider(band);
    }
}

void CHeadsetSound::TakeCurveNamesFromList()
{
    m_curveNames.clear();
    if (CVoice6533ControlUI* sound = m_soundControl) {
        for (int i = 0; i < sound->GetCurveCount(); ++i)
            m_curveNames.append(sound->GetCurveNameAt(i));
    }
}
