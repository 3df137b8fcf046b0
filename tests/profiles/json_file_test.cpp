// The document helpers: the exact bytes written, tolerant reading, safe writes
// and keeping files that cannot be read.
#include "profiles/json_file.h"
#include "profiles/safe_file.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class JsonFileTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return QDir(QString::fromStdString(m_folder.Path())).filePath(name); }
    QStringList FilesInFolder() const
    {
        return QDir(QString::fromStdString(m_folder.Path())).entryList(QDir::Files, QDir::Name);
    }

    q31::test::TempFolder m_folder;
};

TEST_F(JsonFileTest, WritesIndentedCrLfUtf8WithFinalLineBreak)
{
    Json::Value document(Json::objectValue);
    document["profilename"] = "Spiel 游戏";
    document["profileUUID"] = "2024_03_05_14_07_09_042";
    Json::Value stage(Json::objectValue);
    stage["StageDPIX"] = 15;
    document["Device"].append(stage);
    document["Short"] = Json::Value(Json::arrayValue);
    for (int i = 0; i < 4; ++i)
        document["Short"].append(i);
    document["Empty"] = Json::Value(Json::objectValue);

    ASSERT_TRUE(WriteJsonFile(PathOf("doc.Json"), document));

    // Members come out in key order; short plain arrays stay on one line.
    const QByteArray expected =
        "{\r\n"
        "   \"Device\" : [\r\n"
        "      {\r\n"
        "         \"StageDPIX\" : 15\r\n"
        "      }\r\n"
        "   ],\r\n"
        "   \"Empty\" : {},\r\n"
        "   \"Short\" : [ 0, 1, 2, 3 ],\r\n"
        "   \"profileUUID\" : \"2024_03_05_14_07_09_042\",\r\n"
        "   \"profilename\" : \"Spiel \xE6\xB8\xB8\xE6\x88\x8F\"\r\n"
        "}\r\n";
    EXPECT_EQ(ReadBytes(PathOf("doc.Json")), expected);
}

TEST_F(JsonFileTest, LongArraysBreakAtTheRightMargin)
{
    Json::Value document(Json::objectValue);
    for (int i = 0; i < 30; ++i)
        document["Long"].append(100000 + i);
    const std::string text = q31::JsonDocumentText(document);
    EXPECT_NE(text.find("\"Long\" : [\r\n      100000,\r\n"), std::string::npos) << text;
    // No bare line feed anywhere.
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r');
}

TEST_F(JsonFileTest, ReadsBackWhatItWrote)
{
    Json::Value document(Json::objectValue);
    document["name"] = "Ünïcødé";
    document["list"].append(-1);
    document["list"].append("x\ny");
    ASSERT_TRUE(WriteJsonFile(PathOf("a.json"), document));
    EXPECT_EQ(ParseJsonFile(PathOf("a.json")), document);
}

TEST_F(JsonFileTest, AcceptsCommentsAndGivesNullForWhatDoesNotParse)
{
    WriteBytes(PathOf("comments.json"), "// shipped\n{ \"a\" : 1 /* one */ }\n");
    EXPECT_EQ(ParseJsonFile(PathOf("comments.json"))["a"].asInt(), 1);

    WriteBytes(PathOf("broken.json"), "{ \"a\" : ");
    EXPECT_TRUE(ParseJsonFile(PathOf("broken.json")).isNull());
    WriteBytes(PathOf("empty.json"), "");
    EXPECT_TRUE(ParseJsonFile(PathOf("empty.json")).isNull());
    EXPECT_TRUE(ParseJsonFile(PathOf("missing.json")).isNull());
    EXPECT_EQ(readjsonFile(PathOf("missing.json")), "");

    // Nesting beyond the reader's limit is refused, not a crash.
    WriteBytes(PathOf("deep.json"), QByteArray(100000, '['));
    EXPECT_TRUE(ParseJsonFile(PathOf("deep.json")).isNull());
}

TEST_F(JsonFileTest, FailedWriteIsReportedAndLeavesTheOldFile)
{
    Json::Value document(Json::objectValue);
    document["a"] = 1;
    EXPECT_FALSE(WriteJsonFile(PathOf("no/such/folder/doc.json"), document));

    WriteBytes(PathOf("keep.json"), "{ \"old\" : 1 }");
    // A folder standing where the file should be cannot be replaced.
    QDir(QString::fromStdString(m_folder.Path())).mkdir("taken.json");
    EXPECT_FALSE(WriteJsonFile(PathOf("taken.json"), document));
    EXPECT_EQ(ReadBytes(PathOf("keep.json")), "{ \"old\" : 1 }");
    // No temporary file is left behind.
    EXPECT_EQ(FilesInFolder(), QStringList{"keep.json"});
}

TEST_F(JsonFileTest, WriteCutShortByAFullDiskIsReportedAndLeavesTheOldFile)
{
    WriteBytes(PathOf("keep.json"), "{ \"old\" : 1 }");
    Json::Value document(Json::objectValue);
    document["a long enough member"] = "to go past the limit";
    {
        const q31::test::FileSizeLimit full;
        EXPECT_FALSE(WriteJsonFile(PathOf("keep.json"), document));
    }
    EXPECT_EQ(ReadBytes(PathOf("keep.json")), "{ \"old\" : 1 }");
    EXPECT_EQ(FilesInFolder(), QStringList{"keep.json"});
}

