// The colour dialog built from the shipped skin: what its controls do to the
// current colour, the collected slots and the colour file, and how its modal
// run ends.
#include "devices/color_select_wnd.h"

#include "devices/colour_option_file.h"
#include "devices/colour_slot_ui.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tests/devices/colour_dialog_driver.h"
#include "ui/button_ui.h"
#include "ui/control_look.h"
#include "ui/resource_manager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

namespace q31::test {
namespace {

using namespace q31::devices;

constexpr DWORD kRed = 0xFFFF0000;  // the layout's first preset

class ColourDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(ColourOptionFilePath());
        CResourceManager::GetInstance().LoadResource(QStringLiteral("res.xml"));
        CResourceManager::GetInstance().LoadLanguage(QStringLiteral("en.json"));
    }

    // Created and set up the way its opener does, then shown without a modal run.
    CColorSelectWnd& Show(DWORD colour, bool multiColour = false)
    {
        dialog = std::make_unique<CColorSelectWnd>();
        dialog->Create(nullptr, QStringLiteral("PalletDialog"), WS_POPUP, WS_EX_TOOLWINDOW,
                       QRect(0, 0, CColorSelectWnd::kWidth, CColorSelectWnd::kHeight));
        dialog->SetCurrentColour(colour);
        dialog->SetMultiColourAvailable(multiColour);
        dialog->ShowWindow();
        QApplication::processEvents();
        return *dialog;
    }

    template <class Control>
    Control* Find(const QString& name) const
    {
        return dialog->GetPaintManager().FindControl<Control>(name);
    }

    void Click(const QString& name) const
    {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << qPrintable(name);
        button->click();
    }

    void Type(const char* edit, const QString& text) const
    {
        auto* field = Find<QLineEdit>(QString::fromLatin1(edit));
        ASSERT_NE(field, nullptr) << edit;
        field->setText(text);
    }

    QString Text(const char* edit) const { return Find<QLineEdit>(QString::fromLatin1(edit))->text(); }
    CColourSlotUI* Slot(int index) const
    {
        return Find<CColourSlotUI>(QStringLiteral("collect_color_option_") + QString::number(index));
    }
    CButtonUI* Preview() const { return Find<CButtonUI>(QStringLiteral("color_show_btn")); }

    static Json::Value StoredSlot(int index)
    {
        return ParseJsonFile(ColourOptionFilePath())["coloroptioninfo"]["palletDialogcollectcoloroption"][index];
    }

    std::unique_ptr<CColorSelectWnd> dialog;
};

TEST_F(ColourDialogTest, ShowsThePassedColourAndStartsTheColourFile)
{
    CColorSelectWnd& shown = Show(0xFF102030);
    EXPECT_EQ(shown.GetCurrentColour(), 0xFF102030u);
    EXPECT_EQ(Preview()->GetBkColor(), 0xFF102030u);
    EXPECT_EQ(Text("color_edit_r"), QStringLiteral("16"));
    EXPECT_EQ(Text("color_edit_g"), QStringLiteral("32"));
    EXPECT_EQ(Text("color_edit_b"), QStringLiteral("48"));
    EXPECT_TRUE(QFile::exists(ColourOptionFilePath()));
    // The shipped file names a collected selection: none is restored.
    EXPECT_EQ(shown.GetSelectedCollected(), -1);
    EXPECT_EQ(shown.GetSelectedPreset(), 4);
    for (int i = 0; i < kColourSwatchCount; ++i) {
        ASSERT_NE(Slot(i), nullptr) << i;
        EXPECT_GT(Slot(i)->GetBorderSize(), 0) << i;
    }
}

