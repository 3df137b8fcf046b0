// The device's profile list: the first start, repairs of hand-edited or broken
// lists, the remembered selection and renaming.
#include "profiles/basic_profile_data.h"
#include "profiles/device_profile_list.h"
#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        m_loaded = m_list.LoadProfileList();
        return m_list;
    }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray ReadBytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList FilesInUserFolder() const
    {
        return QDir(m_userFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    }

    q31::test::TempFolder m_folder;
    QString m_userFolder;
    QString m_defaultDocument;
    FakeProfileBar m_bar;
    q31::DeviceProfileList m_list{m_bar};
    bool m_loaded = false;
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

TEST_F(ProfileListTest, DroppedEntriesTakeTheSelectionAlong)
{
    const QByteArray four = R"({"profilelist":[{"profilename":"Bad"},{"profilename":"A","profileUUID":"a"},
                                               {"profilename":"B","profileUUID":"b"},
                                               {"profilename":"C","profileUUID":"c"}],"profileselect":2})";
    WriteList(four);
    auto& list = LoadList();
    EXPECT_EQ(m_bar.items, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(list.GetCurrentProfileId(), "b");
    EXPECT_EQ(list.GetNameEditText(), "B");
    EXPECT_EQ(ParseJsonFile(ListPath())["profileselect"].asInt(), 1);
    LoadList();
    EXPECT_EQ(list.GetCurrentProfileId(), "b");

    // When the selected entry is the one dropped, the first profile is selected.
    QByteArray badSelected = four;
    badSelected.replace(R"("profileselect":2)", R"("profileselect":0)");
    WriteList(badSelected);
    LoadList();
    EXPECT_EQ(list.GetCurrentProfileId(), "a");
    EXPECT_EQ(ParseJsonFile(ListPath())["profileselect"].asInt(), 0);
}

TEST_F(ProfileListTest, RewritesThatLeaveSomethingOutKeepTheOldFileFirst)
{
    const QByteArray withBadEntry =
        R"({"profilelist":[{"profilename":"Out","profileUUID":"../x"},{"profilename":"A","profileUUID":"a"}]})";
    WriteList(withBadEntry);
    LoadList();
    EXPECT_EQ(m_bar.items, QStringList{"A"});
    EXPECT_EQ(ReadBytes(ListPath() + ".bad"), withBadEntry);

    // A list whose "profilelist" is missing or no array is replaced by a fresh one.
    const QByteArray withoutArray = R"({"profileselect":1,"mine":"notes"})";
    const QByteArray notAnArray = R"({"profilelist":{"profilename":"A","profileUUID":"a"}})";
    for (const QByteArray& text : {withoutArray, notAnArray}) {
        WriteList(text);
        LoadList();
        EXPECT_EQ(m_bar.items, QStringList{"profile1"}) << text.constData();
    }
    EXPECT_EQ(ReadBytes(ListPath() + ".bad.1"), withoutArray);
    EXPECT_EQ(ReadBytes(ListPath() + ".bad.2"), notAnArray);

    // A list that needs no repair is rewritten without a copy.
    LoadList();
    m_list.SelectProfile(0, false);
    EXPECT_FALSE(QFile::exists(ListPath() + ".bad.3"));
}

TEST_F(ProfileListTest, DuplicateIdsAreRepairedSoNoTwoProfilesShareAFile)
{
    WriteList(R"({"profilelist":[{"profilename":"A","profileUUID":"x"},{"profilename":"B","profileUUID":"x"},
                                 {"profilename":"C","profileUUID":"y"},{"profilename":"D","profileUUID":"x"}],
                  "profileselect":3})");
    Json::Value shared = ParseJsonFile(m_defaultDocument);
    shared["profilename"] = "A";
    shared["profileUUID"] = "x";
    shared["Device"][0]["LightInfo"]["Light"] = 7;
    ASSERT_TRUE(WriteJsonFile(DocumentPath("x"), shared));

    auto& list = LoadList();
    EXPECT_EQ(m_bar.items, (QStringList{"A", "B", "C", "D"}));
    const auto entries = q31::ProfileListFile::Entries(ParseJsonFile(ListPath()));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].id, "x");
    EXPECT_EQ(entries[2].id, "y");
    QSet<QString> ids;
    for (const auto& entry : entries)
        ids.insert(entry.id);
    EXPECT_EQ(ids.size(), 4);
    EXPECT_EQ(list.GetCurrentProfileId(), entries[3].id);
    EXPECT_TRUE(QFile::exists(ListPath() + ".bad"));

    // Each repaired entry has its own copy of the document, named after it.
    for (const std::size_t i : {std::size_t{1}, std::size_t{3}}) {
        const Json::Value copy = ParseJsonFile(DocumentPath(entries[i].id));
        EXPECT_EQ(copy["profilename"].asString(), entries[i].name.toStdString());
        EXPECT_EQ(copy["profileUUID"].asString(), entries[i].id.toStdString());
        EXPECT_EQ(copy["Device"][0]["LightInfo"]["Light"].asInt(), 7);
    }

    // Renaming the repaired profile leaves the first one's document alone.
    ASSERT_TRUE(list.Files()->RenameEntry(1, "Renamed"));
    EXPECT_EQ(ParseJsonFile(DocumentPath("x"))["profilename"].asString(), "A");
    EXPECT_EQ(ParseJsonFile(DocumentPath(entries[1].id))["profilename"].asString(), "Renamed");
}

