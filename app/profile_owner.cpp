#include "app/profile_owner.h"

#include "app/main_wnd.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_hs6533_device.h"
#include "devices/halvorin_mouse_device.h"
#include "devices/halvorin_mouse_pad_device.h"
#include "profiles/device_profile_ui.h"
#include "profiles/profile_operations.h"
#include "ui/msg_wnd.h"
#include "ui/resource_manager.h"

#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>
#include <optional>

namespace q31::app {
namespace {

const QString kProfileFilter = QStringLiteral("Profile Files(*.json)");
const QString kStatusLine = QStringLiteral("device_status_line");

int DpiOf(const QWidget* widget)
{
    const CPaintManagerUI* manager = widget ? CPaintManagerUI::ForControl(widget) : nullptr;
    return manager ? manager->GetDPI() : CPaintManagerUI::kDefaultDpi;
}

// 1 keyboard, 2 mouse, 3 mouse pad, 7 headset; 0 for the devices whose pages have no profile bar.
int DeviceKindOf(CHalvorinUSBDevice& device)
{
    if (qobject_cast<CHalvorinKeyboardDevice*>(&device))
        return CHalvorinKeyboardDevice::kKindNumber;
    if (qobject_cast<CHalvorinMouseDevice*>(&device))
        return CHalvorinMouseDevice::kKindNumber;
    if (qobject_cast<CHalvorinMousePadDevice*>(&device))
        return CHalvorinMousePadDevice::kKindNumber;
    if (qobject_cast<CHalvorinHS6533Device*>(&device))
        return CHalvorinHS6533Device::kKindNumber;
    return 0;
}

// The whole profile the page holds goes to the device as one job of its worker.
void SendProfile(CHalvorinUSBDevice& device)
{
    if (auto* keyboard = qobject_cast<CHalvorinKeyboardDevice*>(&device))
        keyboard->ApplyProfileToDevice();
    else if (auto* mouse = qobject_cast<CHalvorinMouseDevice*>(&device))
        mouse->ApplyProfileToDevice();
    else if (auto* pad = qobject_cast<CHalvorinMousePadDevice*>(&device))
        pad->ApplyProfileToDevice();
    else if (auto* headset = qobject_cast<CHalvorinHS6533Device*>(&device))
        headset->WriteSettings(0, 0, 0, 0, 0);
}

// The page takes the profile the list selects, shows it and sends it.
void TakeSelectedProfile(CHalvorinUSBDevice& device)
{
    device.ReloadProfile();
    device.DropDanglingMacroKeys();
    device.RefreshPage();
    SendProfile(device);
}

// The text of a language key with the file named in it; the text is never a format.
QString TextNaming(const QString& textId, const QString& file)
{
    QString text = CResourceManager::GetInstance().GetText(textId);
    return text.replace(QStringLiteral("%s"), QDir::toNativeSeparators(file));
}

void ShowFailure(CHalvorinUSBDevice& device, const QString& text)
{
    if (auto* line = device.findChild<QLabel*>(kStatusLine)) {
        line->setText(text);
        line->show();
    }
}

}  // namespace

struct CProfileOwner::Page {
    CHalvorinUSBDevice& device;
    CDeviceProfileUI& bar;
    ProfileOperations operations;

    int Selected() const { return bar.GetSelectedIndex(); }

