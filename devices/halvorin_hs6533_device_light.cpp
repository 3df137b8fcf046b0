// The headset's lighting preview: the thread that steps the light mode into
// the LED records, and the LED colours sent as output reports.
#include "devices/halvorin_hs6533_device.h"
#include "devices/headset_led_reports.h"
#include "devices/preview_passes.h"

using namespace q31::devices;

void CHalvorinHS6533Device::StartPreviewThread()
{
    m_lightTicker.Start({
        .linkOpen = [this] { return m_commandLink.IsOpen(); },
        .paused = [this] { return m_commandLink.EffectPause(); },
        .threshold = [this] { return PreviewStepThreshold(kKindHeadset, GetLightSettingsBytes()); },
        .step = [this] { StepPreview(); },
        .afterPass = [this] { StepPerLightList(); },
    });
}

void CHalvorinHS6533Device::StepPreview()
{
    const LightSettings light = GetLightSettingsBytes();
    std::lock_guard lock(m_headsetEffectLock);
    if (!StepHeadsetPreview(light[kSettingEffect], m_effect, m_wave, m_waveLights, light, m_lightRecords, TickCountMs()))
        StepCustomLightingList();
}

void CHalvorinHS6533Device::PaintLedPreview()
{
    // The LED buttons; the base sends nothing to a headset.
    CHalvorinUSBDevice::PaintLedPreview();
    if (!IsLiveLightingEnabled())
        return;
    const LiveFrame frame = HeadsetLedFrame(m_lightRecords);
    if (!m_ledFrames.Offer(frame, FrameLength(int(m_lightRecords.Size())), TickCountMs()))
        return;
    // The twelve reports of a frame are one job; a newer frame replaces one still waiting.
    RunOnDevice([this](const CStopEvent&) {
        m_ledFrames.SendNewest([this](const std::uint8_t* scaled, std::size_t length) {
            SendLedReports(scaled, length);
            return true;
        });
    });
}

void CHalvorinHS6533Device::SendLedReports(const std::uint8_t* scaled, std::size_t length)
{
    if (!m_commandLink.IsOpen())
        return;
    // A report the headset refuses is not sent again: the next frame carries fresh values.
    for (const HeadsetLedReport& report : BuildHeadsetLedReports(scaled, length))
        m_commandLink.CableInterface().SetOutputReport(report.data(), DWORD(report.size()));
}