TEST_F(ColourDialogTest, AnEmptySlotPickedBeforeAPresetKeepsThePresetsColour)
{
    CColorSelectWnd& shown = Show(0xFF102030);
    Click(QStringLiteral("collect_color_option_3"));
    EXPECT_EQ(shown.GetSelectedCollected(), 3);
    EXPECT_EQ(shown.GetCurrentColour(), 0xFF102030u) << "an empty slot changes nothing else";
    EXPECT_NE(StoredSlot(3)["UserData"].asString(), "1");

    Click(QStringLiteral("color_option_0"));
    EXPECT_EQ(shown.GetCurrentColour(), kRed);
    EXPECT_EQ(Slot(3)->GetBkColor(), kRed);
    EXPECT_EQ(q31::ui::GetUserData(Slot(3)), QStringLiteral("1"));
    EXPECT_EQ(Slot(3)->GetBorderSize(), 0);
    EXPECT_EQ(StoredSlot(3)["color"].asString(), "FFFF0000");
    EXPECT_EQ(StoredSlot(3)["UserData"].asString(), "1");
    EXPECT_EQ(StoredPresetIndex(ParseJsonFile(ColourOptionFilePath())), 0);
    EXPECT_EQ(Text("color_edit_r"), QStringLiteral("255"));

    // Reopened, the slot shows its colour but takes no new one until it is picked again.
    Click(QStringLiteral("okbtn"));
    CColorSelectWnd& reopened = Show(0xFF000000);
    EXPECT_EQ(Slot(3)->GetBkColor(), kRed);
    EXPECT_EQ(Slot(3)->GetBorderSize(), 0);
    EXPECT_EQ(reopened.GetSelectedCollected(), -1);
    EXPECT_EQ(reopened.GetSelectedPreset(), 0);
    Click(QStringLiteral("color_option_8"));
    EXPECT_EQ(Slot(3)->GetBkColor(), kRed);

    // Picking the filled slot shows its colour without making it the current one.
    Click(QStringLiteral("collect_color_option_3"));
    EXPECT_EQ(Preview()->GetBkColor(), kRed);
    EXPECT_EQ(Text("color_edit_r"), QStringLiteral("255"));
    EXPECT_EQ(reopened.GetCurrentColour(), 0xFF0000FFu);
}

TEST_F(ColourDialogTest, ASlotWithoutAHexadecimalColourStaysEmpty)
{
    Json::Value document = ParseJsonFile(DefaultColourOptionFilePath());
    Json::Value& stored = document["coloroptioninfo"]["palletDialogcollectcoloroption"];
    stored[5]["color"] = "GG00FF00";
    stored[5]["UserData"] = "1";
    stored[6]["color"] = "FF00FF00";
    stored[6]["UserData"] = "1";
    ASSERT_TRUE(WriteJsonFile(ColourOptionFilePath(), document));

    Show(0xFF102030);
    EXPECT_EQ(Slot(6)->GetBkColor(), 0xFF00FF00u);
    EXPECT_EQ(Slot(5)->GetBkColor(), 0xFFFFFFFFu);
    EXPECT_NE(q31::ui::GetUserData(Slot(5)), QStringLiteral("1"));
    EXPECT_GT(Slot(5)->GetBorderSize(), 0);
}

TEST_F(ColourDialogTest, LeavingAnEditKeepsEveryChannelWithinAByte)
{
    CColorSelectWnd& shown = Show(0xFF102030);
    Type("color_edit_r", QStringLiteral("300"));
    Type("color_edit_g", QString());
    Type("color_edit_b", QStringLiteral("-5"));
    shown.GetPaintManager().SendNotify(Find<QLineEdit>(QStringLiteral("color_edit_b")), QStringLiteral("killfocus"));
    EXPECT_EQ(shown.GetCurrentColour(), 0xFFFF0000u);
    EXPECT_EQ(Preview()->GetBkColor(), 0xFFFF0000u);
    EXPECT_EQ(Text("color_edit_r"), QStringLiteral("255"));
    EXPECT_EQ(Text("color_edit_g"), QStringLiteral("0"));
    EXPECT_EQ(Text("color_edit_b"), QStringLiteral("0"));

    Type("color_edit_g", QStringLiteral("123456789012345678901234567890"));
    shown.GetPaintManager().SendNotify(Find<QLineEdit>(QStringLiteral("color_edit_g")), QStringLiteral("killfocus"));
    EXPECT_EQ(shown.GetCurrentColour(), 0xFFFFFF00u);
    EXPECT_EQ(Text("color_edit_g"), QStringLiteral("255"));
}

