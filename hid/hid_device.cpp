#include "hid/hid_device.h"

#include <algorithm>
#include <climits>

#include "hid/hid_path.h"
#include "hid/report_decoding.h"
#include "hid/report_descriptor.h"

using q31::hid::CollectionReports;
using q31::hid::CurrentHidBackend;
using q31::hid::FieldCaps;
using q31::hid::HidInterfaceInfo;
using q31::hid::IHidConnection;
using q31::hid::OpenError;

namespace {

// Interface paths stay far below this; a longer one is refused rather than
// cut short, as a shortened path could name another interface.
constexpr std::size_t kMaxDevicePath = 259;

// A descriptor may declare thousands of fields; entries and usage lists
// beyond these sizes are left out rather than let a device exhaust memory.
constexpr std::size_t kMaxDataEntries = 4096;
constexpr std::uint32_t kMaxUsageList = 1024;

int TimeoutArgument(DWORD timeoutMs)
{
    return timeoutMs == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(timeoutMs, INT_MAX));
}

// Button entries first, then one value entry per usage, in caps order.
std::vector<HidData> BuildData(const CollectionReports& reports)
{
    std::vector<HidData> data;
    for (const FieldCaps& caps : reports.buttons) {
        if (data.size() >= kMaxDataEntries)
            break;
        HidData entry;
        entry.isButton = true;
        entry.usagePage = caps.usagePage;
        entry.reportId = caps.reportId;
        entry.buttonData.usageMin = caps.usageMin;
        entry.buttonData.usageMax = caps.usageMax;
        entry.buttonData.maxUsageListLength =
            std::min(q31::hid::MaxUsageListLength(reports, caps.usagePage), kMaxUsageList);
        entry.buttonData.usages.assign(entry.buttonData.maxUsageListLength, 0);
        data.push_back(std::move(entry));
    }
    for (const FieldCaps& caps : reports.values) {
        for (std::uint32_t usage = caps.usageMin; usage <= caps.usageMax && data.size() < kMaxDataEntries; ++usage) {
            HidData entry;
            entry.usagePage = caps.usagePage;
            entry.reportId = caps.reportId;
            entry.valueData.usage = static_cast<std::uint16_t>(usage);
            data.push_back(std::move(entry));
        }
    }
    return data;
}

}  // namespace

CHidDevice::CHidDevice() = default;

CHidDevice::~CHidDevice()
{
    Close();
}

bool CHidDevice::EnumeratePaths()
{
    FreePaths();
    for (HidInterfaceInfo& info : CurrentHidBackend().Enumerate())
        m_paths.push_back(std::move(info.path));
    return true;
}

const std::string* CHidDevice::NextPath()
{
    if (m_pathCursor >= m_paths.size())
        return nullptr;
    return &m_paths[m_pathCursor++];
}

void CHidDevice::FreePaths()
{
    m_paths.clear();
    m_pathCursor = 0;
}

bool CHidDevice::Open(const std::string& path, bool, bool, bool, bool)
{
    Close();
    FreeDeviceInformation();
    if (path.size() > kMaxDevicePath)
        return false;
    m_devicePath = path;

    OpenError error = OpenError::None;
    std::shared_ptr<IHidConnection> connection = CurrentHidBackend().Open(path, error);
    if (!connection || !FillDeviceInformation(connection->Info()))
        return false;
    std::lock_guard lock(m_connectionMutex);
    m_connection = std::move(connection);
    return true;
}

void CHidDevice::Close()
{
    std::shared_ptr<IHidConnection> connection;
    {
        std::lock_guard lock(m_connectionMutex);
        connection = std::move(m_connection);
    }
    // The report buffers and decoded entries stay until the next Open: a
    // reader on another thread may still be handing a report over.
    if (connection)
        connection->Abort();
}

bool CHidDevice::IsOpen() const
{
    return Connection() != nullptr;
}

std::shared_ptr<IHidConnection> CHidDevice::Connection() const
{
    std::lock_guard lock(m_connectionMutex);
    return m_connection;
}

bool CHidDevice::ReadReport(void* buffer, DWORD length, DWORD* transferred, DWORD timeoutMs)
{
    if (transferred)
        *transferred = 0;
    const std::shared_ptr<IHidConnection> connection = Connection();
    if (!connection || !buffer)
        return false;
    const int count = connection->Read(static_cast<std::uint8_t*>(buffer), length, TimeoutArgument(timeoutMs));
    if (count <= 0)
        return false;
    if (transferred)
        *transferred = static_cast<DWORD>(count);
    return true;
}

