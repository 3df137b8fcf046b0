// q31ctl profile: the profile bar's operations on the user's files, as a
// script runs them, and nothing while Q-31 owns the files.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "platform/folders.h"
#include "platform/named_mutex.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/profile_command.h"

namespace q31::ctl {
namespace {

struct ProfileRun {
    int status = -1;
    Json::Value list;  // the printed list
    std::string err;
    std::string usageError;
};

ProfileRun Profile(std::vector<std::string> words, const std::string& device = "keyboard")
{
    std::vector<std::string> arguments = {"profile", "--device", device};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunProfileCommand(arguments, {out, err});
    if (!result)
        return {};
    ProfileRun run{result->exitStatus, {}, err.str(), result->usageError};
    std::istringstream printed(out.str());
    if (!out.str().empty())
        printed >> run.list;
    return run;
}

std::vector<std::string> Names(const Json::Value& list)
{
    std::vector<std::string> names;
    for (const Json::Value& profile : list["profiles"])
        names.push_back(profile["name"].asString());
    return names;
}

class Q31ctlProfileCommandTest : public ::testing::Test {
protected:
    Q31ctlProfileCommandTest()
    {
        for (const char* folder : {"keyboard", "HD"})
            QDir(UserDataFolder(QString::fromLatin1(folder))).removeRecursively();
    }
};

TEST_F(Q31ctlProfileCommandTest, OperationsPrintTheListAfterTheChange)
{
    const ProfileRun first = Profile({"list"});
    ASSERT_EQ(first.status, kExitSuccess) << first.err;
    EXPECT_EQ(Names(first.list), std::vector<std::string>{"profile1"});
    EXPECT_EQ(first.list["selected"].asInt(), 0);
    EXPECT_FALSE(first.list["profiles"][0]["id"].asString().empty());

    EXPECT_EQ(Names(Profile({"add"}).list), (std::vector<std::string>{"profile1", "profile2"}));
    EXPECT_EQ(Profile({"copy", "0"}).status, kExitSuccess);
    EXPECT_EQ(Profile({"rename", "2", "Gaming 游戏"}).status, kExitSuccess);
    const ProfileRun selected = Profile({"select", "2"});
    EXPECT_EQ(selected.list["selected"].asInt(), 2);
    EXPECT_EQ(Names(selected.list), (std::vector<std::string>{"profile1", "profile2", "Gaming 游戏"}));

    const QString exported = QDir(UserDataRoot()).filePath("Exported.json");
    EXPECT_EQ(Profile({"export", "2", exported.toStdString()}).status, kExitSuccess);
    const ProfileRun imported = Profile({"import", exported.toStdString()});
    EXPECT_EQ(Names(imported.list).back(), "Exported");
    EXPECT_EQ(Profile({"delete", "0"}).list["selected"].asInt(), 0);
    EXPECT_EQ(Profile({"reset", "0"}, "headset").status, kExitSuccess);
    QFile::remove(exported);
}

TEST_F(Q31ctlProfileCommandTest, RefusalsSayWhyInOneLine)
{
    Profile({"list"});
    const ProfileRun last = Profile({"delete", "0"});
    EXPECT_EQ(last.status, kExitFailure);
    EXPECT_EQ(Names(last.list).size(), 1u);
    EXPECT_NE(last.err.find("nothing changed"), std::string::npos);

    const ProfileRun taken = Profile({"rename", "0", "PROFILE1"});
    EXPECT_EQ(taken.status, kExitSuccess);
    Profile({"add"});
    EXPECT_EQ(Profile({"rename", "0", "Profile2"}).status, kExitFailure);

    const QString notAProfile = QDir(UserDataRoot()).filePath("note.json");
    QFile file(notAProfile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[]");
    file.close();
    const ProfileRun refused = Profile({"import", notAProfile.toStdString()});
    EXPECT_EQ(refused.status, kExitFailure);
    EXPECT_NE(refused.err.find(notAProfile.toStdString()), std::string::npos);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1);
    QFile::remove(notAProfile);

    EXPECT_EQ(Profile({"copy"}).status, kExitUsage);
    EXPECT_EQ(Profile({"list"}, "toaster").status, kExitUsage);
    EXPECT_FALSE(RunProfileCommand({"list"}, {std::cout, std::cerr}));
}

TEST_F(Q31ctlProfileCommandTest, WhileQ31RunsNothingChanges)
{
    Profile({"list"});
    const CNamedMutex running(QStringLiteral("Q-31"));
    ASSERT_TRUE(running.IsOwned());
    const ProfileRun refused = Profile({"add"});
    EXPECT_EQ(refused.status, kExitFailure);
    EXPECT_NE(refused.err.find("Q-31 is running"), std::string::npos);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1);
    EXPECT_TRUE(refused.list.isNull());
}

}  // namespace
}  // namespace q31::ctl
