// The headset page the program ships, over the simulated headset and the
// simulated audio chip behind our own build of its library: what the sound
// editors change reaches the chip's state file and the profile, as in the
// window.
#include "app/sound_owner.h"
#include "audio/chip_audio_binding.h"
#include "devices/halvorin_hs6533_device.h"
#include "platform/folders.h"
#include "tests/common/temp_folder.h"
#include "tests/devices/device_test_support.h"
#include "ui/option_ui.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace q31::test {
namespace {

constexpr int kHeadsetLeds = 13;

class HeadsetPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("Q31_AUDIO_SIM_STATE", StatePath().toLocal8Bit().constData(), 1);
        QDir(UserDataFolder(QStringLiteral("HD"))).removeRecursively();
        audio = audio::MakeHeadsetAudio();
        page = qobject_cast<CHalvorinHS6533Device*>(builder.BuildShipped("hs6533device.xml"));
        ASSERT_NE(page, nullptr);
        page->SetKindName(QStringLiteral("HD"));
        page->SetLightCount(kHeadsetLeds);
        page->SetAudio(audio.get());
        page->CreatePage();
        builder.ShowAtWindowSize(*page);
        ASSERT_TRUE(bus.Connect(page->CommandLink(), "headset", Headset));
        page->OnActivated();
        ASSERT_TRUE(WaitForDeviceWork(*page));
    }
    void TearDown() override { unsetenv("Q31_AUDIO_SIM_STATE"); }

    QString StatePath() const { return QString::fromStdString(folder.Path()) + QStringLiteral("/audio-chip.json"); }

    // A property as the simulated chip holds it for one of its two devices (1 render, 2 capture).
    QString ChipProperty(const char* device, const char* name) const
    {
        QFile file(StatePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QJsonObject properties = QJsonDocument::fromJson(file.readAll()).object()[QStringLiteral("properties")].toObject();
        return properties[QString::fromLatin1(device)].toObject()[QString::fromLatin1(name)].toString();
    }

    // The control's notification as the main window hands it to the sound settings.
    void Send(const char* type, const QString& sender, WPARAM wParam = 0)
    {
        QWidget* control = page->findChild<QWidget*>(sender);
        ASSERT_NE(control, nullptr) << sender.toStdString();
        const TNotifyUI msg{QString::fromLatin1(type), control, wParam, 0};
        EXPECT_TRUE(app::HandleSoundNotify(msg, page->SoundSettings(), [this](const QString& id) { notices << id; }));
    }

    TempFolder folder;
    PageBuilder builder;
    SimBus bus;
    std::unique_ptr<IHeadsetAudio> audio;
    CHalvorinHS6533Device* page = nullptr;
    QStringList notices;
};

TEST_F(HeadsetPageTest, SoundChangesReachTheChipAndTheProfile)
{
    ASSERT_TRUE(audio->IsLoaded());
    auto* level = page->findChild<QSlider*>(QStringLiteral("6533_MicIn_slider"));
    ASSERT_NE(level, nullptr);
    level->setValue(37);
    Send("valuechanged", QStringLiteral("6533_MicIn_slider"));
    EXPECT_EQ(ChipProperty("2", "VolumeScalarControl"), QStringLiteral("0.37"));
    EXPECT_EQ(page->Profile().ReadHeadsetSystem()[kMicInValue], 37);

    page->findChild<COptionUI*>(QStringLiteral("6533_eq_option_6"))->Selected(true);
    Send("selectchanged", QStringLiteral("6533_eq_option_6"), 1);
    EXPECT_EQ(ChipProperty("1", "Enable_EQ_GFX"), QStringLiteral("1"));
    EXPECT_EQ(ChipProperty("1", "EQ_Slider3"), QStringLiteral("-13"));
    EXPECT_EQ(page->Profile().ReadHeadsetSystem()[kEqType], 6);
    EXPECT_TRUE(notices.isEmpty());
}

}  // namespace
}  // namespace q31::test
