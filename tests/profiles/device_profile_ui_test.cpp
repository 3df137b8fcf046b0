// The profile bar on real controls: combo items, selection with and without an
// event, the name edit and the function tabs of each device kind.
#include "profiles/device_profile_ui.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "ui/control_factory.h"
#include "ui/option_ui.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const char* const kTabs[] = {"deng_Op_tab",   "key_Op_tab",        "macro_Op_tab", "system_Op_tab",
                             "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

class DeviceProfileUiTest : public ::testing::Test {
protected:
    DeviceProfileUiTest()
    {
        m_combo = AddChild<QComboBox>("device_profile_combo");
        m_edit = AddChild<QLineEdit>("device_profile_name_edit");
        for (const char* name : kTabs)
            AddChild<COptionUI>(name);
        const QDir folder(QString::fromStdString(m_folder.Path()));
        EXPECT_TRUE(WriteJsonFile(folder.filePath("ProfileList.ini"), q31::ParseJsonText(R"({"profilelist":[
            {"profilename":"Work","profileUUID":"w"},{"profilename":"Play","profileUUID":"p"}],"profileselect":1})")));
        m_bar.SetPaths(folder.path(), folder.filePath("keyboard.Json"));
    }

    template <typename Control>
    Control* AddChild(const char* name)
    {
        auto* control = new Control(&m_bar);
        control->setObjectName(QString::fromLatin1(name));
        m_bar.Add(control);
        return control;
    }

    bool TabHidden(const char* name) const
    {
        return m_bar.findChild<COptionUI*>(QString::fromLatin1(name))->isHidden();
    }

    q31::test::TempFolder m_folder;
    CDeviceProfileUI m_bar;
    QComboBox* m_combo = nullptr;
    QLineEdit* m_edit = nullptr;
};

TEST_F(DeviceProfileUiTest, LoadFillsTheComboAndSelectsWithoutAnEvent)
{
    QSignalSpy selections(m_combo, &QComboBox::currentIndexChanged);
    m_bar.SetDeviceKind(2);
    m_bar.LoadProfileList();

    ASSERT_EQ(m_combo->count(), 2);
    EXPECT_EQ(m_combo->itemText(0), "Work");
    EXPECT_EQ(m_combo->itemData(1).toString(), "Play");
    EXPECT_EQ(m_combo->itemData(1, Qt::SizeHintRole).toSize().height(), 30);
    EXPECT_EQ(m_bar.GetSelectedIndex(), 1);
    EXPECT_EQ(m_bar.GetCurrentProfileId(), "p");
    EXPECT_EQ(m_edit->text(), "Play");
    EXPECT_EQ(selections.count(), 0);

    m_bar.SelectProfile(0, true);
    EXPECT_EQ(selections.count(), 1);
    EXPECT_EQ(m_bar.GetCurrentProfileId(), "w");
    EXPECT_EQ(m_bar.GetNameEditText(), "Work");

    // Loaded again (the device came back), the items are not doubled.
    m_bar.LoadProfileList();
    EXPECT_EQ(m_combo->count(), 2);
}

TEST_F(DeviceProfileUiTest, NameEditIsReadAndWritten)
{
    m_bar.SetNameEditText("Neu");
    EXPECT_EQ(m_edit->text(), "Neu");
    EXPECT_EQ(m_bar.GetNameEditText(), "Neu");
}

TEST_F(DeviceProfileUiTest, EachDeviceKindHidesTheTabsItHasNot)
{
    m_bar.SetDeviceKind(1);
    m_bar.LoadProfileList();
    EXPECT_TRUE(TabHidden("cursor_Op_tab"));
    EXPECT_FALSE(TabHidden("key_Op_tab"));

    for (const char* name : kTabs)
        m_bar.findChild<COptionUI*>(name)->setVisible(false);
    m_bar.SetDeviceKind(7);
    m_bar.LoadProfileList();
    for (const char* name : {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"})
        EXPECT_TRUE(TabHidden(name)) << name;
    for (const char* name : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"})
        EXPECT_FALSE(TabHidden(name)) << name;
}

TEST(DeviceProfileUiFactoryTest, SkinsCanNameTheProfileBar)
{
    q31::RegisterProfileControls(CControlFactory::GetInstance());
    QWidget parent;
    QWidget* control = CControlFactory::GetInstance().CreateControl("DeviceProfile", &parent);
    EXPECT_NE(qobject_cast<CDeviceProfileUI*>(control), nullptr);
}

TEST(DeviceProfileUiBareTest, WithoutControlsNothingFails)
{
    const q31::test::TempFolder folder;
    CDeviceProfileUI bar;
    bar.SetDeviceKind(3);
    bar.SetPaths(QString::fromStdString(folder.Path()), QString());
    bar.LoadProfileList();
    EXPECT_EQ(bar.GetSelectedIndex(), -1);
    EXPECT_EQ(bar.GetNameEditText(), "");
    EXPECT_FALSE(bar.GetCurrentProfileId().isEmpty());
    bar.SelectProfile(5, true);
}

}  // namespace
