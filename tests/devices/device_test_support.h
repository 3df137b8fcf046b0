#pragma once
// Device objects for tests: a page built from a small skin, a managed window
// around it, and the simulator bus behind the real HID path.
#include "devices/halvorin_usb_device.h"
#include "sim/sim_hub.h"
#include "tests/common/temp_folder.h"
#include "ui/dialog_builder.h"
#include "ui/paint_manager.h"

#include <QString>

#include <memory>
#include <string>

namespace q31::test {

// A page skin: root class "HalvorinUSBDevice" (or the one given) around the given children.
std::string WritePageSkin(const TempFolder& folder, const QString& children,
                          const QString& rootClass = QStringLiteral("HalvorinUSBDevice"));
// A key button element; name and user data as given (empty user data: none).
QString KeyButtonElement(const QString& name, const QString& userData = QString());

// Waits (up to a few seconds) until nothing is queued or running on the device's worker.
bool WaitForDeviceWork(const CHalvorinUSBDevice& device);

// Builds the device page from a skin, inside a managed window.
class PageBuilder : public IDialogBuilderCallback {
public:
    QWidget* CreateControl(const QString& className, QWidget* parent) override;
    // Null when the skin could not be built.
    CHalvorinUSBDevice* Build(const std::string& skinPath);
    // A device page the program ships ("keyboarddevice.xml"), with the program's
    // theme and English texts, which size its controls.
    CHalvorinUSBDevice* BuildShipped(const std::string& skinFile);
    // The page laid out at the main window's size and shown.
    void ShowAtWindowSize(CHalvorinUSBDevice& page);

    std::unique_ptr<QWidget> host;
    CPaintManagerUI manager;
};

// The simulator as the HID back end for the life of the object.
class SimBus {
public:
    SimBus();
    // With these models in place of those of the data folder.
    explicit SimBus(const std::vector<sim::SimModel>& models);
    ~SimBus();
    // Plugs the device in by the route of the type and binds its command interface to the link.
    bool Connect(CDeviceLink& link, const std::string& device, std::uint16_t deviceType);
    // Command codes (byte 3) of the reports written to devices since the last call.
    std::vector<int> TakeCommands();
    // The path of the notification interface of a plugged device of that type; empty when there is none.
    std::string NotificationPath(std::uint16_t deviceType) const;

    std::shared_ptr<sim::SimHub> hub;
};

}  // namespace q31::test
