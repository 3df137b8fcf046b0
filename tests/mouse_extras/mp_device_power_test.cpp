// The power control the program ships, built from its skin: what each status
// record leaves on its child controls, and a skin that lacks one of them.
#include "mouse_extras/mp_device_power_ui.h"

#include "hid/hid_catalogue.h"
#include "ui/control_factory.h"
#include "ui/control_text.h"
#include "ui/dialog_builder.h"
#include "ui/notify.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace q31::test {
namespace {

const QString kShippedSkin = QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/XML/CustomControlXML/MpDevicePower.xml");

struct Notifications : INotifyUI {
    void Notify(TNotifyUI& msg) override { types << msg.sType; }
    QStringList types;
};

class PowerControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mouse_extras::RegisterPowerControl(CControlFactory::GetInstance());
        CResourceManager::GetInstance().LoadResource(QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/res.xml"));
        CResourceManager::GetInstance().LoadLanguage(QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/lang/en.json"));
        host = std::make_unique<QWidget>();
        root = new QWidget(host.get());
        manager.Init(host.get(), root);
        manager.AddNotifier(&notifications);
        power = qobject_cast<CMpDevicePowerUI*>(CDialogBuilder::Create(kShippedSkin, nullptr, root));
        ASSERT_NE(power, nullptr);
        power->ShowPowerLayout(1);
    }
    void TearDown() override { manager.RemoveNotifier(&notifications); }

    void Show(int type, std::vector<std::uint8_t> record)
    {
        power->SetDeviceType(type, 0);
        power->ShowStatus(record.data(), record.size());
    }
    QString Text() const { return Child<QLabel>("device_power_value")->text(); }
    int Progress() const { return Child<QProgressBar>("device_Power_progress")->value(); }
    bool BarShown() const { return !Child<QWidget>("device_Power_progress")->isHidden(); }
    bool LogoShown() const { return !Child<QWidget>("device_wuxian_logo")->isHidden(); }
    QString StatusImage() const { return Child<CContainerUI>("device_power_status")->GetBkImage(); }
    CContainerUI* Phone() const { return Child<CContainerUI>("device_phone_type"); }

    template <class Control>
    Control* Child(const char* name) const
    {
        auto* part = power->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }

    std::unique_ptr<QWidget> host;
    QWidget* root = nullptr;
    CPaintManagerUI manager;
    Notifications notifications;
    CMpDevicePowerUI* power = nullptr;
};

TEST_F(PowerControlTest, AMouseChargingThroughItsReceiverShowsTheWirelessImageAndLogoWithoutTheBar)
{
    Show(Mouse, {57, 1, 0, 1, 0, 0});
    EXPECT_EQ(Text(), "57%");
    EXPECT_EQ(Progress(), 43);
    EXPECT_FALSE(BarShown());
    EXPECT_EQ(StatusImage(), "file='power/wuxian_powering.svg'");
    EXPECT_TRUE(LogoShown());
}

TEST_F(PowerControlTest, TheSameRecordOnTheCableShowsTheBarAndHidesTheLogo)
{
    Show(Mouse, {57, 1, 0, 1, 0, 0});
    Show(Mouse, {57, 1, 0, 0, 0, 0});
    EXPECT_EQ(Text(), "57%");
    EXPECT_EQ(Progress(), 43);
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(StatusImage(), "file='power/powering.svg'");
    EXPECT_FALSE(LogoShown());
}

TEST_F(PowerControlTest, AnUnknownChargingStateKeepsImageAndBarButUpdatesTheLevel)
{
    Show(Mouse, {57, 1, 0, 1, 0, 0});
    Show(Mouse, {20, 3, 0, 1, 0, 0});
    EXPECT_EQ(Text(), "20%");
    EXPECT_EQ(Progress(), 80);
    EXPECT_FALSE(BarShown());
    EXPECT_EQ(StatusImage(), "file='power/wuxian_powering.svg'");

    Show(Mouse, {57, 2, 0, 0, 0, 0});
    Show(Mouse, {90, 3, 0, 0, 0, 0});
    EXPECT_EQ(Text(), "90%");
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(StatusImage(), "file='power/power.svg'");
}

TEST_F(PowerControlTest, ALevelPastFullShowsAsAFullBattery)
{
    Show(Mouse, {255, 2, 0, 0, 0, 0});
    EXPECT_EQ(Text(), "100%");
    EXPECT_EQ(Progress(), 0);
}

TEST_F(PowerControlTest, AKeyboardRecordLeavesTheLogoAndThePhoneAlone)
{
    Show(Mouse, {57, 1, 0, 1, 0, 0});
    Show(Keyboard, {40, 0, 0, 0, 0, 2});
    EXPECT_EQ(Text(), "40%");
    EXPECT_EQ(StatusImage(), "file='power/powered.svg'");
    EXPECT_TRUE(LogoShown());
    EXPECT_TRUE(Phone()->isHidden());
    EXPECT_TRUE(Phone()->GetBkImage().isEmpty());
}

TEST_F(PowerControlTest, ThePadWithNoPhoneSaysSoAndThenNamesThePhoneLaidOnIt)
{
    Show(MousePad, {100, 0, 0, 0, 0, 0});
    EXPECT_FALSE(Phone()->isHidden());
    EXPECT_EQ(ui::TextId(Phone(), "toolTip"), "Phone_type_no_device");
    EXPECT_EQ(Phone()->toolTip(), CResourceManager::GetInstance().GetText(QStringLiteral("Phone_type_no_device")));
    EXPECT_EQ(Phone()->GetBkImage(), "file='power/Phone_type_no_device.svg'");
    EXPECT_FALSE(LogoShown());

    Show(MousePad, {100, 0, 0, 0, 0, 1});
    EXPECT_EQ(ui::TextId(Phone(), "toolTip"), "Phone_type_iphone");
    EXPECT_EQ(Phone()->GetBkImage(), "file='power/Phone_type_iphone.svg'");
}

TEST_F(PowerControlTest, AShortRecordCountsAsZeroFilledAndALongOneIsRead)
{
    const std::uint8_t levelOnly = 64;
    power->SetDeviceType(Mouse, 0);
    power->ShowStatus(&levelOnly, 1);
    EXPECT_EQ(Text(), "64%");
    EXPECT_EQ(StatusImage(), "file='power/powered.svg'");
    EXPECT_FALSE(LogoShown());

    std::vector<std::uint8_t> longRecord(200, 0);
    longRecord[0] = 12;
    longRecord[1] = 1;
    longRecord[3] = 1;
    power->ShowStatus(longRecord.data(), longRecord.size());
    EXPECT_EQ(Text(), "12%");
    EXPECT_TRUE(LogoShown());
    power->ShowStatus(nullptr, 6);
    EXPECT_EQ(Text(), "0%");
}

TEST_F(PowerControlTest, TheLayoutShowsOnlyForADeviceWithThePowerDisplay)
{
    auto* layout = Child<QWidget>("device_power_Layout");
    power->ShowPowerLayout(0);
    EXPECT_TRUE(layout->isHidden());
    power->ShowPowerLayout(1);
    EXPECT_FALSE(layout->isHidden());
}

TEST_F(PowerControlTest, AClickSaysTheSelectionChanged)
{
    host->resize(200, 40);
    power->setGeometry(0, 0, 120, 32);
    host->show();
    QTest::mouseClick(power, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(notifications.types.contains(QStringLiteral("selectchanged")));
}

TEST(PowerControlParts, AControlWithoutThePhoneTypeShowsNothingAtAll)
{
    CMpDevicePowerUI power;
    auto* text = new QLabel(&power);
    text->setObjectName(QStringLiteral("device_power_value"));
    auto* logo = new QWidget(&power);
    logo->setObjectName(QStringLiteral("device_wuxian_logo"));
    auto* bar = new QProgressBar(&power);
    bar->setObjectName(QStringLiteral("device_Power_progress"));
    auto* status = new CContainerUI(&power);
    status->setObjectName(QStringLiteral("device_power_status"));
    power.SetDeviceType(Mouse, 0);
    const std::vector<std::uint8_t> record = {57, 1, 0, 1, 0, 0};
    power.ShowStatus(record.data(), record.size());
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_TRUE(status->GetBkImage().isEmpty());
    EXPECT_FALSE(bar->isHidden());

    auto* phone = new CContainerUI(&power);
    phone->setObjectName(QStringLiteral("device_phone_type"));
    power.ShowStatus(record.data(), record.size());
    EXPECT_EQ(text->text(), "57%");
    EXPECT_TRUE(bar->isHidden());
}

}  // namespace
}  // namespace q31::test
