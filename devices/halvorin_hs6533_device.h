#pragma once
// The USB headset's page and logic. Its lighting goes through the device's
// worker like every device's: the settings record by command, the LED colours
// as raw output reports. Its sound goes through the audio chip's library,
// which the headset only knows as IHeadsetAudio.
#include "devices/halvorin_usb_device.h"
#include "devices/headset_audio.h"
#include "devices/headset_effect_steps.h"
#include "devices/headset_sound.h"
#include "devices/pad_settings_record.h"
#include "devices/live_frame_stream.h"
#include "profiles/headset_profile_data.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <mutex>
#include <vector>

class CHalvorinHS6533Device : public CHalvorinUSBDevice, private IHeadsetSoundHost {
    Q_OBJECT
public:
    static constexpr int kKindNumber = 7;

    explicit CHalvorinHS6533Device(QWidget* parent = nullptr);
    ~CHalvorinHS6533Device() override;

    QString GetClass() const override { return QStringLiteral("HalvorinHS6533Device"); }

    int CreatePage() override;
    int ApplyProfile() override;
    void PaintLedPreview() override;
    void OnActivated() override;
    void SyncFromDevice() override;
    void RefreshPower() override;
    int ReloadProfile() override;
    void RefreshPage() override;
    void ResetFromProfile() override;
    // page: the settings page; the other values are the mouse's and ignored.
    int WriteSettings(int page, int value, int value3, int value4, int value5) override;
    void LoadNameLists() override;
    void SaveProfile() override;
    void SetKindIndex(int index) override;
    void SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3) override;

    // The LED and key buttons of "hs6533_device_key_light".
    void BindPageControls();
    // The audio chip's library; not owned, and it must outlive the page. Set
    // before CreatePage, which starts it.
    void SetAudio(IHeadsetAudio* audio);
    // Starts the library once and shows, one by one, what it had to say.
    void InitAudio();
    // The microphone, monitor and voice changer state from the library.
    void ReadAudioState();
    // Profile values with the library's where it could read them.
    const HeadsetSound& Sound() const { return m_soundSettings.Sound(); }
    const std::vector<int>& BandGains() const { return m_soundSettings.BandGains(); }
    const QStringList& CustomEqNames() const { return m_soundSettings.CurveNames(); }
    // What the page's sound and voice changer editors change.
    CHeadsetSound& SoundSettings() { return m_soundSettings; }
    const q31::devices::PadRecord& DeviceState() const { return m_deviceState; }
    CHs6533Profiledata& Profile() { return m_profile; }

signals:
    // Each text of the library's start-up, as its message box opens.
    void AudioMessageShown(const QString& text);
    void PageRefreshed();

private:
    // The sound panel of the page; without a working library it says so in one line.
    void BindSoundPanel();
    void ShowSoundPanel();
    bool AudioWorks() const;
    CHs6533Profiledata* SoundProfile() override { return &m_profile; }
    void SaveSoundProfile() override { SaveProfile(); }
    void StartPreviewThread();
    void StepPreview();
    // On the worker: one frame's output reports on the cable interface.
    void SendLedReports(const std::uint8_t* scaled, std::size_t length);

    CHs6533Profiledata m_profile;
    CHeadsetSound m_soundSettings{*this};
    q31::devices::PadRecord m_deviceState{};
    std::vector<std::uint8_t> m_modeCodes;
    IHeadsetAudio* m_audio = nullptr;
    bool m_audioStarted = false;
    // Stepped on the preview thread only.
    std::mutex m_headsetEffectLock;
    q31::devices::PadWaveState m_wave;
    q31::devices::CKeyLights m_waveLights;
    q31::devices::CLiveFrameStream m_ledFrames;
};