bool CHidDevice::WriteReport(const void* buffer, DWORD length, DWORD* transferred, DWORD timeoutMs)
{
    if (transferred)
        *transferred = 0;
    const std::shared_ptr<IHidConnection> connection = Connection();
    if (!connection || !buffer)
        return false;
    const int count = connection->Write(static_cast<const std::uint8_t*>(buffer), length, TimeoutArgument(timeoutMs));
    if (count <= 0)
        return false;
    if (transferred)
        *transferred = static_cast<DWORD>(count);
    return true;
}

bool CHidDevice::SetOutputReport(const void* buffer, DWORD length)
{
    const std::shared_ptr<IHidConnection> connection = Connection();
    return connection && buffer &&
           connection->SetOutputReport(static_cast<const std::uint8_t*>(buffer), length) == static_cast<int>(length);
}

bool CHidDevice::UnpackInputReport(const std::uint8_t* report, std::size_t length)
{
    if (!m_descriptor || !report || length == 0)
        return false;
    const CollectionReports& reports = m_descriptor->collections[m_collectionIndex].input;
    const std::span<const std::uint8_t> bytes(report, length);
    for (HidData& entry : m_inputData) {
        if (entry.reportId != report[0])
            continue;
        if (entry.isButton) {
            auto& button = entry.buttonData;
            std::uint32_t count = 0;
            entry.status = q31::hid::GetUsages(reports, entry.usagePage, bytes, button.usages, count);
            const auto outside = [&](std::uint16_t usage) {
                return usage < button.usageMin || usage > button.usageMax;
            };
            const auto kept = std::remove_if(button.usages.begin(), button.usages.begin() + count, outside);
            std::fill(kept, button.usages.end(), 0);
        } else {
            auto& value = entry.valueData;
            entry.status = q31::hid::GetUsageValue(reports, entry.usagePage, value.usage, bytes, value.value);
            if (entry.status != HidStatus::Success)
                return false;
            entry.status = q31::hid::GetScaledUsageValue(reports, entry.usagePage, value.usage, bytes, value.scaledValue);
        }
        entry.isSet = true;
    }
    return true;
}

bool CHidDevice::FillDeviceInformation(const HidInterfaceInfo& info)
{
    auto descriptor = q31::hid::ParseReportDescriptor(info.reportDescriptor);
    if (!descriptor)
        return false;
    m_interfaceNumber = ParseInterface(m_devicePath);
    m_collectionNumber = ParseCollection(m_devicePath);
    // A path without "&col" names an interface with a single top-level collection.
    const int index = std::max(m_collectionNumber, 1) - 1;
    if (index >= static_cast<int>(descriptor->collections.size()))
        return false;
    m_collectionIndex = index;
    m_descriptor = std::make_shared<const q31::hid::ReportDescriptor>(std::move(*descriptor));

    const q31::hid::TopLevelCollection& collection = m_descriptor->collections[index];
    m_attributes = {info.vendorId, info.productId, info.versionNumber};
    m_caps = {};
    m_caps.usage = collection.usage;
    m_caps.usagePage = collection.usagePage;
    m_caps.inputReportByteLength = collection.input.byteLength;
    m_caps.outputReportByteLength = collection.output.byteLength;
    m_caps.featureReportByteLength = collection.feature.byteLength;
    m_caps.numberInputButtonCaps = static_cast<std::uint16_t>(collection.input.buttons.size());
    m_caps.numberInputValueCaps = static_cast<std::uint16_t>(collection.input.values.size());
    m_caps.numberOutputButtonCaps = static_cast<std::uint16_t>(collection.output.buttons.size());
    m_caps.numberOutputValueCaps = static_cast<std::uint16_t>(collection.output.values.size());
    m_caps.numberFeatureButtonCaps = static_cast<std::uint16_t>(collection.feature.buttons.size());
    m_caps.numberFeatureValueCaps = static_cast<std::uint16_t>(collection.feature.values.size());

    m_inputReport.assign(collection.input.byteLength, 0);
    m_outputReport.assign(collection.output.byteLength, 0);
    m_featureReport.assign(collection.feature.byteLength, 0);
    m_inputData = BuildData(collection.input);
    m_outputData = BuildData(collection.output);
    m_featureData = BuildData(collection.feature);
    return true;
}

void CHidDevice::FreeDeviceInformation()
{
    m_descriptor.reset();
    m_collectionIndex = 0;
    m_caps = {};
    m_attributes = {};
    m_inputReport.clear();
    m_outputReport.clear();
    m_featureReport.clear();
    m_inputData.clear();
    m_outputData.clear();
    m_featureData.clear();
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}
