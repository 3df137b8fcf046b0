#include "hid/hidraw_backend.h"

#include <QString>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "hid/hid_device.h"
#include "tests/hid/fake_sysfs.h"
#include "tests/hid/test_descriptors.h"

using namespace std::chrono_literals;
using q31::hid::HidInterfaceInfo;
using q31::hid::OpenError;
using q31::test::FakeSysfs;

namespace {

constexpr const char* kKeyboardCommand = "/dev/hidraw3#vid_3a9d&pid_6b01&mi_01&col02#0003:3A9D:6B01.0007";
constexpr const char* kKeyboardNotification = "/dev/hidraw3#vid_3a9d&pid_6b01&mi_01&col01#0003:3A9D:6B01.0007";
constexpr const char* kHeadset = "/dev/hidraw5#vid_0c76&pid_1630&mi_03#0003:0C76:1630.0009";

class HidrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sysfs.AddNode("hidraw3", "0003:3A9D:6B01.0007", 1, q31::test::kTwoCollectionDescriptor);
        m_sysfs.AddNode("hidraw5", "0003:0C76:1630.0009", 3, q31::test::kHeadsetDescriptor);
        m_backend = q31::hid::MakeHidrawBackend(m_sysfs.Environment());
    }

    std::unique_ptr<q31::hid::IHidConnection> Open(const std::string& path)
    {
        OpenError error = OpenError::Other;
        auto connection = m_backend->Open(path, error);
        EXPECT_EQ(error, connection ? OpenError::None : error);
        return connection;
    }

    FakeSysfs m_sysfs;
    std::shared_ptr<q31::hid::IHidBackend> m_backend;
};

TEST_F(HidrawTest, ListsOneInterfacePerTopLevelCollection)
{
    const std::vector<HidInterfaceInfo> interfaces = m_backend->Enumerate();
    ASSERT_EQ(interfaces.size(), 3u);
    EXPECT_EQ(interfaces[0].path, kKeyboardNotification);
    EXPECT_EQ(interfaces[0].usagePage, 0x000C);
    EXPECT_EQ(interfaces[0].usage, 0x01);
    EXPECT_EQ(interfaces[1].path, kKeyboardCommand);
    EXPECT_EQ(interfaces[1].usagePage, 0xFF1C);
    EXPECT_EQ(interfaces[1].usage, 0x92);
    EXPECT_EQ(interfaces[1].vendorId, 0x3A9D);
    EXPECT_EQ(interfaces[1].productId, 0x6B01);
    EXPECT_EQ(interfaces[1].versionNumber, 0x0102);
    // A single collection gets no "&col", as on Windows.
    EXPECT_EQ(interfaces[2].path, kHeadset);
}

TEST_F(HidrawTest, NodesWithoutReadableDescriptorAreSkipped)
{
    m_sysfs.AddNode("hidraw7", "0003:1234:0001.000A", 0, {0xA1, 0x01});
    EXPECT_EQ(m_backend->Enumerate().size(), 3u);
}

TEST_F(HidrawTest, EachCollectionReadsOnlyItsOwnReports)
{
    auto command = Open(kKeyboardCommand);
    auto notification = Open(kKeyboardNotification);
    ASSERT_TRUE(command && notification);

    std::vector<std::uint8_t> reply(64, 0);
    reply[0] = 4;
    reply[1] = 0x81;
    m_sysfs.SendReport("hidraw3", {3, 0x01, 0x04});
    m_sysfs.SendReport("hidraw3", reply);

    std::vector<std::uint8_t> buffer(64);
    ASSERT_EQ(command->Read(buffer.data(), buffer.size(), 1000), 64);
    EXPECT_EQ(buffer, reply);
    ASSERT_EQ(notification->Read(buffer.data(), buffer.size(), 1000), 3);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[2], 0x04);
    EXPECT_EQ(notification->Read(buffer.data(), buffer.size(), 20), 0);  // the reply was not for it
}

TEST_F(HidrawTest, UnnumberedReportsGetAZeroIdInFront)
{
    auto headset = Open(kHeadset);
    ASSERT_TRUE(headset);
    m_sysfs.SendReport("hidraw5", {0x04});
    std::uint8_t buffer[2] = {0xEE, 0xEE};
    ASSERT_EQ(headset->Read(buffer, sizeof buffer, 1000), 2);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x04);

    const std::vector<std::uint8_t> light(17, 0x22);
    EXPECT_EQ(headset->SetOutputReport(light.data(), light.size()), 17);
    EXPECT_EQ(m_sysfs.Received("hidraw5"), std::vector<std::vector<std::uint8_t>>{light});
}

