// The operations on a device's profile list: what each leaves in
// "ProfileList.ini" and the documents, their limits and name rules, and what
// a failed write or an untrusted file leaves behind.
#include "profiles/json_file.h"
#include "profiles/profile_operations.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using Status = q31::ProfileOutcome::Status;

class ProfileOperationsTest : public ::testing::Test {
protected:
    ProfileOperationsTest()
    {
        m_userFolder = QDir(Root()).filePath("Q-31/HD");
        m_defaultDocument = QDir(Root()).filePath("HD.Json");
        Json::Value defaults(Json::objectValue);
        defaults["profilename"] = "factory";
        defaults["profileUUID"] = "factory";
        Json::Value& section = defaults["Device"].append(Json::Value(Json::objectValue));
        section["LightInfo"]["Light"] = 4;
        section["CustomEQNameInfo"].append("shipped");
        EXPECT_TRUE(WriteJsonFile(m_defaultDocument, defaults));
    }

    QString Root() const { return QString::fromStdString(m_folder.Path()); }
    QString ListPath() const { return QDir(m_userFolder).filePath("ProfileList.ini"); }
    QString DocumentPath(const QString& id) const { return QDir(m_userFolder).filePath(id + ".Json"); }

    q31::ProfileOperations Operations(int kind = 1) const
    {
        return q31::ProfileOperations(m_userFolder, m_defaultDocument, kind);
    }

