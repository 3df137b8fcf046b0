// The device classes that page skins name are all known to the control factory.
#include "app/control_classes.h"
#include "app/device_classes.h"
#include "devices/halvorin_usb_device.h"
#include "ui/control_factory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

TEST(DeviceClasses, EveryRowMakesADevicePageUnderItsName)
{
    q31::app::RegisterControlClasses();
    const auto rows = q31::app::DeviceClasses();
    for (const char* name : {"CHalvorinUSBDevice", "CHalvorinMousePadDevice", "CHalvorinHS6533Device"}) {
        EXPECT_TRUE(std::ranges::any_of(rows, [name](const q31::app::DeviceClass& row) {
            return QLatin1String(row.className) == QLatin1String(name);
        })) << name;
    }
    for (const q31::app::DeviceClass& row : rows) {
        const std::unique_ptr<QWidget> made(
            CControlFactory::GetInstance().CreateControl(QString::fromLatin1(row.className), nullptr));
        EXPECT_TRUE(qobject_cast<CHalvorinUSBDevice*>(made.get())) << row.className;
    }
}

}  // namespace
