#include "tests/protocol/link_test_support.h"

#include <QLoggingCategory>

#include <algorithm>
#include <mutex>

#include "hid/hid_catalogue.h"
#include "hid/hid_path.h"
#include "protocol/link_attach.h"
#include "sim/sim_hid_backend.h"

namespace q31::test {
namespace {

std::mutex g_linesMutex;
QStringList g_lines;
QtMessageHandler g_previousHandler = nullptr;

void CollectLine(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (QLatin1String(context.category) == QLatin1String("q31")) {
        std::lock_guard lock(g_linesMutex);
        g_lines << text;
        return;
    }
    g_previousHandler(type, context, text);
}

sim::Route RouteOf(std::uint16_t deviceType)
{
    return IsReceiverType(deviceType) ? sim::Route::Receiver : sim::Route::Cable;
}

}  // namespace

SimLinkTest::SimLinkTest()
{
    QString error;
    hub = sim::SimHub::FromDataFolder(&error, 0);
    if (!hub)
        throw std::runtime_error(error.toStdString());
    hid::SetHidBackend(std::make_shared<sim::SimHidBackend>(hub));
}

SimLinkTest::~SimLinkTest()
{
    hid::SetHidBackend(nullptr);
}

void SimLinkTest::Connect(CDeviceLink& link, const std::string& device, std::uint16_t deviceType)
{
    ASSERT_EQ(hub->Plug(device, RouteOf(deviceType)), "");
    const std::string path = InterfacePath(*hub, deviceType, kChannelCommand);
    ASSERT_FALSE(path.empty());
    ASSERT_TRUE(AttachCommandInterface(link, path, deviceType));
    hub->Log().Clear();
}

std::vector<Report> SimLinkTest::TakeRequests()
{
    std::vector<Report> requests;
    for (const sim::TrafficEntry& entry : hub->Log().Entries()) {
        if (entry.direction != sim::Direction::ToDevice || entry.bytes.size() != kReportLength)
            continue;
        Report report{};
        std::copy(entry.bytes.begin(), entry.bytes.end(), report.begin());
        requests.push_back(report);
    }
    hub->Log().Clear();
    return requests;
}

std::vector<std::uint8_t> SimLinkTest::Memory(const std::string& device, sim::Region region) const
{
    return hub->Dump(device, region).value_or(std::vector<std::uint8_t>{});
}

std::string InterfacePath(sim::SimHub& hub, std::uint16_t deviceType, std::uint16_t channel)
{
    const auto row = std::find_if(kHidInterfaceTable.begin(), kHidInterfaceTable.end(), [&](const auto& entry) {
        return entry.type == deviceType && entry.channel == channel;
    });
    if (row == kHidInterfaceTable.end())
        return {};
    for (const hid::HidInterfaceInfo& info : hub.Enumerate()) {
        if (info.vendorId == row->vendorId && info.productId == row->productId &&
            ParseInterface(info.path) == row->interfaceNumber && ParseCollection(info.path) == row->collection &&
            info.usagePage == row->usagePage && info.usage == row->usage)
            return info.path;
    }
    return {};
}

DebugCapture::DebugCapture()
{
    {
        std::lock_guard lock(g_linesMutex);
        g_lines.clear();
    }
    QLoggingCategory::setFilterRules(QStringLiteral("q31.debug=true"));
    g_previousHandler = qInstallMessageHandler(CollectLine);
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(g_previousHandler);
    QLoggingCategory::setFilterRules(QString());
}

QStringList DebugCapture::Lines() const
{
    std::lock_guard lock(g_linesMutex);
    return g_lines;
}

std::vector<std::uint8_t> Pattern(std::size_t length, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

}  // namespace q31::test