TEST_F(ColourDialogTest, TheSpectrumOptionOnlyChangesThePreviewImage)
{
    CColorSelectWnd& shown = Show(0xFF102030, true);
    Click(QStringLiteral("7color"));
    EXPECT_TRUE(shown.IsMultiColour());
    EXPECT_EQ(Preview()->property("bkimage").toString(), QStringLiteral("common/base1.png"));
    EXPECT_EQ(Preview()->GetBkColor(), 0xFF102030u);
    EXPECT_EQ(shown.GetCurrentColour(), 0xFF102030u);
    Click(QStringLiteral("okbtn"));
    EXPECT_EQ(shown.GetCurrentColour(), 0xFF102030u);
}

TEST_F(ColourDialogTest, WithoutMultiColourTheSpectrumOptionIsHiddenAndOff)
{
    Show(0xFF102030, false);
    auto* option = Find<QAbstractButton>(QStringLiteral("7color"));
    ASSERT_NE(option, nullptr);
    EXPECT_FALSE(option->isEnabled());
    EXPECT_FALSE(option->isChecked());
    EXPECT_FALSE(Find<QWidget>(QStringLiteral("7color_layout"))->isVisible());
}

TEST_F(ColourDialogTest, TakesOnlyTheKnownDpiSteps)
{
    CColorSelectWnd& shown = Show(0);
    shown.SetWindowDpi(144);
    EXPECT_EQ(shown.GetWindowDpi(), 144);
    EXPECT_EQ(shown.GetPaintManager().GetDPI(), 144);
    EXPECT_EQ(shown.GetHWND()->width(), CColorSelectWnd::kWidth * 3 / 2);
    shown.SetWindowDpi(100);
    EXPECT_EQ(shown.GetWindowDpi(), 96);
}

TEST_F(ColourDialogTest, AcceptingUnchangedGivesBackThePassedColourAndCancellingGivesNone)
{
    WhenColourDialogShows([](QWidget& dialog) { EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("okbtn"))); });
    EXPECT_EQ(ChooseSingleColour(nullptr, 0xFF123456), 0xFF123456u);

    for (const char* cancel : {"closebtn", "laterbtn"}) {
        WhenColourDialogShows([cancel](QWidget& dialog) {
            EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("color_option_0")));
            EXPECT_TRUE(ClickInDialog(dialog, QString::fromLatin1(cancel)));
        });
        EXPECT_EQ(ChooseSingleColour(nullptr, 0xFF123456), std::nullopt) << cancel;
    }
    EXPECT_EQ(OpenColourDialogs(), 0);
}

TEST_F(ColourDialogTest, OkInALayoutWithoutThePaletteEndsWithItsOwnResult)
{
    class PaletteLessDialog : public CColorSelectWnd {
    public:
        explicit PaletteLessDialog(QString skin) : m_skin(std::move(skin)) {}
        QString GetSkinFile() override { return m_skin; }

    private:
        QString m_skin;
    };
    const TempFolder folder;
    const QString skin = QString::fromStdString(folder.Path() + "/no_palette.xml");
    QFile file(skin);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\"><widget class=\"QWidget\" name=\"root\">"
               "<widget class=\"QPushButton\" name=\"okbtn\"/></widget></ui>\n");
    file.close();

    PaletteLessDialog bare(skin);
    bare.Create(nullptr, QStringLiteral("PalletDialog"), WS_POPUP, WS_EX_TOOLWINDOW, QRect(0, 0, 200, 100));
    WhenColourDialogShows([](QWidget& dialog) { EXPECT_TRUE(ClickInDialog(dialog, QStringLiteral("okbtn"))); });
    EXPECT_EQ(bare.ShowModal(), UINT(CColorSelectWnd::kAcceptedWithoutPalette));
}

}  // namespace
}  // namespace q31::test