TEST_F(ProfileListTest, ListThatCannotBeReadIsReportedAndLeftAlone)
{
    // Reading a folder fails like any I/O error does; unlike a parse failure it
    // says nothing about the content, so nothing may be written over it.
    ASSERT_TRUE(QDir().mkpath(ListPath()));
    LoadList();
    EXPECT_FALSE(m_loaded);
    EXPECT_TRUE(m_bar.items.isEmpty());
    EXPECT_TRUE(m_list.GetCurrentProfileId().isEmpty());
    EXPECT_TRUE(QFileInfo(ListPath()).isDir());
    EXPECT_EQ(FilesInUserFolder(), QStringList{"ProfileList.ini"});

    // A selection made meanwhile is not stored either.
    m_list.SelectProfile(0, false);
    EXPECT_TRUE(QFileInfo(ListPath()).isDir());
    EXPECT_EQ(FilesInUserFolder(), QStringList{"ProfileList.ini"});
}

TEST_F(ProfileListTest, FifoAsListDoesNotHangTheStart)
{
    ASSERT_TRUE(QDir().mkpath(m_userFolder));
    const QByteArray fifo = QFile::encodeName(ListPath());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);

    auto load = std::async(std::launch::async, [this] { LoadList(); });
    if (load.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ADD_FAILURE() << "loading waits on the FIFO";
        // Lets the waiting open return, so that the test can end.
        const int writer = ::open(fifo.constData(), O_RDWR);
        ::close(writer);
    }
    load.get();
    EXPECT_FALSE(m_loaded);
    EXPECT_TRUE(m_bar.items.isEmpty());
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(FilesInUserFolder(), QStringList{"ProfileList.ini"});
}

TEST_F(ProfileListTest, FirstStartReportsWritesThatFailed)
{
    // The list cannot be written: it is a link into a folder that does not exist.
    ASSERT_TRUE(QDir().mkpath(m_userFolder));
    ASSERT_TRUE(QFile::link(QDir(Root()).filePath("gone/ProfileList.ini"), ListPath()));
    LoadList();
    EXPECT_FALSE(m_loaded);
    EXPECT_TRUE(m_bar.items.isEmpty());
    EXPECT_TRUE(m_list.GetCurrentProfileId().isEmpty());

    // Neither can be written: the profile folder is a link to nowhere.
    q31::test::TempFolder other;
    const QString linkedFolder = QDir(QString::fromStdString(other.Path())).filePath("profiles");
    ASSERT_TRUE(QFile::link(QDir(Root()).filePath("nowhere/at/all"), linkedFolder));
    m_list.SetPaths(linkedFolder, m_defaultDocument);
    EXPECT_FALSE(m_list.LoadProfileList());
    EXPECT_TRUE(m_list.GetCurrentProfileId().isEmpty());
}

TEST_F(ProfileListTest, RecreatedDocumentCarriesTheNameAndIdOfItsEntry)
{
    WriteList(R"({"profilelist":[{"profilename":"Mine","profileUUID":"m"}],"profileselect":0})");
    auto& list = LoadList();
    ASSERT_EQ(list.GetCurrentProfileId(), "m");
    ASSERT_FALSE(QFile::exists(DocumentPath("m")));

    CBasicProfiledata data;
    data.SetDefaultDocumentPath(m_defaultDocument);
    data.SetDocumentPath(DocumentPath("m"));
    data.LoadDeviceSection(DocumentPath("m"));
    Json::Value document = ParseJsonFile(DocumentPath("m"));
    EXPECT_EQ(document["profilename"].asString(), "Mine");
    EXPECT_EQ(document["profileUUID"].asString(), "m");
    EXPECT_EQ(document["Device"][0]["LightInfo"]["Light"].asInt(), 4);

    // Saved into a document that was lost meanwhile, or one that no longer parses.
    for (const QByteArray& left : {QByteArray(), QByteArray("{ torn")}) {
        QFile::remove(DocumentPath("m"));
        if (!left.isEmpty())
            WriteBytes(DocumentPath("m"), left);
        ASSERT_TRUE(data.Save());
        document = ParseJsonFile(DocumentPath("m"));
        EXPECT_EQ(document["profilename"].asString(), "Mine");
        EXPECT_EQ(document["profileUUID"].asString(), "m");
    }

    // A document the list does not know is named after its id.
    CBasicProfiledata stray;
    stray.SetDocumentPath(DocumentPath("stray"));
    ASSERT_TRUE(stray.Save());
    EXPECT_EQ(ParseJsonFile(DocumentPath("stray"))["profilename"].asString(), "stray");
}

}  // namespace
