// The device's profile list: the first start, repairs of hand-edited or broken
// lists, the remembered selection and renaming.
#include "profiles/device_profile_list.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The profile bar's controls, as plain data.
class FakeProfileBar : public q31::IProfileBarControls {
public:
    bool hasCombo = true;
    QStringList items;
    int selected = -1;
    bool lastSelectFired = false;
    QString nameEdit;
    int hiddenTabsOfKind = 0;

    bool HasProfileCombo() const override { return hasCombo; }
    void RemoveAllProfileItems() override { items.clear(), selected = -1; }
    void AddProfileItem(const QString& name) override { items.append(name); }
    void SelectProfileItem(int index, bool fireEvent) override
    {
        selected = index >= 0 && index < items.size() ? index : -1;
        lastSelectFired = fireEvent;
    }
    int SelectedProfileItem() const override { return hasCombo ? selected : -1; }
    QString ProfileItemText(int index) const override { return items.value(index); }
    QString NameEditText() const override { return nameEdit; }
    void SetNameEditText(const QString& text) override { nameEdit = text; }
    void HideFunctionTabs(int deviceKind) override { hiddenTabsOfKind = deviceKind; }
};

class ProfileListTest : public ::testing::Test {
protected:
    ProfileListTest()
    {
        m_userFolder = QDir(Root()).filePath("local/Q-31/keyboard");
        m_defaultDocument = QDir(Root()).filePath("keyboard.Json");
        Json::Value defaults(Json::objectValue);
        defaults["profilename"] = "factory";
        defaults["profileUUID"] = "factory";
        defaults["Device"].append(Json::Value(Json::objectValue))["LightInfo"]["Light"] = 4;
        EXPECT_TRUE(WriteJsonFile(m_defaultDocument, defaults));
    }

    QString Root() const { return QString::fromStdString(m_folder.Path()); }
    QString ListPath() const { return QDir(m_userFolder).filePath("ProfileList.ini"); }
    QString DocumentPath(const QString& id) const { return QDir(m_userFolder).filePath(id + ".Json"); }

    void WriteList(const QByteArray& text)
    {
        QDir().mkpath(m_userFolder);
        QFile file(ListPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    q31::DeviceProfileList& LoadList(int kind = 1)
    {
        m_list.SetDeviceKind(kind);
        m_list.SetPaths(m_userFolder, m_defaultDocument);
        m_list.LoadProfileList();
        return m_list;
    }

    q31::test::TempFolder m_folder;
    QString m_userFolder;
    QString m_defaultDocument;
    FakeProfileBar m_bar;
    q31::DeviceProfileList m_list{m_bar};
};

TEST_F(ProfileListTest, FirstStartCreatesFoldersListAndFirstProfile)
{
    auto& list = LoadList();

    const Json::Value onDisk = ParseJsonFile(ListPath());
    ASSERT_EQ(onDisk["profilelist"].size(), 1u);
    const Json::Value entry = onDisk["profilelist"][0];
    EXPECT_EQ(entry["profilename"].asString(), "profile1");
    EXPECT_EQ(entry["profileislink"], Json::Value(0));
    EXPECT_EQ(entry["profilelinkmame"], Json::Value(""));
    EXPECT_EQ(onDisk["profileselect"].asInt(), 0);

    const QString id = QString::fromStdString(entry["profileUUID"].asString());
    EXPECT_EQ(list.GetCurrentProfileId(), id);
    const Json::Value document = ParseJsonFile(DocumentPath(id));
    EXPECT_EQ(document["profilename"].asString(), "profile1");
    EXPECT_EQ(document["profileUUID"].asString(), id.toStdString());
    EXPECT_EQ(document["Device"][0]["LightInfo"]["Light"].asInt(), 4);

    EXPECT_EQ(m_bar.items, QStringList{"profile1"});
    EXPECT_EQ(list.GetSelectedIndex(), 0);
    EXPECT_FALSE(m_bar.lastSelectFired);
    EXPECT_EQ(list.GetNameEditText(), "profile1");
    EXPECT_EQ(m_bar.hiddenTabsOfKind, 1);
}

TEST_F(ProfileListTest, EmptyListIsTreatedLikeAMissingFile)
{
    WriteList(R"({"profilelist":[],"profileselect":0})");
    LoadList();
    EXPECT_EQ(m_bar.items, QStringList{"profile1"});
    EXPECT_EQ(ParseJsonFile(ListPath())["profilelist"].size(), 1u);
    EXPECT_FALSE(QFile::exists(ListPath() + ".bad"));
}

TEST_F(ProfileListTest, UnreadableListIsKeptAsBadBeforeItIsReplaced)
{
    WriteList(R"({"profilelist":[{"profilename":"Mine","profileUUID":"x"})");
    LoadList();
    EXPECT_EQ(m_bar.items, QStringList{"profile1"});
    QFile kept(ListPath() + ".bad");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), R"({"profilelist":[{"profilename":"Mine","profileUUID":"x"})");
}

