#include "devices/halvorin_usb_device.h"

#include "controls/device_key_button_ui.h"
#include "controls/light_control_ui.h"
#include "controls/select_panel_ui.h"
#include "devices/device_views.h"
#include "devices/function_panels.h"
#include "devices/indexed_name.h"
#include "devices/live_frame.h"
#include "devices/quiet_controls.h"
#include "platform/debug_log.h"
#include "platform/folders.h"
#include "platform/post_to_thread.h"
#include "protocol/link_attach.h"
#include "protocol/result_codes.h"
#include "ui/control_look.h"
#include "ui/control_text.h"
#include "ui/paint_manager.h"

#include <QLabel>

using namespace q31::devices;

namespace {

constexpr int kFullLevel = 255;
constexpr DWORD kWhiteOverlay = 0xFFFFFF;
constexpr int kReceiverLinkTries = 26;
constexpr int kReceiverLinkRetryMs = 50;
// The page's areas whose controls change the device; disabled while the page
// waits for what the device holds.
constexpr std::array kWriteAreas = {"profile_area", "lighting_area", "key_area", "device_function_switch",
                                    "device_key_function_switch"};
const QString kStatusLine = QStringLiteral("device_status_line");
const QString kWriteFailedText = QStringLiteral("device_write_failed_text");

// Direct children of the panel that are key buttons by class name.
std::vector<CDeviceKeyButtonUI*> KeyButtonsOf(const CSelectPanelUI& panel)
{
    std::vector<CDeviceKeyButtonUI*> buttons;
    for (auto* button : panel.findChildren<CDeviceKeyButtonUI*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button->GetClass() == QLatin1String("DeviceKeyButton"))
            buttons.push_back(button);
    }
    return buttons;
}

