#include "sim/sim_interfaces.h"

#include "sim/sim_frame.h"

#include <algorithm>
#include <map>

namespace q31::sim {
namespace {

constexpr std::uint16_t kGenericDesktopPage = 0x01;
constexpr std::uint16_t kConsumerPage = 0x0C;
constexpr std::uint16_t kUsageMouse = 0x02;
constexpr std::uint16_t kUsageKeyboard = 0x06;
constexpr std::uint16_t kUsageSystemControl = 0x80;

// Short items of a report descriptor, each with the smallest data size that
// holds its value.
class DescriptorWriter {
public:
    enum Tag : std::uint8_t {
        Input = 0x80, Output = 0x90, Collection = 0xA0, EndCollection = 0xC0,
        UsagePage = 0x04, LogicalMinimum = 0x14, LogicalMaximum = 0x24, ReportSize = 0x74,
        ReportId = 0x84, ReportCount = 0x94, Usage = 0x08, UsageMinimum = 0x18, UsageMaximum = 0x28,
    };
    static constexpr std::uint8_t kApplication = 0x01;
    static constexpr std::uint8_t kDataVariable = 0x02;
    static constexpr std::uint8_t kDataArray = 0x00;
    static constexpr std::uint8_t kConstant = 0x01;

    DescriptorWriter& Item(Tag tag, std::uint32_t value)
    {
        const int size = value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4;
        m_bytes.push_back(static_cast<std::uint8_t>(tag | (size == 4 ? 3 : size)));
        for (int i = 0; i < size; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
    // Logical limits are signed: 255 needs two bytes, 65535 four.
    DescriptorWriter& Signed(Tag tag, std::int32_t value)
    {
        const int size = value >= -128 && value <= 127 ? 1 : value >= -32768 && value <= 32767 ? 2 : 4;
        m_bytes.push_back(static_cast<std::uint8_t>(tag | (size == 4 ? 3 : size)));
        for (int i = 0; i < size; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
        return *this;
    }
    DescriptorWriter& End()
    {
        m_bytes.push_back(EndCollection);
        return *this;
    }
    DescriptorWriter& Bytes(Tag mainItem, std::uint8_t usage, std::size_t count)
    {
        return Item(Usage, usage).Signed(LogicalMinimum, 0).Signed(LogicalMaximum, 0xFF).Item(ReportSize, 8)
            .Item(ReportCount, static_cast<std::uint32_t>(count)).Item(mainItem, kDataVariable);
    }
    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};
using W = DescriptorWriter;

void OpenCollection(W& writer, std::uint16_t usagePage, std::uint16_t usage)
{
    writer.Item(W::UsagePage, usagePage).Item(W::Usage, usage).Item(W::Collection, W::kApplication);
}

// The body of one top-level collection as the catalogue row asks for it.
void WriteCollection(W& writer, const SimCollection& collection)
{
    OpenCollection(writer, collection.usagePage, collection.usage);
    if (collection.carriesNotifications) {
        // An array of one 16-bit consumer usage: the first usage is the code.
        writer.Item(W::ReportId, kNotificationReportId).Item(W::UsagePage, kConsumerPage)
            .Signed(W::LogicalMinimum, 0).Signed(W::LogicalMaximum, 0xFFFF)
            .Item(W::UsageMinimum, 0).Item(W::UsageMaximum, 0xFFFF)
            .Item(W::ReportSize, 16).Item(W::ReportCount, 1).Item(W::Input, W::kDataArray);
    }
    if (collection.carriesCommands) {
        writer.Item(W::ReportId, kCommandReportId).Item(W::UsagePage, 0xFF1C)
            .Bytes(W::Input, 0x01, kCommandReportLength - 1).Bytes(W::Output, 0x02, kCommandReportLength - 1);
    }
    if (collection.ledOutputReportLength > 1) {
        writer.Item(W::ReportId, kLedOutputReportId).Item(W::UsagePage, 0xFF1C)
            .Bytes(W::Output, 0x03, collection.ledOutputReportLength - 1);
    }
    writer.End();
}

// The other collections of interface 1 that a real device numbers before the
// catalogue's: a system control and an n-key-rollover keyboard.
SimCollection WriteFillerCollection(W& writer, std::uint16_t number)
{
    if (number % 2) {
        OpenCollection(writer, kGenericDesktopPage, kUsageSystemControl);
        writer.Item(W::ReportId, number).Item(W::UsageMinimum, 0x81).Item(W::UsageMaximum, 0x83)
            .Signed(W::LogicalMinimum, 0).Signed(W::LogicalMaximum, 1).Item(W::ReportSize, 1)
            .Item(W::ReportCount, 3).Item(W::Input, W::kDataVariable)
            .Item(W::ReportCount, 5).Item(W::Input, W::kConstant).End();
        return {number, kGenericDesktopPage, kUsageSystemControl};
    }
    OpenCollection(writer, kGenericDesktopPage, kUsageKeyboard);
    writer.Item(W::ReportId, number).Item(W::UsagePage, 0x07).Item(W::UsageMinimum, 0)
        .Item(W::UsageMaximum, 0x7F).Signed(W::LogicalMinimum, 0).Signed(W::LogicalMaximum, 1)
        .Item(W::ReportSize, 1).Item(W::ReportCount, 0x80).Item(W::Input, W::kDataVariable).End();
    return {number, kGenericDesktopPage, kUsageKeyboard};
}

SimInterface BootInterfaceOf(BootInterface kind)
{
    SimInterface boot;
    W writer;
    if (kind == BootInterface::Keyboard) {
        boot.collections.push_back({0, kGenericDesktopPage, kUsageKeyboard});
        OpenCollection(writer, kGenericDesktopPage, kUsageKeyboard);
        writer.Item(W::UsagePage, 0x07).Item(W::UsageMinimum, 0xE0).Item(W::UsageMaximum, 0xE7)
            .Signed(W::LogicalMinimum, 0).Signed(W::LogicalMaximum, 1).Item(W::ReportSize, 1)
            .Item(W::ReportCount, 8).Item(W::Input, W::kDataVariable)
            .Item(W::ReportCount, 1).Item(W::ReportSize, 8).Item(W::Input, W::kConstant)
            .Item(W::ReportCount, 6).Signed(W::LogicalMaximum, 0x65).Item(W::UsageMinimum, 0)
            .Item(W::UsageMaximum, 0x65).Item(W::Input, W::kDataArray).End();
    } else {
        boot.collections.push_back({0, kGenericDesktopPage, kUsageMouse});
        OpenCollection(writer, kGenericDesktopPage, kUsageMouse);
        writer.Item(W::UsagePage, 0x09).Item(W::UsageMinimum, 1).Item(W::UsageMaximum, 5)
            .Signed(W::LogicalMinimum, 0).Signed(W::LogicalMaximum, 1).Item(W::ReportSize, 1)
            .Item(W::ReportCount, 5).Item(W::Input, W::kDataVariable)
            .Item(W::ReportCount, 3).Item(W::Input, W::kConstant)
            .Item(W::UsagePage, kGenericDesktopPage).Item(W::Usage, 0x30).Item(W::Usage, 0x31)
            .Signed(W::LogicalMinimum, -127).Signed(W::LogicalMaximum, 0x7F).Item(W::ReportSize, 8)
            .Item(W::ReportCount, 2).Item(W::Input, 0x06).End();
    }
    boot.reportDescriptor = writer.Take();
    return boot;
}

}  // namespace

std::vector<SimInterface> InterfacesOf(const SimModel& model)
{
    std::map<std::uint16_t, std::vector<SimCollection>> byInterface;
    for (const HidInterfaceEntry& row : kHidInterfaceTable) {
        if (row.type != model.deviceType)
            continue;
        SimCollection collection{row.collection, row.usagePage, row.usage};
        collection.carriesCommands = row.channel == kChannelCommand;
        collection.carriesNotifications = row.usagePage == kConsumerPage;
        if (collection.carriesCommands)
            collection.ledOutputReportLength = model.ledOutputReportLength;
        byInterface[row.interfaceNumber].push_back(collection);
    }

    std::vector<SimInterface> interfaces;
    if (model.bootInterface != BootInterface::None && !byInterface.count(0))
        interfaces.push_back(BootInterfaceOf(model.bootInterface));
    for (auto& [number, collections] : byInterface) {
        std::sort(collections.begin(), collections.end(),
                  [](const SimCollection& a, const SimCollection& b) { return a.number < b.number; });
        SimInterface interface;
        interface.number = number;
        W writer;
        std::uint16_t next = 1;
        for (const SimCollection& collection : collections) {
            for (; collection.number > 0 && next < collection.number; ++next)
                interface.collections.push_back(WriteFillerCollection(writer, next));
            WriteCollection(writer, collection);
            interface.collections.push_back(collection);
            next = static_cast<std::uint16_t>(collection.number + 1);
        }
        interface.reportDescriptor = writer.Take();
        interfaces.push_back(std::move(interface));
    }
    return interfaces;
}

}  // namespace q31::sim