TEST_F(ProfileListTest, RemembersTheSelectionAndSelectsTheFirstWhenItNamesNone)
{
    WriteList(R"({"profilelist":[{"profilename":"A","profileUUID":"a"},{"profilename":"B","profileUUID":"b"}],
                  "profileselect":1})");
    auto& list = LoadList();
    EXPECT_EQ(m_bar.items, (QStringList{"A", "B"}));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    EXPECT_EQ(list.GetCurrentProfileId(), "b");
    EXPECT_EQ(list.GetNameEditText(), "B");

    list.SelectProfile(0, true);
    EXPECT_TRUE(m_bar.lastSelectFired);
    EXPECT_EQ(list.GetCurrentProfileId(), "a");
    EXPECT_EQ(ParseJsonFile(ListPath())["profileselect"].asInt(), 0);

    for (const char* select : {"7", "-1", "\"1\""}) {
        WriteList(QByteArray(R"({"profilelist":[{"profilename":"A","profileUUID":"a"},{"profilename":"B","profileUUID":"b"}],
                                 "profileselect":)") + select + "}");
        LoadList();
        EXPECT_EQ(list.GetSelectedIndex(), 0) << select;
        EXPECT_EQ(list.GetCurrentProfileId(), "a") << select;
        EXPECT_EQ(ParseJsonFile(ListPath())["profileselect"].asInt(), 0) << select;
    }
    // Set up again, the page shows each profile once.
    EXPECT_EQ(m_bar.items, (QStringList{"A", "B"}));
}

TEST_F(ProfileListTest, SelectionIsStoredIntoTheListOnDisk)
{
    WriteList(R"({"profilelist":[{"profilename":"A","profileUUID":"a"},{"profilename":"B","profileUUID":"b"}]})");
    auto& list = LoadList();
    // Another change reached the file meanwhile; the selection must not undo it.
    WriteList(R"({"profilelist":[{"profilename":"A","profileUUID":"a"},{"profilename":"B","profileUUID":"b"},
                                 {"profilename":"C","profileUUID":"c"}]})");
    list.SelectProfile(1, false);
    const Json::Value onDisk = ParseJsonFile(ListPath());
    EXPECT_EQ(onDisk["profilelist"].size(), 3u);
    EXPECT_EQ(onDisk["profileselect"].asInt(), 1);
}

TEST_F(ProfileListTest, EntriesWithoutAUsableIdAreDropped)
{
    WriteList(R"({"profilelist":[{"profilename":"Out","profileUUID":"../../escape"},
                                 {"profilename":"NoId"},
                                 {"profilename":"Ok","profileUUID":"ok"},
                                 {"profilename":"Slash","profileUUID":"a\\b"}],"profileselect":0})");
    auto& list = LoadList();
    EXPECT_EQ(m_bar.items, QStringList{"Ok"});
    EXPECT_EQ(list.GetCurrentProfileId(), "ok");
    EXPECT_EQ(ParseJsonFile(ListPath())["profilelist"].size(), 1u);
}

TEST_F(ProfileListTest, WithoutAComboTheDocumentsAreStillMadeAndSelected)
{
    m_bar.hasCombo = false;
    auto& list = LoadList(7);
    EXPECT_TRUE(m_bar.items.isEmpty());
    EXPECT_EQ(list.GetSelectedIndex(), -1);
    EXPECT_FALSE(list.GetCurrentProfileId().isEmpty());
    EXPECT_TRUE(QFile::exists(DocumentPath(list.GetCurrentProfileId())));
}

TEST_F(ProfileListTest, MissingDefaultDocumentGivesAProfileWithNameAndIdOnly)
{
    QFile::remove(m_defaultDocument);
    auto& list = LoadList();
    const Json::Value document = ParseJsonFile(DocumentPath(list.GetCurrentProfileId()));
    EXPECT_EQ(document.getMemberNames(), (std::vector<std::string>{"profileUUID", "profilename"}));
}

TEST_F(ProfileListTest, RenameKeepsTheDocumentFileName)
{
    auto& list = LoadList();
    const QString id = list.GetCurrentProfileId();
    ASSERT_TRUE(list.Files()->RenameEntry(0, "Gaming 游戏"));

    const Json::Value onDisk = ParseJsonFile(ListPath());
    EXPECT_EQ(onDisk["profilelist"][0]["profilename"].asString(), "Gaming \xE6\xB8\xB8\xE6\x88\x8F");
    EXPECT_EQ(onDisk["profilelist"][0]["profileUUID"].asString(), id.toStdString());
    const Json::Value document = ParseJsonFile(DocumentPath(id));
    EXPECT_EQ(document["profilename"].asString(), "Gaming \xE6\xB8\xB8\xE6\x88\x8F");
    EXPECT_EQ(document["profileUUID"].asString(), id.toStdString());
    EXPECT_EQ(QDir(m_userFolder).entryList({"*.Json"}), QStringList{id + ".Json"});
    EXPECT_FALSE(list.Files()->RenameEntry(1, "none"));
}

}  // namespace
