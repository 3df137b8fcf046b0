#include "tests/devices/device_test_support.h"

#include "controls/control_registration.h"
#include "devices/halvorin_keyboard_device.h"
#include "devices/halvorin_hs6533_device.h"
#include "devices/halvorin_mouse_device.h"
#include "devices/halvorin_mouse_pad_device.h"
#include "hid/hid_catalogue.h"
#include "profiles/device_profile_ui.h"
#include "protocol/link_attach.h"
#include "sim/sim_hid_backend.h"
#include "ui/control_factory.h"
#include "ui/resource_manager.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include <array>
#include <stdexcept>
#include <utility>

namespace q31::test {

std::string WritePageSkin(const TempFolder& folder, const QString& children, const QString& rootClass)
{
    const std::string path = folder.Path() + "/page.xml";
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the page skin");
    file.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n"
                              "<widget class=\"%1\" name=\"page\">\n%2</widget>\n</ui>\n")
                   .arg(rootClass, children)
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
    // The names the skins use, with or without the class prefix.
    const QString name = className.startsWith(QLatin1Char('C')) ? className.mid(1) : className;
    if (name == QLatin1String("HalvorinKeyboardDevice"))
        return new CHalvorinKeyboardDevice(parent);
    if (name == QLatin1String("HalvorinMouseDevice"))
        return new CHalvorinMouseDevice(parent);
    if (name == QLatin1String("HalvorinMousePadDevice"))
        return new CHalvorinMousePadDevice(parent);
    if (name == QLatin1String("HalvorinHS6533Device"))
        return new CHalvorinHS6533Device(parent);
    // The pages' editors are sub-trees of their own skins, as in the main window.
    static const std::array<std::pair<const char*, const char*>, 6> kSubTrees = {{
        {"LightSetControlUI", "LightControl.xml"},
        {"DeviceProfileUI", "DeviceProfile.xml"},
        {"KeySetControlUI", "KeySetControl.xml"},
        {"Voice6533SetControlUI", "Voice6533Control.xml"},
        {"MagicSetControlUI", "MagicControl.xml"},
        {"VirtualSetControlUI", "VirtualSet.xml"},
    }};
    for (const auto& [subTree, skin] : kSubTrees) {
        if (name == QLatin1String(subTree))
            return CDialogBuilder::Create(
                QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/XML/CustomControlXML/") + QLatin1String(skin), this, parent);
    }
    return name == QLatin1String("HalvorinUSBDevice") ? new CHalvorinUSBDevice(parent) : nullptr;
}

CHalvorinUSBDevice* PageBuilder::Build(const std::string& skinPath)
{
    controls::RegisterControls(CControlFactory::GetInstance());
    q31::RegisterProfileControls(CControlFactory::GetInstance());
    q31::keys::RegisterKeySetControls(CControlFactory::GetInstance());
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

CHalvorinUSBDevice* PageBuilder::BuildShipped(const std::string& skinFile)
{
    CResourceManager::GetInstance().LoadResource(QStringLiteral("res.xml"));
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("en.json"));
    return Build(Q31_SOURCE_DATA_DIR "/skin/XML/DeviceXml/" + skinFile);
}

void PageBuilder::ShowAtWindowSize(CHalvorinUSBDevice& page)
{
    constexpr int kWindowWidth = 800;
    constexpr int kWindowHeight = 572;
    host->resize(kWindowWidth, kWindowHeight);
    page.setGeometry(0, 0, kWindowWidth, kWindowHeight);
    host->show();
    QApplication::processEvents();
}

SimBus::SimBus()
{
    QString error;
    hub = sim::SimHub::FromDataFolder(&error, 0);
    if (!hub)
        throw std::runtime_error(error.toStdString());
    hid::SetHidBackend(std::make_shared<sim::SimHidBackend>(hub));
}

SimBus::SimBus(const std::vector<sim::SimModel>& models) : hub(sim::SimHub::Create(models, 0))
{
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

std::string SimBus::NotificationPath(std::uint16_t deviceType) const
{
    for (const HidInterfaceEntry& entry : kHidInterfaceTable) {
        if (entry.type != deviceType || entry.channel != kChannelNotification)
            continue;
        for (const hid::HidInterfaceInfo& info : hub->Enumerate()) {
            if (info.productId == entry.productId && info.usagePage == entry.usagePage && info.usage == entry.usage)
                return info.path;
        }
    }
    return {};
}

bool WaitForDeviceWork(const CHalvorinUSBDevice& device)
{
    return QTest::qWaitFor([&device] { return device.IsDeviceWorkIdle(); }, 5000);
}

}  // namespace q31::test
