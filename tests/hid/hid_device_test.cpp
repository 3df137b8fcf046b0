#include "hid/hid_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/hid/fake_backend.h"
#include "tests/hid/test_descriptors.h"

using namespace std::chrono_literals;
using q31::test::FakeBackend;

namespace {

class HidDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { q31::hid::SetHidBackend(m_backend); }
    void TearDown() override { q31::hid::SetHidBackend(nullptr); }

    std::string AddKeyboard()
    {
        for (auto& info : q31::test::MakeMakerInterfaces(0x6B01))
            m_backend->Add(std::move(info));
        return q31::test::MakeMakerInterfaces(0x6B01)[3].path;
    }

    std::shared_ptr<FakeBackend> m_backend = std::make_shared<FakeBackend>();
};

TEST_F(HidDeviceTest, NoInterfacesGivesAnEmptyList)
{
    CHidDevice device;
    EXPECT_TRUE(device.EnumeratePaths());
    EXPECT_EQ(device.NextPath(), nullptr);
}

TEST_F(HidDeviceTest, PathsComeInEnumerationOrderUntilFreed)
{
    AddKeyboard();
    CHidDevice device;
    ASSERT_TRUE(device.EnumeratePaths());
    for (const auto& expected : q31::test::MakeMakerInterfaces(0x6B01)) {
        const std::string* path = device.NextPath();
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(*path, expected.path);
    }
    EXPECT_EQ(device.NextPath(), nullptr);
    EXPECT_EQ(device.NextPath(), nullptr);

    ASSERT_TRUE(device.EnumeratePaths());  // starts over
    EXPECT_NE(device.NextPath(), nullptr);
    device.FreePaths();
    EXPECT_EQ(device.NextPath(), nullptr);
}

TEST_F(HidDeviceTest, ReadOnlyOpenFillsAttributesAndCaps)
{
    const std::string path = AddKeyboard();
    CHidDevice device;
    ASSERT_TRUE(device.Open(path, true, false, true, false));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.Attributes().vendorId, 0x3A9D);
    EXPECT_EQ(device.Attributes().productId, 0x6B01);
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().usage, 0x92);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.Caps().outputReportByteLength, 64);
    EXPECT_EQ(device.InputReportBuffer().size(), 64u);
    EXPECT_EQ(device.InterfaceNumber(), 1);
    EXPECT_EQ(device.CollectionNumber(), 4);
    EXPECT_EQ(device.DevicePath(), path);
    EXPECT_EQ(m_backend->Written().size(), 0u);
}

TEST_F(HidDeviceTest, OpeningAVanishedPathFailsAndLeavesItClosed)
{
    const std::string path = AddKeyboard();
    m_backend->Remove(path);
    CHidDevice device;
    EXPECT_FALSE(device.Open(path, true, true, true, false));
    EXPECT_FALSE(device.IsOpen());
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.ReadReport(device.InputReportBuffer().data(), 64, nullptr, 10));
}

TEST_F(HidDeviceTest, ReportsMoveBothWays)
{
    const std::string path = AddKeyboard();
    CHidDevice device;
    ASSERT_TRUE(device.Open(path, true, true, true, false));

    std::vector<std::uint8_t> request(64, 0);
    request[0] = 4;
    request[1] = 0x03;
    DWORD written = 0;
    EXPECT_TRUE(device.WriteReport(request.data(), 64, &written, 1000));
    EXPECT_EQ(written, 64u);
    ASSERT_EQ(m_backend->Written().size(), 1u);
    EXPECT_EQ(m_backend->Written()[0], request);

    m_backend->Deliver(path, std::vector<std::uint8_t>(64, 4));
    DWORD read = 0;
    EXPECT_TRUE(device.ReadReport(device.InputReportBuffer().data(), 64, &read, 1000));
    EXPECT_EQ(read, 64u);
    EXPECT_EQ(device.InputReportBuffer()[63], 4);
}

TEST_F(HidDeviceTest, ReadTimesOutWithNothingTransferred)
{
    const std::string path = AddKeyboard();
    CHidDevice device;
    ASSERT_TRUE(device.Open(path, true, true, true, false));
    DWORD read = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(device.ReadReport(device.InputReportBuffer().data(), 64, &read, 1000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 990ms);
    EXPECT_EQ(read, 0u);
}

TEST_F(HidDeviceTest, CloseEndsAnEndlessReadOnAnotherThread)
{
    const std::string path = AddKeyboard();
    CHidDevice device;
    ASSERT_TRUE(device.Open(path, true, true, true, false));
    bool result = true;
    DWORD read = 99;
    std::thread reader([&] { result = device.ReadReport(device.InputReportBuffer().data(), 64, &read, INFINITE); });
    std::this_thread::sleep_for(20ms);
    device.Close();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(HidDeviceTest, ConsumerReportDecodesToItsCode)
{
    AddKeyboard();
    const std::string path = q31::test::MakeMakerInterfaces(0x6B01)[2].path;
    CHidDevice device;
    ASSERT_TRUE(device.Open(path, true, true, true, false));
    EXPECT_EQ(device.CollectionNumber(), 3);
    ASSERT_EQ(device.Caps().inputReportByteLength, 3);

    const std::uint8_t notification[] = {0x03, 0x01, 0x04};
    ASSERT_TRUE(device.UnpackInputReport(notification, sizeof notification));
    ASSERT_FALSE(device.InputData().empty());
    const HidData& first = device.InputData()[0];
    EXPECT_TRUE(first.isButton);
    EXPECT_TRUE(first.isSet);
    EXPECT_EQ(first.buttonData.usages[0], 0x0401);

    const std::uint8_t released[] = {0x03, 0x00, 0x00};
    ASSERT_TRUE(device.UnpackInputReport(released, sizeof released));
    EXPECT_EQ(device.InputData()[0].buttonData.usages[0], 0);
}

TEST_F(HidDeviceTest, ValueEntriesFailOnAShortReport)
{
    m_backend->Add(q31::test::MakeInterface(0x1234, 0x0001, 0, 0, 0x01, 0x02, q31::test::kMouseDescriptor));
    CHidDevice device;
    ASSERT_TRUE(device.Open(q31::test::MakeInterface(0x1234, 0x0001, 0, 0, 0x01, 0x02, {}).path, true, false, true, false));
    const std::uint8_t full[] = {0x01, 0x01, 0x05, 0xFB};
    ASSERT_TRUE(device.UnpackInputReport(full, sizeof full));
    const std::uint8_t cut[] = {0x01, 0x01};
    EXPECT_FALSE(device.UnpackInputReport(cut, sizeof cut));
}

TEST_F(HidDeviceTest, OverlongPathIsRefused)
{
    CHidDevice device;
    EXPECT_FALSE(device.Open(std::string(300, 'x'), true, false, true, false));
}

}  // namespace

namespace {

TEST(HidBackend, DefaultPresenceTestLooksInAFreshEnumeration)
{
    FakeBackend backend;
    const auto headset = q31::test::MakeHeadsetInterface();
    backend.Add(headset);
    q31::hid::IHidBackend& base = backend;
    EXPECT_TRUE(base.IHidBackend::Exists(headset.path));
    backend.Remove(headset.path);
    EXPECT_FALSE(base.IHidBackend::Exists(headset.path));
}

}  // namespace