TEST_F(JsonFileTest, UserDocumentThatDoesNotParseIsKeptAside)
{
    using State = q31::UserDocument::State;
    WriteBytes(PathOf("ProfileList.ini"), "my notes, not JSON");
    const q31::UserDocument notes = q31::ParseUserDocument(PathOf("ProfileList.ini"));
    EXPECT_TRUE(notes.document.isNull());
    EXPECT_EQ(notes.state, State::SetAside);
    EXPECT_EQ(ReadBytes(PathOf("ProfileList.ini.bad")), "my notes, not JSON");

    // Earlier kept files stay.
    WriteBytes(PathOf("ProfileList.ini"), "[ \"an array is no list\" ]");
    EXPECT_EQ(q31::ParseUserDocument(PathOf("ProfileList.ini")).state, State::SetAside);
    WriteBytes(PathOf("ProfileList.ini"), "{");
    EXPECT_EQ(q31::ParseUserDocument(PathOf("ProfileList.ini")).state, State::SetAside);
    EXPECT_EQ(FilesInFolder(), (QStringList{"ProfileList.ini.bad", "ProfileList.ini.bad.1", "ProfileList.ini.bad.2"}));
    EXPECT_EQ(ReadBytes(PathOf("ProfileList.ini.bad.1")), "[ \"an array is no list\" ]");
}

TEST_F(JsonFileTest, UserDocumentThatParsesOrIsEmptyStaysInPlace)
{
    using State = q31::UserDocument::State;
    WriteBytes(PathOf("good.ini"), "{ \"profileselect\" : 0 }");
    const q31::UserDocument good = q31::ParseUserDocument(PathOf("good.ini"));
    EXPECT_EQ(good.state, State::Read);
    EXPECT_EQ(good.document["profileselect"].asInt(), 0);
    WriteBytes(PathOf("empty.ini"), "");
    EXPECT_EQ(q31::ParseUserDocument(PathOf("empty.ini")).state, State::Missing);
    EXPECT_TRUE(q31::ParseUserDocument(PathOf("empty.ini")).document.isNull());
    EXPECT_EQ(q31::ParseUserDocument(PathOf("missing.ini")).state, State::Missing);
    EXPECT_EQ(FilesInFolder(), (QStringList{"empty.ini", "good.ini"}));
}

TEST_F(JsonFileTest, OnlyRegularFilesAreReadAndNoneBeyondTheCap)
{
    const QByteArray fifo = QFile::encodeName(PathOf("fifo.ini"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", PathOf("zero.ini")));
    ASSERT_TRUE(QDir(QString::fromStdString(m_folder.Path())).mkdir("folder.ini"));
    {
        QFile large(PathOf("large.ini"));
        ASSERT_TRUE(large.open(QIODevice::WriteOnly));
        ASSERT_TRUE(large.resize(33 * 1024 * 1024));
    }

    for (const char* name : {"fifo.ini", "zero.ini", "folder.ini", "large.ini"}) {
        auto read = std::async(std::launch::async, [&] { return q31::ReadDocumentFile(PathOf(name)); });
        if (read.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            ADD_FAILURE() << name << " is waited on";
            const int writer = ::open(fifo.constData(), O_RDWR);
            ::close(writer);
        }
        const q31::FileContent content = read.get();
        EXPECT_EQ(content.status, q31::FileContent::Status::Failed) << name;
        EXPECT_TRUE(content.bytes.empty()) << name;
        EXPECT_EQ(readjsonFile(PathOf(name)), "") << name;

        // Refused is not unparsable: the file stays where it is.
        EXPECT_EQ(q31::ParseUserDocument(PathOf(name)).state, q31::UserDocument::State::Unreadable) << name;
        EXPECT_TRUE(QFileInfo(PathOf(name)).exists()) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(PathOf("fifo.ini.bad")));
    EXPECT_FALSE(QFileInfo::exists(PathOf("large.ini.bad")));

    EXPECT_EQ(q31::ReadDocumentFile(PathOf("missing.ini")).status, q31::FileContent::Status::Missing);
    WriteBytes(PathOf("small.ini"), "{}");
    const q31::FileContent small = q31::ReadDocumentFile(PathOf("small.ini"));
    EXPECT_EQ(small.status, q31::FileContent::Status::Read);
    EXPECT_EQ(small.bytes, "{}");
}

TEST_F(JsonFileTest, CopyKeptBeforeARepairLeavesTheFileInPlace)
{
    WriteBytes(PathOf("ProfileList.ini"), "old");
    ASSERT_TRUE(q31::KeepCopyOfFile(PathOf("ProfileList.ini")));
    ASSERT_TRUE(q31::KeepCopyOfFile(PathOf("ProfileList.ini")));
    EXPECT_EQ(FilesInFolder(), (QStringList{"ProfileList.ini", "ProfileList.ini.bad", "ProfileList.ini.bad.1"}));
    EXPECT_EQ(ReadBytes(PathOf("ProfileList.ini.bad.1")), "old");
    EXPECT_TRUE(q31::KeepCopyOfFile(PathOf("missing.ini")));
}

TEST_F(JsonFileTest, SafeWriteReplacesTheWholeFile)
{
    WriteBytes(PathOf("f"), QByteArray(5000, 'x'));
    ASSERT_TRUE(q31::WriteFileSafely(PathOf("f"), "short"));
    EXPECT_EQ(ReadBytes(PathOf("f")), "short");
}

}  // namespace