TEST_F(HidrawTest, ReadTimesOutAndAbortEndsAWaitAtOnce)
{
    auto command = Open(kKeyboardCommand);
    ASSERT_TRUE(command);
    std::uint8_t buffer[64];
    EXPECT_EQ(command->Read(buffer, sizeof buffer, 30), 0);

    int result = 0;
    std::thread reader([&] { result = command->Read(buffer, sizeof buffer, -1); });
    std::this_thread::sleep_for(20ms);
    command->Abort();
    reader.join();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(command->Read(buffer, sizeof buffer, -1), -1);  // and every later one
    EXPECT_EQ(command->Write(buffer, sizeof buffer, 1000), -1);
}

TEST_F(HidrawTest, ReplugOrRemovalMakesThePathVanish)
{
    EXPECT_TRUE(m_backend->Exists(kKeyboardCommand));
    // Plugged in again: same node name, new HID device.
    m_sysfs.AddNode("hidraw3", "0003:3A9D:6B01.0008", 1, q31::test::kTwoCollectionDescriptor);
    EXPECT_FALSE(m_backend->Exists(kKeyboardCommand));
    OpenError error = OpenError::None;
    EXPECT_EQ(m_backend->Open(kKeyboardCommand, error), nullptr);
    EXPECT_EQ(error, OpenError::NotFound);

    m_sysfs.RemoveNode("hidraw5");
    EXPECT_FALSE(m_backend->Exists(kHeadset));
    EXPECT_FALSE(m_backend->Exists("/dev/hidraw5"));
    EXPECT_FALSE(m_backend->Exists("/dev/../etc#x#y"));
}

std::vector<QString> g_warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        g_warnings.push_back(text);
}

TEST_F(HidrawTest, PermissionDeniedIsReportedOnceWithTheRuleToInstall)
{
    m_sysfs.SetOpenError("hidraw3", EACCES);
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    OpenError error = OpenError::None;
    EXPECT_EQ(m_backend->Open(kKeyboardCommand, error), nullptr);
    EXPECT_EQ(error, OpenError::PermissionDenied);
    EXPECT_EQ(m_backend->Open(kKeyboardNotification, error), nullptr);
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_warnings.size(), 1u);
    EXPECT_TRUE(g_warnings[0].contains("/dev/hidraw3"));
    EXPECT_TRUE(g_warnings[0].contains("70-q31.rules"));

    m_sysfs.SetOpenError("hidraw3", ENODEV);
    EXPECT_EQ(m_backend->Open(kKeyboardCommand, error), nullptr);
    EXPECT_EQ(error, OpenError::NotFound);
}

TEST_F(HidrawTest, HidDeviceWorksOverTheHidrawBackEnd)
{
    q31::hid::SetHidBackend(m_backend);
    CHidDevice device;
    ASSERT_TRUE(device.Open(kKeyboardCommand, true, true, true, false));
    EXPECT_EQ(device.CollectionNumber(), 2);
    EXPECT_EQ(device.InterfaceNumber(), 1);
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    std::vector<std::uint8_t> request(64, 0);
    request[0] = 4;
    EXPECT_TRUE(device.WriteReport(request.data(), 64, nullptr, 1000));
    EXPECT_EQ(m_sysfs.Received("hidraw3"), std::vector<std::vector<std::uint8_t>>{request});
    q31::hid::SetHidBackend(nullptr);
}

TEST_F(HidrawTest, OutputReportFallsBackToAWriteWhereTheNodeLacksTheCall)
{
    // The fake node is a socket, which answers the output-report call as an
    // old kernel would.
    q31::hid::SetHidBackend(m_backend);
    CHidDevice device;
    ASSERT_TRUE(device.Open(kKeyboardCommand, true, true, true, false));
    const std::vector<std::uint8_t> report = {4, 0x11, 0x22, 0x33};
    EXPECT_TRUE(device.SetOutputReport(report.data(), DWORD(report.size())));
    EXPECT_EQ(m_sysfs.Received("hidraw3"), std::vector<std::vector<std::uint8_t>>{report});
    EXPECT_FALSE(device.SetOutputReport(report.data(), 0));
    q31::hid::SetHidBackend(nullptr);
}

}  // namespace
