// q31ctl's DPI conversions, as a script checks the mouse page's numbers with them.
#include <QProcess>

#include <gtest/gtest.h>

#include <sstream>

#include "tools/q31ctl/dpi_commands.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

struct DpiRun {
    int status = -1;
    std::string out;
    std::string usageError;
};

DpiRun RunDpi(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunDpiCommand(arguments, {out, err});
    if (!result)
        return {};
    EXPECT_EQ(err.str(), "");
    return {result->exitStatus, out.str(), result->usageError};
}

// The coarse-step sensor's limits: step 100, lowest 200, highest index 60.
std::vector<std::string> OnCoarseSensor(const char* form, const char* operand)
{
    return {"dpi", form, operand, "--step", "100", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"};
}

std::string Out(const std::vector<std::string>& arguments)
{
    const DpiRun run = RunDpi(arguments);
    EXPECT_EQ(run.status, kExitSuccess) << run.usageError;
    return run.out;
}

TEST(Q31ctlDpiCommandsTest, IndexShowsItsValue)
{
    EXPECT_EQ(Out(OnCoarseSensor("value", "0")), "200\n");
    EXPECT_EQ(Out(OnCoarseSensor("value", "28")), "3000\n");
    EXPECT_EQ(Out(OnCoarseSensor("value", "48")), "5000\n");
    EXPECT_EQ(Out(OnCoarseSensor("value", "49")), "5200\n");
    EXPECT_EQ(Out(OnCoarseSensor("value", "0x3c")), "7400\n");
    EXPECT_EQ(Out({"dpi", "value", "60", "--sensor", "13193", "--step", "0x32", "--lowest", "100", "--highest",
                   "100"}),
              "3100\n");
}

TEST(Q31ctlDpiCommandsTest, TypedValueGivesTheIndexWithinTheLimits)
{
    EXPECT_EQ(Out(OnCoarseSensor("index", "150")), "0\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "3000")), "28\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "5000")), "48\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "5200")), "49\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "5399")), "49\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "100000")), "60\n");
    EXPECT_EQ(Out(OnCoarseSensor("index", "-400")), "0\n");
    // As in the page's typed field: what is not a number counts as 0.
    EXPECT_EQ(Out(OnCoarseSensor("index", "abc")), "0\n");
    EXPECT_EQ(Out({"dpi", "index", "5000", "--step", "0", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"}),
              "0\n");
}

TEST(Q31ctlDpiCommandsTest, RefusesBadOrMissingArguments)
{
    const std::vector<std::vector<std::string>> refused = {
        {"dpi"},
        {"dpi", "value"},
        {"dpi", "speed", "3", "--step", "100", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"},
        {"dpi", "value", "1", "2", "--step", "100", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"},
        {"dpi", "value", "3", "--step", "100", "--lowest", "200", "--highest", "60"},
        {"dpi", "value", "3", "--step", "100", "--lowest", "200", "--highest", "60", "--sensor"},
        {"dpi", "value", "3", "--step", "256", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"},
        {"dpi", "value", "3", "--step", "1x", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"},
        {"dpi", "value", "3", "--step", "100", "--lowest", "200", "--highest", "0x10000", "--sensor", "0x3325"},
        {"dpi", "value", "3", "--step", "100", "--lowest", "200", "--highest", "60", "--sensor", "0x3325",
         "--device", "mouse"},
        {"--trace", "dpi", "value", "3", "--step", "100", "--lowest", "200", "--highest", "60", "--sensor", "0x3325"},
        OnCoarseSensor("value", "61"),
        OnCoarseSensor("value", "-1"),
        OnCoarseSensor("value", "many"),
    };
    for (const auto& arguments : refused) {
        const DpiRun run = RunDpi(arguments);
        EXPECT_EQ(run.status, kExitUsage) << arguments.size();
        EXPECT_NE(run.usageError, "");
        EXPECT_EQ(run.usageError.find('\n'), std::string::npos) << run.usageError;
        EXPECT_EQ(run.out, "");
    }
}

TEST(Q31ctlDpiCommandsTest, LeavesOtherCommandsAlone)
{
    EXPECT_EQ(RunDpi({"info"}).status, -1);
    EXPECT_EQ(RunDpi({"--device", "mouse", "info"}).status, -1);
    EXPECT_EQ(RunDpi({"--help"}).status, -1);
    EXPECT_NE(DpiUsageText().find("\n  dpi index TEXT "), std::string::npos);
}

#ifdef Q31CTL_BINARY
void Start(QProcess& process, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    process.start(QStringLiteral(Q31CTL_BINARY), list);
}

TEST(Q31ctlDpiCommandsTest, RunsFromAShellWithoutADevice)
{
    QProcess process;
    std::vector<std::string> arguments = OnCoarseSensor("index", "5200");
    Start(process, arguments);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), kExitSuccess) << process.readAllStandardError().toStdString();
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "49\n");

    arguments.pop_back();
    Start(process, arguments);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), kExitUsage);
    EXPECT_EQ(process.readAllStandardError().count('\n'), 1);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "");
}
#endif

}  // namespace
}  // namespace q31::ctl
