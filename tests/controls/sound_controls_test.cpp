// The headset's sound and voice changer editors built from their shipped
// skins: what each operation shows, that showing reports nothing, and the
// defaults of an editor without children.
#include "controls/control_registration.h"
#include "controls/magic_control_ui.h"
#include "controls/voice6533_control_ui.h"
#include "tests/controls/controls_test_support.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSlider>

#include <gtest/gtest.h>

namespace q31::test {
namespace {

const QString kSkinFolder = QStringLiteral(Q31_SOURCE_DATA_DIR "/skin/");

template <class Editor>
Editor* Build(const char* skin, QWidget* parent)
{
    controls::RegisterControls(CControlFactory::GetInstance());
    return qobject_cast<Editor*>(
        CDialogBuilder::Create(kSkinFolder + QStringLiteral("XML/CustomControlXML/") + QLatin1String(skin), nullptr,
                               parent));
}

class SoundControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = Build<CVoice6533ControlUI>("Voice6533Control.xml", window.root);
        ASSERT_NE(editor, nullptr);
    }

    template <class Control>
    Control* Find(const QString& name) const
    {
        return editor->findChild<Control*>(name);
    }
    COptionUI* EqOption(int n) const { return Find<COptionUI>(QStringLiteral("6533_eq_option_%1").arg(n)); }
    std::vector<int> SelectedEqOptions() const
    {
        std::vector<int> selected;
        for (int n = 1; n <= 13; ++n) {
            if (EqOption(n)->IsSelected())
                selected.push_back(n);
        }
        return selected;
    }

    ManagedWindow window;
    CVoice6533ControlUI* editor = nullptr;
};

