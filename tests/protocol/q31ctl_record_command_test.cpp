// q31ctl record: the macro file a recording makes of the input events a script gives.
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

#include "profiles/json_file.h"
#include "tests/common/temp_folder.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/record_command.h"

namespace q31::ctl {
namespace {

struct RecordRun {
    int status = -1;
    std::string out;
    std::string err;
    std::string usageError;
};

RecordRun Record(std::vector<std::string> arguments, const std::string& events)
{
    arguments.insert(arguments.begin(), "record");
    std::istringstream in(events);
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunRecordCommand(arguments, {out, err}, in);
    if (!result)
        return {};
    return {result->exitStatus, out.str(), err.str(), result->usageError};
}

// The events of the printed macro file, one "action type button delay" each.
std::vector<std::string> Events(const RecordRun& run)
{
    EXPECT_EQ(run.status, kExitSuccess) << run.err << run.usageError;
    const Json::Value document = ParseJsonText(run.out);
    EXPECT_EQ(document["Version"].asInt(), 64);
    std::vector<std::string> events;
    for (const Json::Value& event : document["Events"])
        events.push_back(event["Action"].asString() + " " + event["Type"].asString() + " " +
                         event["Button"].asString() + " " + event["Delay"].asString());
    return events;
}

// A tapped, then a left click at 100 ms, as the capture hands them on.
const char* const kTapAndClick =
    R"({"t": 1000, "kind": "key", "scan": 30, "extended": false, "down": true})"
    "\n"
    R"({"t": 1040, "kind": "key", "scan": 30, "extended": false, "down": false})"
    "\n\n"
    R"({"t": 1100, "kind": "button", "button": 1, "down": true, "x": 10, "y": 20})"
    "\n"
    R"({"t": 1180, "kind": "button", "button": 1, "down": false})"
    "\n";

TEST(Q31ctlRecordTest, PrintsTheMacroFileTheRecordingSaves)
{
    const RecordRun run = Record({"--mode", "1"}, kTapAndClick);
    EXPECT_EQ(run.out, JsonDocumentText(ParseJsonText(R"({"MacroName": "", "Guid": "", "Events": [
        {"Action": "down", "Type": 10, "Button": 4, "Delay": "40"},
        {"Action": "up", "Type": 10, "Button": 4, "Delay": "60"},
        {"Action": "down", "Type": 1, "Button": 1, "Delay": "80"},
        {"Action": "up", "Type": 1, "Button": 1, "Delay": "0"}], "Version": 64})")));
    EXPECT_EQ(run.err, "");
}

TEST(Q31ctlRecordTest, EachModeAndTheStartOfTheRecording)
{
    EXPECT_EQ(Events(Record({"--mode", "2", "--fixed-delay", "70000"}, kTapAndClick)),
              (std::vector<std::string>{"down 10 4 65535", "up 10 4 65535", "down 1 1 65535", "up 1 1 65535"}));
    EXPECT_EQ(Events(Record({"--mode", "2"}, kTapAndClick)),
              (std::vector<std::string>{"down 10 4 50", "up 10 4 50", "down 1 1 50", "up 1 1 50"}));
    EXPECT_EQ(Events(Record({"--mode", "3"}, kTapAndClick)),
              (std::vector<std::string>{"down 10 4 0", "up 10 4 0", "down 1 1 0", "up 1 1 0"}));
    // The first row only ever takes the time to the event after it.
    EXPECT_EQ(Events(Record({"--mode", "1", "--start", "0"}, kTapAndClick)),
              (std::vector<std::string>{"down 10 4 40", "up 10 4 60", "down 1 1 80", "up 1 1 0"}));
}

TEST(Q31ctlRecordTest, InsertsIntoTheRowsOfAMacroFile)
{
    const test::TempFolder folder;
    const QString path = QString::fromStdString(folder.Path()) + "/start.mac";
    ASSERT_TRUE(WriteJsonFile(path, ParseJsonText(R"({"MacroName": "macro_3", "Guid": "g1", "Version": 64,
        "Events": [{"Action": "down", "Type": 10, "Button": 5, "Delay": "300"},
                   "not an event",
                   {"Action": "up", "Type": 10, "Button": 5, "Delay": "99999"}]})")));
    const std::string macro = path.toStdString();

    const RecordRun before = Record({"--mode", "1", "--macro", macro, "--insert-at", "1"}, kTapAndClick);
    EXPECT_EQ(Events(before), (std::vector<std::string>{"down 10 5 300", "down 10 4 40", "up 10 4 60", "down 1 1 80",
                                                        "up 1 1 0", "up 10 5 65535"}));
    const Json::Value document = ParseJsonText(before.out);
    EXPECT_EQ(document["MacroName"].asString(), "macro_3");
    EXPECT_EQ(document["Guid"].asString(), "g1");

    EXPECT_EQ(Events(Record({"--mode", "3", "--macro", macro}, kTapAndClick)),
              (std::vector<std::string>{"down 10 5 300", "up 10 5 65535", "down 10 4 0", "up 10 4 0", "down 1 1 0",
                                        "up 1 1 0"}));
    // No row 2: every event is dropped.
    EXPECT_EQ(Events(Record({"--mode", "1", "--macro", macro, "--insert-at", "2"}, kTapAndClick)),
              (std::vector<std::string>{"down 10 5 300", "up 10 5 65535"}));
    EXPECT_EQ(Events(Record({"--mode", "1", "--insert-at", "0"}, kTapAndClick)), std::vector<std::string>{});
}

TEST(Q31ctlRecordTest, BadLinesNameTheirLineNumber)
{
    const std::string good = R"({"t": 5, "kind": "key", "scan": 30, "down": true})"
                              "\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\"t\": 5, \"kind\": \"key\"", "line 2: not a JSON object"},
        {"[1, 2]", "line 2: not a JSON object"},
        {R"({"t": 6, "kind": "wheel", "down": true})", "line 2: \"kind\" must be \"key\" or \"button\""},
        {R"({"t": 6, "down": true, "scan": 30})", "line 2: \"kind\" must be \"key\" or \"button\""},
        {R"({"t": 6, "kind": "key", "scan": 65536, "down": true})",
         "line 2: \"scan\" must be a whole number from 0 to 65535"},
        {R"({"t": 6, "kind": "key", "scan": 1.5, "down": true})",
         "line 2: \"scan\" must be a whole number from 0 to 65535"},
        {R"({"t": 6, "kind": "key", "down": true})", "line 2: \"scan\" is missing"},
        {R"({"t": 6, "kind": "key", "scan": 30, "down": 1})", "line 2: \"down\" must be true or false"},
        {R"({"t": 6, "kind": "key", "scan": 30, "extended": "no", "down": true})",
         "line 2: \"extended\" must be true or false"},
        {R"({"t": 6, "kind": "button", "button": 0, "down": true})",
         "line 2: \"button\" must be a whole number from 1 to 255"},
        {R"({"t": 6, "kind": "button", "button": 1, "x": 3000000000, "down": true})",
         "line 2: \"x\" must be a whole number from -2147483647 to 2147483647"},
        {R"({"t": -1, "kind": "button", "button": 1, "down": true})",
         "line 2: \"t\" must be a whole number from 0 to 4294967295"},
        {R"({"t": 4, "kind": "button", "button": 1, "down": true})", "line 2: \"t\" goes back in time"},
    };
    for (const auto& [line, message] : cases) {
        const RecordRun run = Record({"--mode", "1"}, good + line + "\n" + good);
        EXPECT_EQ(run.status, kExitFailure) << line;
        EXPECT_EQ(run.err, "q31ctl: record: " + message + "\n") << line;
        EXPECT_EQ(run.out, "") << line;
    }
    const RecordRun early = Record({"--mode", "1", "--start", "6"}, good);
    EXPECT_EQ(early.err, "q31ctl: record: line 1: \"t\" goes back in time\n");
    const RecordRun missing = Record({"--mode", "1", "--macro", "/nonexistent/x.mac"}, good);
    EXPECT_EQ(missing.err, "q31ctl: record: /nonexistent/x.mac cannot be read\n");
}

TEST(Q31ctlRecordTest, RefusesBadArguments)
{
    const std::vector<std::vector<std::string>> refused = {
        {},
        {"--mode", "0"},
        {"--mode", "4"},
        {"--mode"},
        {"--mode", "1", "--fixed-delay", "20"},
        {"--mode", "2", "--fixed-delay", "-1"},
        {"--mode", "1", "--insert-at", "x"},
        {"--mode", "1", "--replace", "1"},
        {"--mode", "1", "extra"},
    };
    for (const auto& arguments : refused) {
        const RecordRun run = Record(arguments, "");
        EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(run.usageError.empty());
        EXPECT_EQ(run.out, "");
    }
    std::ostringstream out;
    std::istringstream in;
    EXPECT_FALSE(RunRecordCommand({"macro", "record"}, {out, out}, in));
}

TEST(Q31ctlRecordBinaryTest, RecordsStandardInput)
{
    QProcess process;
    process.start(QStringLiteral(Q31CTL_BINARY), {"record", "--mode", "3"});
    ASSERT_TRUE(process.waitForStarted(30000));
    process.write(kTapAndClick);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const RecordRun printed{kExitSuccess, process.readAllStandardOutput().toStdString(), {}, {}};
    EXPECT_EQ(Events(printed), (std::vector<std::string>{"down 10 4 0", "up 10 4 0", "down 1 1 0", "up 1 1 0"}));

    QProcess bad;
    bad.start(QStringLiteral(Q31CTL_BINARY), {"record", "--mode", "1"});
    ASSERT_TRUE(bad.waitForStarted(30000));
    bad.write("{\"t\": 1, \"kind\": \"pen\", \"down\": true}\n");
    bad.closeWriteChannel();
    ASSERT_TRUE(bad.waitForFinished(30000));
    EXPECT_EQ(bad.exitCode(), kExitFailure);
    EXPECT_EQ(bad.readAllStandardError().toStdString(),
              "q31ctl: record: line 1: \"kind\" must be \"key\" or \"button\"\n");
}

}  // namespace
}  // namespace q31::ctl