    static std::optional<Page> Of(CHalvorinUSBDevice* device)
    {
        CDeviceProfileUI* bar = device ? device->findChild<CDeviceProfileUI*>() : nullptr;
        const int kind = device ? DeviceKindOf(*device) : 0;
        if (!bar || kind == 0)
            return std::nullopt;
        return Page{*device, *bar, ProfileOperations(device->UserDataFolder(), device->DefaultProfilePath(), kind)};
    }
};

CHalvorinUSBDevice* PageOf(QWidget* control)
{
    for (QWidget* widget = control; widget; widget = widget->parentWidget()) {
        if (auto* page = qobject_cast<CHalvorinUSBDevice*>(widget))
            return page;
    }
    return nullptr;
}

ProfilePrompts DesktopProfilePrompts(std::function<QWidget*()> window)
{
    return {
        [window](const QString& textId) { return ShowMessageBox(window(), {}, textId, DpiOf(window()), true, 1) == 1; },
        [window](const QString& textId) { ShowMessageBox(window(), {}, textId, DpiOf(window()), true, 0); },
        [window] { return QFileDialog::getOpenFileName(window(), {}, {}, kProfileFilter); },
        [window] { return QFileDialog::getSaveFileName(window(), {}, {}, kProfileFilter); },
    };
}

CProfileOwner::CProfileOwner(CNotifyOwners& owners, ProfilePrompts prompts)
    : m_owners(owners), m_prompts(std::move(prompts))
{
    owners.Register(NotifyOwner::ProfileOperations, [this](TNotifyUI& msg) { OnNotify(msg); });
    owners.RegisterTimer(CMainWnd::kTimerProfileSwitch, [this] { OnSwitchTimer(); });
}

void CProfileOwner::BindPage(CHalvorinUSBDevice& device)
{
    CDeviceProfileUI* bar = device.findChild<CDeviceProfileUI*>();
    const int kind = DeviceKindOf(device);
    if (!bar || kind == 0)
        return;
    bar->SetDeviceKind(kind);
    bar->SetPaths(device.UserDataFolder(), device.DefaultProfilePath());
    bar->SetFunctionTabScope(&device);
    bar->LoadProfileList();
}

void CProfileOwner::OnNotify(const TNotifyUI& msg)
{
    const auto page = Page::Of(PageOf(msg.pSender));
    if (!page)
        return;
    const QString name = msg.pSender->objectName();
    if (msg.sType == QLatin1String("itemselect")) {
        if (name == QLatin1String("device_profile_combo"))
            ScheduleSwitch(page->device);
        return;
    }
    if (msg.sType != QLatin1String("click"))
        return;
    const std::pair<const char*, void (CProfileOwner::*)(const Page&)> operations[] = {
        {"device_add_btn", &CProfileOwner::Add},       {"device_copy_btn", &CProfileOwner::Copy},
        {"device_profile_edit_save_btn", &CProfileOwner::Rename}, {"device_sub_btn", &CProfileOwner::Delete},
        {"device_reset_btn", &CProfileOwner::Reset},   {"default_btn", &CProfileOwner::RestoreDefaults},
        {"device_import_btn", &CProfileOwner::Import}, {"device_export_btn", &CProfileOwner::Export},
    };
    for (const auto& [button, operation] : operations) {
        if (name == QLatin1String(button)) {
            (this->*operation)(*page);
            return;
        }
    }
    if (name == QLatin1String("profile_fun_spread_btn"))
        page->bar.ShowProfileMenu(!page->bar.IsProfileMenuVisible());
}

bool CProfileOwner::Show(const Page& page, const ProfileOutcome& outcome, int index, const QString& refusedTextId)
{
    using Status = ProfileOutcome::Status;
    switch (outcome.status) {
    case Status::Done:
        page.bar.ShowList(outcome.list, index);
        return true;
    case Status::NameInUse:
        m_prompts.notice(QStringLiteral("message_text_5"));
        break;
    case Status::BlankName:
        m_prompts.notice(QStringLiteral("message_text_25"));
        break;
    case Status::NotAProfile:
        ShowFailure(page.device, TextNaming(refusedTextId, outcome.file));
        break;
    case Status::WriteFailed:
        ShowFailure(page.device, TextNaming(QStringLiteral("profile_file_failed_text"), outcome.file));
        break;
    case Status::Unchanged:
        break;
    }
    // The combo stays as it is: the list on disk did not change.
    return false;
}

void CProfileOwner::Add(const Page& page)
{
    if (page.bar.ProfileCount() >= kMaxAddedProfiles)
        return;
    const ProfileOutcome outcome = page.operations.Add();
    // The list selects the new profile for the next start: the page takes it now, so both agree.
    if (Show(page, outcome, ProfileListFile::SelectedIndex(outcome.list)))
        ScheduleSwitch(page.device);
}

void CProfileOwner::Copy(const Page& page)
{
    Show(page, page.operations.Copy(page.Selected()), page.Selected());
}

void CProfileOwner::Rename(const Page& page)
{
    Show(page, page.operations.Rename(page.Selected(), page.bar.GetNameEditText()), page.Selected());
}

void CProfileOwner::Delete(const Page& page)
{
    const ProfileOutcome outcome = page.operations.Delete(page.Selected());
    if (Show(page, outcome, ProfileListFile::SelectedIndex(outcome.list)))
        ScheduleSwitch(page.device);
}

void CProfileOwner::Reset(const Page& page)
{
    if (!m_prompts.confirm(QStringLiteral("message_text_22")))
        return;
    const int selected = page.Selected();
    if (Show(page, page.operations.Reset(selected), selected))
        Switch(page);
}

void CProfileOwner::RestoreDefaults(const Page& page)
{
    if (!m_prompts.confirm(QStringLiteral("message_text_22")))
        return;
    // The defaults go into the profile the combo shows, also while its switch still waits.
    const ProfileOutcome selected = page.operations.Select(page.Selected());
    if (selected.status == ProfileOutcome::Status::WriteFailed) {
        Show(page, selected, page.Selected());
        return;
    }
    std::erase(m_pendingSwitches, QPointer(&page.device));
    page.device.ReloadProfile();
    page.device.ResetFromProfile();
    SendProfile(page.device);
}

void CProfileOwner::Import(const Page& page)
{
    if (page.Selected() < 0)
        return;
    const QString path = m_prompts.openFilePath();
    if (path.isEmpty())
        return;
    Show(page, page.operations.Import(path), page.Selected(), QStringLiteral("profile_import_refused_text"));
}

void CProfileOwner::Export(const Page& page)
{
    if (page.Selected() < 0)
        return;
    QString path = m_prompts.saveFilePath();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    // Refused when the profile's own document does not parse.
    Show(page, page.operations.Export(page.Selected(), path), page.Selected(),
         QStringLiteral("profile_export_unreadable_text"));
}

void CProfileOwner::ScheduleSwitch(CHalvorinUSBDevice& device)
{
    const QPointer<CHalvorinUSBDevice> pending(&device);
    if (std::ranges::find(m_pendingSwitches, pending) == m_pendingSwitches.end())
        m_pendingSwitches.push_back(pending);
    // Each selection starts the wait again.
    m_owners.StartTimer(CMainWnd::kTimerProfileSwitch, kSwitchDelayMs);
}

void CProfileOwner::OnSwitchTimer()
{
    const std::vector<QPointer<CHalvorinUSBDevice>> pending = std::exchange(m_pendingSwitches, {});
    for (const QPointer<CHalvorinUSBDevice>& device : pending) {
        if (const auto page = Page::Of(device))
            Switch(*page);
    }
}

void CProfileOwner::Switch(const Page& page)
{
    std::erase(m_pendingSwitches, QPointer(&page.device));
    const int selected = page.Selected();
    const ProfileOutcome outcome = page.operations.Select(selected);
    // The combo shows what the list selects: on a failed write, or a selection the list
    // no longer has (it changed on disk), the profile the device keeps.
    Show(page, outcome, selected);
    page.bar.ShowList(outcome.list, ProfileListFile::SelectedIndex(outcome.list));
    if (outcome.status == ProfileOutcome::Status::WriteFailed)
        return;
    TakeSelectedProfile(page.device);
}

}  // namespace q31::app