TEST_F(SoundControlTest, EqChoiceShowsOneOptionOrNone)
{
    editor->SetEqOption(4);
    EXPECT_EQ(SelectedEqOptions(), std::vector<int>{4});
    EXPECT_EQ(editor->GetEqOption(), 4);
    editor->SetEqOption(13);
    EXPECT_EQ(SelectedEqOptions(), std::vector<int>{13});
    for (int outside : {0, 14, -1}) {
        editor->SetEqOption(outside);
        EXPECT_TRUE(SelectedEqOptions().empty()) << outside;
        EXPECT_EQ(editor->GetEqOption(), 0) << outside;
    }
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(SoundControlTest, AClickedChoiceExcludesTheOthersAndIsReported)
{
    editor->SetEqOption(2);
    EqOption(7)->click();
    EXPECT_EQ(SelectedEqOptions(), std::vector<int>{7});
    ASSERT_TRUE(window.notifier.senders.contains(EqOption(7)));
    EXPECT_TRUE(window.notifier.types.contains(QStringLiteral("selectchanged")));
}

TEST_F(SoundControlTest, SlidersAndSwitchesShowTheirValuesQuietly)
{
    for (int i = 0; i < 10; ++i)
        editor->SetBandSlider(i, i - 5);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(editor->GetBandSlider(i), i - 5) << i;
    // The preset gains span -13 to 18.
    editor->SetBandSlider(0, -13);
    editor->SetBandSlider(1, 18);
    EXPECT_EQ(editor->GetBandSlider(0), -13);
    EXPECT_EQ(editor->GetBandSlider(1), 18);
    EXPECT_EQ(editor->GetBandSlider(10), -1);
    EXPECT_EQ(editor->GetBandSlider(-1), -1);
    editor->SetBandSlider(10, 3);

    editor->SetMicOn(true);
    editor->SetMonitorOn(false);
    editor->SetMicLevel(37);
    editor->SetMonitorLevel(100);
    EXPECT_TRUE(Find<COptionUI>(QStringLiteral("6533_MicIn_option"))->IsSelected());
    EXPECT_FALSE(Find<COptionUI>(QStringLiteral("6533_MicMoniter_option"))->IsSelected());
    EXPECT_EQ(editor->GetMicLevel(), 37);
    EXPECT_EQ(editor->GetMonitorLevel(), 100);
    editor->SetMicLevel(150);
    EXPECT_EQ(editor->GetMicLevel(), 100);

    editor->EnableCustomTools(false);
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    editor->EnableCustomTools(true);
    EXPECT_TRUE(Find<QWidget>(QStringLiteral("custom_eq_option_layout"))->isEnabled());
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(SoundControlTest, CurveListKeepsPlainNamesAndSelectsOnlyWhenAsked)
{
    editor->AddCurveName(QStringLiteral("Night"));
    editor->AddCurveName(QStringLiteral("%[sound_mic_text]"));
    editor->AddCurveName(QStringLiteral("Day"));
    EXPECT_EQ(editor->GetCurveCount(), 3);
    EXPECT_EQ(editor->GetCurveSelection(), -1);
    EXPECT_EQ(editor->GetCurveNameAt(1), QStringLiteral("%[sound_mic_text]"));
    EXPECT_EQ(Find<QComboBox>(QStringLiteral("custom_eq_name_combo"))->itemData(2).toString(), QStringLiteral("Day"));

    editor->SetCurveName(QStringLiteral("typed"));
    EXPECT_EQ(editor->GetCurveName(), QStringLiteral("typed"));
    editor->SelectCurve(2);
    EXPECT_EQ(editor->GetCurveSelection(), 2);
    EXPECT_EQ(editor->GetCurveName(), QString());
    editor->SelectCurve(3);
    EXPECT_EQ(editor->GetCurveSelection(), -1);
    editor->SelectCurve(0);
    editor->SelectCurve(-1);
    EXPECT_EQ(editor->GetCurveSelection(), -1);

    editor->RemoveCurveAt(0);
    EXPECT_EQ(editor->GetCurveCount(), 2);
    EXPECT_EQ(editor->GetCurveNameAt(0), QStringLiteral("%[sound_mic_text]"));
    editor->RemoveAllCurves();
    EXPECT_EQ(editor->GetCurveCount(), 0);
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

class MagicControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = Build<CMagicControlUI>("MagicControl.xml", window.root);
        ASSERT_NE(editor, nullptr);
    }
    COptionUI* Voice(int n) const { return editor->findChild<COptionUI*>(QStringLiteral("magic_option_%1").arg(n)); }

    ManagedWindow window;
    CMagicControlUI* editor = nullptr;
};

TEST_F(MagicControlTest, SwitchEnablesTheVoices)
{
    auto* voices = editor->findChild<QWidget*>(QStringLiteral("magic_option_layout"));
    editor->SetMagicOn(true);
    EXPECT_TRUE(editor->IsMagicOn());
    EXPECT_TRUE(voices->isEnabled());
    editor->SetMagicOn(false);
    EXPECT_FALSE(editor->IsMagicOn());
    EXPECT_FALSE(voices->isEnabled());
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST_F(MagicControlTest, VoiceTypeShowsOneOrNone)
{
    editor->SetMagicType(3);
    EXPECT_EQ(editor->GetMagicType(), 3);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(Voice(n)->IsSelected(), n == 3) << n;
    for (int outside : {0, 5}) {
        editor->SetMagicType(outside);
        EXPECT_EQ(editor->GetMagicType(), 0);
        for (int n = 1; n <= 4; ++n)
            EXPECT_FALSE(Voice(n)->IsSelected()) << outside << " " << n;
    }
    EXPECT_TRUE(window.notifier.types.isEmpty());
}

TEST(SoundControlsWithoutChildren, SkipWhatIsMissing)
{
    CVoice6533ControlUI sound;
    sound.SetEqOption(3);
    sound.SetBandSlider(0, 4);
    sound.SetMicLevel(20);
    sound.SetCurveName(QStringLiteral("x"));
    sound.AddCurveName(QStringLiteral("x"));
    sound.SelectCurve(0);
    sound.RemoveCurveAt(0);
    EXPECT_EQ(sound.GetEqOption(), 3);
    EXPECT_EQ(sound.GetBandSlider(0), -1);
    EXPECT_EQ(sound.GetMicLevel(), -1);
    EXPECT_EQ(sound.GetMonitorLevel(), -1);
    EXPECT_EQ(sound.GetCurveName(), QString());
    EXPECT_EQ(sound.GetCurveSelection(), -1);
    EXPECT_EQ(sound.GetCurveCount(), 0);
    EXPECT_EQ(sound.GetCurveNameAt(0), QString());

    CMagicControlUI magic;
    magic.SetMagicOn(true);
    magic.SetMagicType(2);
    EXPECT_FALSE(magic.IsMagicOn());
    EXPECT_EQ(magic.GetMagicType(), 2);
}

TEST(SoundSkins, EveryTextHasBothLanguages)
{
    QJsonObject languages[2];
    const char* files[] = {"lang/en.json", "lang/zh_CN.json"};
    for (int i = 0; i < 2; ++i) {
        QFile file(kSkinFolder + QLatin1String(files[i]));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << files[i];
        languages[i] = QJsonDocument::fromJson(file.readAll()).object();
    }
    const QRegularExpression textId(QStringLiteral("%\\[([A-Za-z0-9_.]+)\\]"));
    for (const char* skin : {"Voice6533Control.xml", "MagicControl.xml", "VirtualSet.xml"}) {
        QFile file(kSkinFolder + QStringLiteral("XML/CustomControlXML/") + QLatin1String(skin));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << skin;
        const QString text = QString::fromUtf8(file.readAll());
        int ids = 0;
        for (const QRegularExpressionMatch& match : textId.globalMatch(text)) {
            ++ids;
            for (int i = 0; i < 2; ++i)
                EXPECT_TRUE(languages[i].contains(match.captured(1))) << skin << " " << files[i] << " "
                                                                       << match.captured(1).toStdString();
        }
        EXPECT_GT(ids, 0) << skin;
    }
}

}  // namespace
}  // namespace q31::test
