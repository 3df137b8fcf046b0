#include "tests/devices/device_test_support.h"

#include "controls/control_registration.h"
#include "hid/hid_catalogue.h"
#include "protocol/link_attach.h"
#include "sim/sim_hid_backend.h"
#include "ui/control_factory.h"

#include <QFile>
#include <QTest>

#include <stdexcept>

namespace q31::test {

std::string WritePageSkin(const TempFolder& folder, const QString& children)
{
    const std::string path = folder.Path() + "/page.xml";
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the page skin");
    file.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
                              "<widget class=\"HalvorinUSBDevice\" name=\"page\">\n%1</widget>\n</ui>\n")
                   .arg(children)
                   .toUtf8());
    return path;
}

QString KeyButtonElement(const QString& name, const QString& userData)
{
    const QString data = userData.isEmpty() ? QString()
                                            : QStringLiteral("<property name=\"userdata\" stdset=\"0\">"
                                                             "<string>%1</string></property>")
                                                  .arg(userData);
    return QStringLiteral("<widget class=\"DeviceKeyButton\" name=\"%1\">%2</widget>\n").arg(name, data);
}

QWidget* PageBuilder::CreateControl(const QString& className, QWidget* parent)
{
    const bool page = className == QLatin1String("HalvorinUSBDevice") || className == QLatin1String("CHalvorinUSBDevice");
    return page ? new CHalvorinUSBDevice(parent) : nullptr;
}

CHalvorinUSBDevice* PageBuilder::Build(const std::string& skinPath)
{
    controls::RegisterKeyButtonControls(CControlFactory::GetInstance());
    host = std::make_unique<QWidget>();
    QWidget* root = CDialogBuilder::Create(QString::fromStdString(skinPath), this, host.get());
    auto* page = qobject_cast<CHalvorinUSBDevice*>(root);
    if (!page)
        return nullptr;
    page->setGeometry(0, 0, 400, 300);
    manager.Init(host.get(), page);
    manager.AddNotifier(&page->PageNotifier());
    return page;
}

SimBus::SimBus()
{
    QString error;
    hub = sim::SimHub::FromDataFolder(&error, 0);
    if (!hub)
        throw std::runtime_error(error.toStdString());
    hid::SetHidBackend(std::make_shared<sim::SimHidBackend>(hub));
}

SimBus::~SimBus()
{
    hid::SetHidBackend(nullptr);
}

bool SimBus::Connect(CDeviceLink& link, const std::string& device, std::uint16_t deviceType)
{
    const auto route = IsReceiverType(deviceType) ? sim::Route::Receiver : sim::Route::Cable;
    if (!hub->Plug(device, route).empty())
        return false;
    for (const HidInterfaceEntry& entry : kHidInterfaceTable) {
        if (entry.type != deviceType || entry.channel != kChannelCommand)
            continue;
        for (const hid::HidInterfaceInfo& info : hub->Enumerate()) {
            if (info.vendorId == entry.vendorId && info.productId == entry.productId &&
                info.usagePage == entry.usagePage && info.usage == entry.usage) {
                const bool attached = AttachCommandInterface(link, info.path, deviceType);
                hub->Log().Clear();
                return attached;
            }
        }
    }
    return false;
}

std::vector<int> SimBus::TakeCommands()
{
    std::vector<int> commands;
    for (const sim::TrafficEntry& entry : hub->Log().Entries()) {
        if (entry.direction == sim::Direction::ToDevice && entry.bytes.size() > 3)
            commands.push_back(entry.bytes[3]);
    }
    hub->Log().Clear();
    return commands;
}

bool WaitForDeviceWork(const CHalvorinUSBDevice& device)
{
    return QTest::qWaitFor([&device] { return device.IsDeviceWorkIdle(); }, 5000);
}

}  // namespace q31::test