// The button's place in a table when text splits into prefix and an index below the table's size.
std::optional<int> TableIndex(const QString& text, QLatin1String prefix, std::size_t tableSize)
{
    const auto split = SplitIndexedName(text);
    if (!split || split->prefix.compare(prefix, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (split->number < 0 || std::size_t(split->number) >= tableSize)
        return std::nullopt;
    return split->number;
}

template <class T>
T* FindFirstDescendant(const QWidget& page, const QString& className)
{
    for (T* control : page.findChildren<T*>()) {
        if (control->GetClass() == className)
            return control;
    }
    return nullptr;
}

}  // namespace

CHalvorinUSBDevice::CHalvorinUSBDevice(QWidget* parent)
    : CHorizontalLayoutUI(parent), m_worker("device", [this] {
          // Closing ends a read still waiting at once; the link's locks are not taken.
          m_commandLink.CableInterface().Close();
          m_commandLink.ReceiverInterface().Close();
      })
{
}

CHalvorinUSBDevice::~CHalvorinUSBDevice()
{
    m_life.reset();
    StopDeviceThreads();
}

void CHalvorinUSBDevice::StopDeviceThreads()
{
    m_lightTicker.Stop();
    StopNotificationReaders();
    while (!m_worker.Stop(QStringLiteral("the device is going away")))
        continue;
}

void CHalvorinUSBDevice::RunOnDevice(CDeviceWorker::Job work, std::string key)
{
    m_worker.Post(std::move(work), std::move(key));
}

void CHalvorinUSBDevice::PostResult(std::function<void()> call)
{
    PostToThreadOf(this, std::move(call));
}

void CHalvorinUSBDevice::PostWrite(std::string key, std::function<int(CDeviceLink&)> write)
{
    RunOnDevice(
        [this, write = std::move(write)](const CStopEvent&) {
            const bool written = write(m_commandLink) == q31::kResultSuccess;
            PostResult([this, written] { ShowWriteResult(written); });
        },
        std::move(key));
}

void CHalvorinUSBDevice::ShowWriteResult(bool written)
{
    auto* line = findChild<QLabel*>(kStatusLine);
    if (!written)
        OutputDebugText(QStringLiteral("%1: a change did not reach the device").arg(m_kindName));
    if (!line)
        return;
    if (!written)
        q31::ui::SetTextId(line, kWriteFailedText);
    line->setVisible(!written);
}

void CHalvorinUSBDevice::CancelDeviceWork(const QString& why)
{
    m_worker.Cancel(why);
}

bool CHalvorinUSBDevice::StopDeviceWork(const QString& why, int waitMs)
{
    return m_worker.Stop(why, waitMs);
}

void CHalvorinUSBDevice::OpenCommandInterface(const std::string& path, int type, std::function<void(bool)> done)
{
    const bool receiver = q31::IsReceiverType(std::uint16_t(type));
    CancelDeviceWork(QStringLiteral("the device is reached another way"));
    // Ends an exchange still waiting on the interface being left.
    (receiver ? m_commandLink.CableInterface() : m_commandLink.ReceiverInterface()).Close();
    RunOnDevice([this, path, type, done = std::move(done)](const CStopEvent&) {
        bool opened = false;
        {
            std::lock_guard io(m_commandLink.IoLock());
            m_commandLink.SetOpen(false);
            // Opening the other interface also turns the link's mode round.
            opened = q31::AttachCommandInterface(m_commandLink, path, std::uint16_t(type));
        }
        m_liveFrames.Forget();
        PostResult([done, opened] { done(opened); });
    });
}

void CHalvorinUSBDevice::WaitForReceiverLink()
{
    // A receiver takes up to a second and more to find its device again.
    ReadForPage<bool>(
        [this](const CStopEvent& cancel) {
            for (int attempt = 0; attempt < kReceiverLinkTries && !m_commandLink.QueryReceiverLink(); ++attempt) {
                OutputDebugText(QStringLiteral("获取2.4G模式失败"));
                if (cancel.Wait(kReceiverLinkRetryMs))
                    return false;
            }
            OutputDebugText(QStringLiteral("获取2"));
            return true;
        },
        [this](bool asked) {
            if (asked)
                RefreshPower();
        });
}

void CHalvorinUSBDevice::BeginPageRead()
{
    if (m_pageReads++ == 0)
        UpdateWriteControls();
}

void CHalvorinUSBDevice::EndPageRead()
{
    if (m_pageReads > 0 && --m_pageReads == 0)
        UpdateWriteControls();
}

void CHalvorinUSBDevice::UpdateWriteControls()
{
    for (const char* area : kWriteAreas) {
        if (auto* control = findChild<QWidget*>(QLatin1String(area)))
            control->setEnabled(m_pageReads == 0);
    }
}

void CHalvorinUSBDevice::CPageNotifier::Notify(TNotifyUI& msg)
{
    if (!msg.pSender || !m_page.isAncestorOf(msg.pSender))
        return;
    OutputDebugText(QStringLiteral("测试成功   、n"));
    m_page.NotifyPump(msg);
}

void CHalvorinUSBDevice::NotifyPump(TNotifyUI&) {}

int CHalvorinUSBDevice::CreatePage()
{
    // Shown only while a change has not reached the device.
    if (auto* line = findChild<QLabel*>(kStatusLine))
        line->hide();
    // A page opens on its lighting.
    q31::devices::ShowSelected(findChild<COptionUI*>(QStringLiteral("deng_Op_tab")), true);
    SelectFunctionPanel(1);
    m_lightControl = findChild<CLightControlUI*>(QStringLiteral("LightControlItem"));
    SetLightEditor(m_lightControl);
    if (m_kindName.isEmpty()) {
        m_keyCount = 0;
        m_lightCount = 0;
        m_keyButtons.clear();
        m_lightButtons.clear();
        m_lightRecords.Resize(0);
        return 1;
    }
    m_selectPanel = FindFirstDescendant<CSelectPanelUI>(*this, QStringLiteral("SelectPanel"));
    if (!m_selectPanel)
        return 1;
    for (CDeviceKeyButtonUI* button : KeyButtonsOf(*m_selectPanel)) {
        if (auto key = TableIndex(button->objectName(), QLatin1String("key_"), m_keyButtons.size()))
            m_keyButtons[*key] = button;
        const QString userData = q31::ui::GetUserData(button);
        if (auto light = TableIndex(userData, QLatin1String("light_"), m_lightButtons.size())) {
            m_lightButtons[*light] = button;
            button->SetLightOverlay(kWhiteOverlay, kFullLevel, true);
        }
    }
    return 1;
}

int CHalvorinUSBDevice::ApplyProfile()
{
    return 0;
}

int CHalvorinUSBDevice::StepBreathingSpectrum()
{
    return q31::devices::StepBreathingSpectrum(m_effect, GetLightSettingsBytes(), m_lightRecords);
}

int CHalvorinUSBDevice::StepBreathingColours()
{
    return q31::devices::StepBreathingColours(m_effect, GetLightSettingsBytes(), m_lightRecords);
}

int CHalvorinUSBDevice::StepStatic()
{
    return q31::devices::StepStatic(GetLightSettingsBytes(), m_lightRecords);
}

int CHalvorinUSBDevice::StepSpectrum()
{
    return q31::devices::StepSpectrum(m_effect, GetLightSettingsBytes(), m_lightRecords);
}

int CHalvorinUSBDevice::StepBlinkSpectrum()
{
    return q31::devices::StepBlinkSpectrum(m_effect, GetLightSettingsBytes(), m_lightRecords, TickCountMs());
}

int CHalvorinUSBDevice::StepBlinkColours()
{
    return q31::devices::StepBlinkColours(m_effect, GetLightSettingsBytes(), m_lightRecords, TickCountMs());
}

int CHalvorinUSBDevice::StepOff()
{
    return q31::devices::StepOff(m_lightRecords);
}

void CHalvorinUSBDevice::PaintLedPreview()
{
    if (!m_liveLighting)
        return;
    LiveFrame frame{};
    const int count = int(m_lightRecords.Size());
    for (int i = 0; i < count; ++i) {
        const DWORD record = m_lightRecords.Load(i);
        CDeviceKeyButtonUI* button = GetLightButton(i);
        if (button && button->isVisible())
            button->SetLightOverlay(OverlayColour(record), UnpackLightRecord(record).a, true);
        PutFrameLight(frame, i, record);
    }
    // The headset takes its LED colours as output reports, never as the command stream.
    if (m_type != Headset)
        OfferLiveFrame(frame, FrameLength(count));
}

void CHalvorinUSBDevice::OfferLiveFrame(const LiveFrame& frame, std::size_t length)
{
    if (m_commandLink.IsReceiverMode() || !m_liveFrames.Offer(frame, length, TickCountMs()))
        return;
    RunOnDevice([this](const CStopEvent&) {
        m_liveFrames.SendNewest([this](const std::uint8_t* data, std::size_t length) {
            return m_commandLink.StreamLights(data, length) == q31::kResultSuccess;
        });
    });
}

void CHalvorinUSBDevice::SetDevedOzirav(int index, DWORD record)
{
    if (index >= 0 && std::size_t(index) < m_lightRecords.Size())
        m_lightRecords.Store(index, record);
}

DWORD CHalvorinUSBDevice::GetDevedOzirav(int index)
{
    if (index < 0 || std::size_t(index) >= m_lightRecords.Size())
        return 0;
    return m_lightRecords.Load(index);
}

void CHalvorinUSBDevice::OnActivated() {}

void CHalvorinUSBDevice::SyncFromDevice() {}

void CHalvorinUSBDevice::DeferredAction1003() {}

void CHalvorinUSBDevice::DeferredAction1004() {}

void CHalvorinUSBDevice::RefreshPower() {}

bool CHalvorinUSBDevice::IsOnline()
{
    return true;
}

int CHalvorinUSBDevice::ReloadProfile()
{
    return 0;
}

void CHalvorinUSBDevice::RefreshPage() {}

void CHalvorinUSBDevice::DropDanglingMacroKeys() {}

void CHalvorinUSBDevice::ResetFromProfile() {}

std::vector<int> CHalvorinUSBDevice::CollectKeyMacros()
{
    return {};
}

int CHalvorinUSBDevice::WriteKeyTable(int, const std::vector<KeyListEntry>&)
{
    return 0;
}

int CHalvorinUSBDevice::WriteKeyTableCurrent(int)
{
    return 0;
}

int CHalvorinUSBDevice::WriteSettings(int, int, int, int, int)
{
    return 0;
}

void CHalvorinUSBDevice::LoadNameLists() {}

void CHalvorinUSBDevice::SetExtraMap(const std::map<int, int>& map)
{
    m_extraMap = map;
}

void CHalvorinUSBDevice::DecayKeyLight(int key, int kind)
{
    m_keyLights.Decay(key, kind);
}

void CHalvorinUSBDevice::TriggerRingKeys()
{
    m_keyLights.TriggerRingKeys();
}

void CHalvorinUSBDevice::RotateRing(int direction)
{
    m_keyLights.RotateRing(direction);
}

void CHalvorinUSBDevice::ClearKeyLights()
{
    m_keyLights.Clear();
}

void CHalvorinUSBDevice::FindFunctionPanels()
{
    if (!m_functionPanel)
        m_functionPanel = findChild<CTabLayoutUI*>(QStringLiteral("device_function_switch"));
    if (!m_keyFunctionPanel)
        m_keyFunctionPanel = findChild<CTabLayoutUI*>(QStringLiteral("device_key_function_switch"));
}

int CHalvorinUSBDevice::SelectFunctionPanel(int type)
{
    m_functionPanelType = type;
    FindFunctionPanels();
    const FunctionPanelChoice choice = ChooseFunctionPanels(type, m_type);
    if (m_functionPanel)
        m_functionPanel->SelectItem(choice.functionPanel);
    if (m_keyFunctionPanel && choice.keyFunctionPanel)
        m_keyFunctionPanel->SelectItem(*choice.keyFunctionPanel);
    return choice.functionPanel;
}

int CHalvorinUSBDevice::GetFunctionPanel()
{
    return m_functionPanelType;
}

void CHalvorinUSBDevice::SaveProfileFiles() {}

QString CHalvorinUSBDevice::GetProfileName()
{
    return QString();
}

void CHalvorinUSBDevice::SaveProfile() {}

void CHalvorinUSBDevice::SetKindIndex(int index)
{
    m_kindIndex = index;
}

int CHalvorinUSBDevice::GetKindIndex()
{
    return m_kindIndex;
}

void CHalvorinUSBDevice::SetLightSettings(DWORD word0, DWORD word1, DWORD word2, DWORD word3)
{
    m_lightSettings[0] = word0;
    m_lightSettings[1] = word1;
    m_lightSettings[2] = word2;
    m_lightSettings[3] = word3 & 0xFFFF;  // only bytes 12 and 13 exist
}

void CHalvorinUSBDevice::SetLightInfo(DWORD word0, DWORD word1, DWORD word2)
{
    m_lightInfo = {word0, word1, word2};
    if (m_lightEditor)
        m_lightEditor->SetLightInfo(word0, word1, word2);
}

std::array<DWORD, 3> CHalvorinUSBDevice::GetLightInfo(int index)
{
    return m_lightEditor ? m_lightEditor->GetLightInfo(index) : m_lightInfo;
}

void CHalvorinUSBDevice::OnAudioBands(const int*, int) {}

void CHalvorinUSBDevice::OnAudioLevels(const int*) {}

QString CHalvorinUSBDevice::UserDataFolder() const
{
    return q31::UserDataFolder(m_kindName) + QLatin1Char('/');
}

QString CHalvorinUSBDevice::DefaultDataFolder() const
{
    return q31::DefaultDataFolder() + QLatin1Char('/');
}

QString CHalvorinUSBDevice::DefaultProfilePath() const
{
    return DefaultDataFolder() + m_kindName + QStringLiteral(".Json");
}

void CHalvorinUSBDevice::EnableLiveLighting(int enable)
{
    m_liveLighting = enable;
    // Meanwhile the device may have shown lights of its own.
    if (enable)
        m_liveFrames.Forget();
    if (enable && m_type == Keyboard)
        RunOnDevice([this](const CStopEvent&) { m_commandLink.TakeLightControl(); }, "take light control");
}

void CHalvorinUSBDevice::SetKeyCount(int count)
{
    m_keyCount = std::max(count, 0);
    m_keyButtons.assign(m_keyCount, nullptr);
}

void CHalvorinUSBDevice::SetLightCount(int count)
{
    m_lightCount = std::max(count, 0);
    m_lightButtons.assign(m_lightCount, nullptr);
    m_lightRecords.Resize(m_lightCount);
    std::lock_guard lock(m_lightLock);
    m_perLightSettings.assign(m_lightCount, LightSettings{});
}

void CHalvorinUSBDevice::SetPowerDisplay(int flag)
{
    m_powerDisplay = flag;
    if (m_powerControl)
        m_powerControl->ShowPowerLayout(flag);
}

void CHalvorinUSBDevice::SetPowerControl(IDevicePowerControl* control)
{
    m_powerControl = control;
    if (m_powerControl)
        m_powerControl->ShowPowerLayout(m_powerDisplay);
}

void CHalvorinUSBDevice::BindIdentity(const HidInterfaceEntry& entry)
{
    m_identity = entry;
    m_type = entry.type;
    m_channel = entry.channel;
}

CDeviceKeyButtonUI* CHalvorinUSBDevice::GetKeyButton(int index) const
{
    return index >= 0 && std::size_t(index) < m_keyButtons.size() ? m_keyButtons[index] : nullptr;
}

CDeviceKeyButtonUI* CHalvorinUSBDevice::GetLightButton(int index) const
{
    return index >= 0 && std::size_t(index) < m_lightButtons.size() ? m_lightButtons[index] : nullptr;
}

LightSettings CHalvorinUSBDevice::GetLightSettingsBytes() const
{
    LightWords words{};
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = m_lightSettings[i].load(std::memory_order_relaxed);
    return UnpackLightWords(words);
}
