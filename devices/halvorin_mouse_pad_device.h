#pragma once
// The lit mouse pad's page and logic: its LED strip, profile list and
// lighting editor, its lighting settings record kept in step with the
// profile and written through the device's worker, and the preview of its
// light modes. The pad has no keys, macros or DPI settings.
#include "devices/halvorin_usb_device.h"
#include "devices/pad_effect_steps.h"
#include "devices/pad_settings_record.h"
#include "profiles/basic_profile_data.h"

#include <cstdint>
#include <vector>

class CHalvorinMousePadDevice : public CHalvorinUSBDevice {
    Q_OBJECT
public:
    // The lighting editor's layout table for the pad.
    static constexpr int kKindNumber = 3;

    explicit CHalvorinMousePadDevice(QWidget* parent = nullptr);
    ~CHalvorinMousePadDevice() override;

    QString GetClass() const override { return QStringLiteral("HalvorinMousePadDevice"); }

    int CreatePage() override;
    int ApplyProfile() override;
    void OnActivated() override;
    void SyncFromDevice() override;
    void RefreshPower() override;
    int ReloadProfile() override;
    void RefreshPage() override;
    void ResetFromProfile() override;
    // page: the settings page (0 from every caller); the other values are not the pad's.
    // 1 when the record is on its way, 0 when the link is closed and nothing is sent;
    // the link's own result decides the line under the profile bar.
    int WriteSettings(int page, int value, int value3, int value4, int value5) override;
    void LoadNameLists() override;
    void SaveProfile() override;
    void SetKindIndex(int index) override;
    void SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3) override;

    // The profile just loaded goes to the pad as one job. Called on a profile switch.
    void ApplyProfileToDevice();

    // The record as the object holds it (mode index in byte 1, speed in byte 3).
    const q31::devices::PadRecord& DeviceState() const { return m_deviceState; }
    int DeviceProfile() const { return m_deviceProfile; }
    CBasicProfiledata& Profile() { return m_profile; }

signals:
    void PageRefreshed();

private:
    void TakeRecord(const q31::devices::PadRecordFetch& fetch);
    void StartPreviewThread();
    void StepPreview();

    CBasicProfiledata m_profile;
    q31::devices::PadRecord m_deviceState{};
    // Until a read succeeds, a write reads the pad's own bytes first.
    bool m_ownBytesKnown = false;
    int m_deviceProfile = 0;
    std::vector<std::uint8_t> m_modeCodes;
    // Stepped on the preview thread only.
    q31::devices::PadWaveState m_wave;
};
