#pragma once
// The headset's sound settings: the sound state of its profile ("SystemSetStages"),
// the band gains in use and the custom curve names, kept in step with the
// sound and voice changer editors of the page, the audio chip's library and the
// profile document. Every operation runs on the UI thread.
#include "devices/headset_audio.h"

#include <QPointer>
#include <QStringList>

#include <vector>

class CHs6533Profiledata;
class CMagicControlUI;
class CVoice6533ControlUI;

class IHeadsetSoundHost {
public:
    virtual ~IHeadsetSoundHost() = default;
    virtual CHs6533Profiledata* SoundProfile() = 0;  // the current profile document; may be null
    virtual void SaveSoundProfile() = 0;              // puts the document on disk
};

class CHeadsetSound {
public:
    static constexpr int kMaxCurves = 20;

    explicit CHeadsetSound(IHeadsetSoundHost& host);

    // Null when the library is missing: then every write counts as rejected.
    void SetAudio(IHeadsetAudio* audio);
    // Either editor may be null.
    void BindControls(CVoice6533ControlUI* sound, CMagicControlUI* magic);

    // The profile's sound state, band gains in use and curve names. The file
    // is the user's: levels and the voice type are brought into range, and a
    // curve index outside the names selects no curve.
    void LoadFromProfile();
    // The microphone, monitor and voice changer state as the library reports it.
    void ReadAudioState();
    // Fills both editors from the state.
    void ShowInControls();

    // A write the library rejects leaves state, profile and editor as they were.
    void ToggleMicMute();
    void ApplyMicLevel();
    void ToggleMonitorMute();
    void ApplyMonitorLevel();

    // 1 .. 12 plays that preset; 13 plays the selected custom curve.
    void SelectEqChoice(int choice);
    // Slider 0 .. 9 plays on the chip only; the curve is kept by SaveCurve.
    void ApplyBandSlider(int slider);
    void ApplySelectedCurve();
    // 1 saved; 0 the name is taken (the caller tells the user); -1 nothing to
    // save or no room for another curve.
    int SaveCurve();
    void DeleteCurve();

    void ApplyMagicSwitch();
    void SelectMagicType(int type);

    const HeadsetSound& Sound() const { return m_sound; }
    const std::vector<int>& BandGains() const { return m_bandGains; }
    const QStringList& CurveNames() const { return m_curveNames; }

private:
    struct Channel;
    static const Channel kMic;
    static const Channel kMonitor;

    void ToggleMute(const Channel& channel);
    void ApplyLevel(const Channel& channel);
    std::int32_t& Value(HeadsetSoundValue value) { return m_sound.values[value]; }
    void TakeMutedFromSwitches();
    void Store();
    void Save();
    std::vector<int> StoredPresetGains(int preset) const;
    std::vector<int> StoredCurveGains(int curve) const;
    void ShowBandGains();
    void TakeSliderGains();
    void TakeCurveNamesFromList();

    IHeadsetSoundHost& m_host;
    IHeadsetAudio* m_audio = nullptr;
    QPointer<CVoice6533ControlUI> m_soundControl;
    QPointer<CMagicControlUI> m_magicControl;
    HeadsetSound m_sound;
    std::vector<int> m_bandGains;
    QStringList m_curveNames;
};
