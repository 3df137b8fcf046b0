#pragma once
// The profile bar of the keyboard and mouse pages joined to the main window:
// each operation of the bar on the device's files, the combo shown as the
// list on disk then is, and the profile the device holds kept in step. A
// switch waits until the selection has rested 400 ms, so that scrolling
// through the combo writes the device once.
#include "app/notify_owners.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class CDeviceProfileUI;
class CHalvorinUSBDevice;
class QWidget;

namespace q31 {
struct ProfileOutcome;
}

namespace q31::app {

// What the bar asks of the person; tests answer instead.
struct ProfilePrompts {
    std::function<bool(const QString& textId)> confirm;  // a question with confirm and cancel
    std::function<void(const QString& textId)> notice;   // a message with confirm only
    std::function<QString()> openFilePath;               // empty when cancelled
    std::function<QString()> saveFilePath;               // empty when cancelled
};

// The message boxes and Qt's file dialogs over the window window() gives.
ProfilePrompts DesktopProfilePrompts(std::function<QWidget*()> window);

class CProfileOwner {
public:
    static constexpr unsigned kSwitchDelayMs = 400;

    // Registers for the bar's notifications and the switch timer.
    CProfileOwner(CNotifyOwners& owners, ProfilePrompts prompts);
    CProfileOwner(const CProfileOwner&) = delete;
    CProfileOwner& operator=(const CProfileOwner&) = delete;

    // A new page: its bar shows the device's profiles and hides the function
    // tabs the device lacks. Pages without a bar are left alone.
    void BindPage(CHalvorinUSBDevice& device);

    void OnNotify(const TNotifyUI& msg);
    // The switch timer fired: every page whose selection changed takes its profile.
    void OnSwitchTimer();

private:
    struct Page;
    void Add(const Page& page);
    void Copy(const Page& page);
    void Rename(const Page& page);
    void Delete(const Page& page);
    void Reset(const Page& page);
    void RestoreDefaults(const Page& page);
    void Import(const Page& page);
    void Export(const Page& page);
    void ScheduleSwitch(CHalvorinUSBDevice& device);
    void Switch(const Page& page);

    // Shows the list the operation left, with the profile at index selected;
    // a failure says so under the bar (refusedTextId: a document that is no
    // profile). True when the operation was done.
    bool Show(const Page& page, const ProfileOutcome& outcome, int index, const QString& refusedTextId = {});

    CNotifyOwners& m_owners;
    ProfilePrompts m_prompts;
    std::vector<QPointer<CHalvorinUSBDevice>> m_pendingSwitches;
};

// The device page that holds a control of its profile bar; null for others.
CHalvorinUSBDevice* PageOf(QWidget* control);

}  // namespace q31::app