    // The names of the list on disk.
    QStringList Names() const { return q31::ProfileNames(ParseJsonFile(ListPath())); }
    std::vector<q31::ProfileEntry> Entries() const
    {
        return q31::ProfileListFile::Entries(ParseJsonFile(ListPath()));
    }
    int Selected() const { return q31::ProfileListFile::SelectedIndex(ParseJsonFile(ListPath())); }
    Json::Value Document(int index) const { return ParseJsonFile(DocumentPath(Entries().at(index).id)); }
    QStringList Files() const
    {
        return QDir(m_userFolder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }

    // Every entry names its own document, whose name and id are the entry's.
    void ExpectConsistent() const
    {
        QSet<QString> ids;
        for (const q31::ProfileEntry& entry : Entries()) {
            EXPECT_FALSE(ids.contains(entry.id)) << entry.id.toStdString();
            ids.insert(entry.id);
            const Json::Value document = ParseJsonFile(DocumentPath(entry.id));
            EXPECT_EQ(document["profilename"].asString(), entry.name.toStdString());
            EXPECT_EQ(document["profileUUID"].asString(), entry.id.toStdString());
        }
    }

    QString WriteImportFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = QDir(Root()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    q31::test::TempFolder m_folder;
    QString m_userFolder;
    QString m_defaultDocument;
};

TEST_F(ProfileOperationsTest, AddTakesTheFirstFreeNameAndStopsAtFifty)
{
    const auto operations = Operations();
    ASSERT_FALSE(operations.Load().isNull());
    ASSERT_TRUE(operations.Rename(0, "Profile2").Done());
    ASSERT_TRUE(operations.Copy(0).Done());
    ASSERT_TRUE(operations.Rename(1, "profile1").Done());

    const q31::ProfileOutcome added = operations.Add();
    ASSERT_TRUE(added.Done());
    EXPECT_EQ(added.name, "profile3");
    // The new profile is remembered for the next start, from the default document.
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Document(2)["Device"][0]["LightInfo"]["Light"].asInt(), 4);

    while (Names().size() < q31::kMaxAddedProfiles)
        ASSERT_TRUE(operations.Add().Done());
    const QStringList fifty = Names();
    EXPECT_EQ(operations.Add().status, Status::Unchanged);
    EXPECT_EQ(Names(), fifty);
    EXPECT_EQ(Files().size(), q31::kMaxAddedProfiles + 1);  // the list and fifty documents

    // Copies and imports go beyond.
    EXPECT_TRUE(operations.Copy(0).Done());
    const QString file = WriteImportFile("Gaming.json", R"({"profilename":"x","profileUUID":"y"})");
    EXPECT_TRUE(operations.Import(file).Done());
    EXPECT_EQ(Names().size(), q31::kMaxAddedProfiles + 2);
    ExpectConsistent();
}

TEST_F(ProfileOperationsTest, IdsStayUniqueWithinOneMillisecondAndAgainstFilesOnDisk)
{
    const auto operations = Operations();
    operations.Load();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(operations.Copy(0).Done());
    ExpectConsistent();
    EXPECT_EQ(Files().size(), 22);
}

TEST_F(ProfileOperationsTest, CopyNamesAndContent)
{
    const auto operations = Operations();
    operations.Load();
    ASSERT_TRUE(operations.Rename(0, "A").Done());
    ASSERT_TRUE(operations.Copy(0).Done());
    const q31::ProfileOutcome copied = operations.Copy(0);
    EXPECT_EQ(copied.name, "A copy copy");
    EXPECT_EQ(Names(), QStringList({"A", "A copy", "A copy copy"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Document(2)["Device"], Document(0)["Device"]);
    ExpectConsistent();
}

TEST_F(ProfileOperationsTest, RenameRules)
{
    const auto operations = Operations();
    operations.Load();
    ASSERT_TRUE(operations.Add().Done());
    const QString id = Entries()[0].id;

    EXPECT_EQ(operations.Rename(0, "").status, Status::Unchanged);
    EXPECT_EQ(operations.Rename(0, "  \t").status, Status::BlankName);
    EXPECT_EQ(operations.Rename(0, "PROFILE2").status, Status::NameInUse);
    // Its own name in other letter case is no collision.
    EXPECT_TRUE(operations.Rename(0, "PROFILE1").Done());
    EXPECT_EQ(Names(), QStringList({"PROFILE1", "profile2"}));
    EXPECT_EQ(Entries()[0].id, id);
    ExpectConsistent();
}

TEST_F(ProfileOperationsTest, DeleteKeepsTheLastProfileAndMovesTheSelection)
{
    const auto operations = Operations();
    operations.Load();
    EXPECT_EQ(operations.Delete(0).status, Status::Unchanged);
    EXPECT_EQ(Names().size(), 1);

    ASSERT_TRUE(operations.Add().Done());
    ASSERT_TRUE(operations.Add().Done());
    const QString first = Entries()[0].id;
    ASSERT_TRUE(operations.Delete(0).Done());
    EXPECT_EQ(Names(), QStringList({"profile2", "profile3"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(QFile::exists(DocumentPath(first)));

    ASSERT_TRUE(operations.Delete(1).Done());
    EXPECT_EQ(Names(), QStringList({"profile2"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Files().size(), 2);
}

TEST_F(ProfileOperationsTest, SelectionsTheListDoesNotHaveChangeNothing)
{
    const auto operations = Operations();
    operations.Load();
    ASSERT_TRUE(operations.Add().Done());
    const QByteArray list = ParseJsonFile(ListPath()).toStyledString().c_str();
    for (int index : {-1, 2, 50}) {
        EXPECT_EQ(operations.Copy(index).status, Status::Unchanged);
        EXPECT_EQ(operations.Rename(index, "x").status, Status::Unchanged);
        EXPECT_EQ(operations.Delete(index).status, Status::Unchanged);
        EXPECT_EQ(operations.Reset(index).status, Status::Unchanged);
        EXPECT_EQ(operations.Select(index).status, Status::Unchanged);
        EXPECT_EQ(operations.Export(index, QDir(Root()).filePath("out.json")).status, Status::Unchanged);
    }
    EXPECT_EQ(QByteArray(ParseJsonFile(ListPath()).toStyledString().c_str()), list);
    EXPECT_EQ(Files().size(), 3);
    EXPECT_FALSE(QFile::exists(QDir(Root()).filePath("out.json")));
}

TEST_F(ProfileOperationsTest, FailedWritesLeaveTheListAsItWas)
{
    const auto operations = Operations();
    operations.Load();
    ASSERT_TRUE(operations.Add().Done());
    const QStringList names = Names();
    const QStringList files = Files();
    const QString file = WriteImportFile("Gaming.json", R"({"profilename":"x","profileUUID":"y"})");

    std::vector<q31::ProfileOutcome> outcomes;
    {
        const q31::test::FileSizeLimit full;
        outcomes = {operations.Add(),       operations.Copy(0),   operations.Import(file),
                    operations.Rename(0, "new name"), operations.Delete(1), operations.Select(0),
                    operations.Reset(1)};
    }
    for (const q31::ProfileOutcome& outcome : outcomes) {
        EXPECT_EQ(outcome.status, Status::WriteFailed);
        EXPECT_FALSE(outcome.file.isEmpty());
        EXPECT_EQ(q31::ProfileNames(outcome.list), names);
    }
    EXPECT_EQ(Names(), names);
    // The delete could not write the list, so the document it names is still there.
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(Selected(), 1);
    ExpectConsistent();
}

TEST_F(ProfileOperationsTest, ImportNamesChainAndRefusals)
{
    const auto operations = Operations();
    operations.Load();
    const QString file =
        WriteImportFile("Gaming.json", R"({"profilename":"other","profileUUID":"2020_01_01","Device":[{}]})");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(operations.Import(file).Done());
    EXPECT_EQ(Names(), QStringList({"profile1", "Gaming", "Gaming(1)", "Gaming(1)(2)"}));
    EXPECT_EQ(Selected(), 0);
    ExpectConsistent();

    for (const QByteArray& bytes : {QByteArray("not json"), QByteArray("null"), QByteArray("[1,2]"),
                                    QByteArray(R"({"profilename":"x"})"),
                                    QByteArray(R"({"profilename":null,"profileUUID":"y"})")}) {
        const QString refusedFile = WriteImportFile("Refused.json", bytes);
        const q31::ProfileOutcome refused = operations.Import(refusedFile);
        EXPECT_EQ(refused.status, Status::NotAProfile) << bytes.constData();
        EXPECT_EQ(refused.file, refusedFile);
    }
    EXPECT_EQ(Names().size(), 4);
    EXPECT_EQ(operations.Import(QDir(Root()).filePath("missing.json")).status, Status::NotAProfile);
}

TEST_F(ProfileOperationsTest, ExportWritesTheDocumentOrNothing)
{
    const auto operations = Operations();
    operations.Load();
    const QString target = WriteImportFile("out.json", "keep me");
    ASSERT_TRUE(operations.Export(0, target).Done());
    EXPECT_EQ(ParseJsonFile(target), Document(0));

    WriteImportFile("out.json", "keep me");
    QFile document(DocumentPath(Entries()[0].id));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("{ broken");
    document.close();
    const q31::ProfileOutcome refused = operations.Export(0, target);
    EXPECT_EQ(refused.status, Status::NotAProfile);
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep me");
}

TEST_F(ProfileOperationsTest, ResetKeepsNameIdAndTheHeadsetsOwnCurves)
{
    for (int kind : {1, 7}) {
        SCOPED_TRACE(kind);
        QDir(m_userFolder).removeRecursively();
        const auto operations = Operations(kind);
        operations.Load();
        ASSERT_TRUE(operations.Rename(0, "Mine").Done());
        Json::Value document = Document(0);
        Json::Value& section = document["Device"][0];
        section["LightInfo"]["Light"] = 9;
        section["CustomEQNameInfo"][0] = "my curve";
        section["CustomEQHzValueInfo"][0]["Band1"] = 5;
        ASSERT_TRUE(WriteJsonFile(DocumentPath(Entries()[0].id), document));

        ASSERT_TRUE(operations.Reset(0).Done());
        const Json::Value reset = Document(0);
        EXPECT_EQ(reset["profilename"].asString(), "Mine");
        EXPECT_EQ(reset["Device"][0]["LightInfo"]["Light"].asInt(), 4);
        if (kind == 7) {
            EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"], section["CustomEQNameInfo"]);
            EXPECT_EQ(reset["Device"][0]["CustomEQHzValueInfo"], section["CustomEQHzValueInfo"]);
        } else {
            EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"][0].asString(), "shipped");
            EXPECT_FALSE(reset["Device"][0].isMember("CustomEQHzValueInfo"));
        }
    }
}

TEST_F(ProfileOperationsTest, ResetKeepsADocumentThatDoesNotParseAsBad)
{
    const auto operations = Operations();
    operations.Load();
    const QString path = DocumentPath(Entries()[0].id);
    QFile document(path);
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("{ \"half\": ");
    document.close();
    ASSERT_TRUE(operations.Reset(0).Done());
    QFile bad(path + ".bad");
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), "{ \"half\": ");
    ExpectConsistent();
}

TEST(ProfileNameRules, ComparedWithoutLetterCase)
{
    EXPECT_EQ(q31::FreeAddName({"profile1", "Profile2"}), "profile3");
    EXPECT_EQ(q31::FreeAddName({"Profile3"}), "profile1");
    EXPECT_EQ(q31::FreeCopyName("A", {"A", "a COPY"}), "A copy copy");
    EXPECT_EQ(q31::FreeImportName("X", {"x", "X(1)"}), "X(1)(2)");
    EXPECT_EQ(q31::FreeImportName("50%d %s", {}), "50%d %s");
    EXPECT_TRUE(q31::IsNameTaken({"a", "B"}, "b"));
    EXPECT_FALSE(q31::IsNameTaken({"a", "B"}, "b", 1));
}

}  // namespace
