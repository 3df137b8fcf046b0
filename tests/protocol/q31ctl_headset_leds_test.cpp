// q31ctl's headset LED reports, as a script checks what the headset page sends.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/headset_leds_command.h"

namespace q31::ctl {
namespace {

struct LedsRun {
    int status = -1;
    std::string out;
    std::string usageError;
};

std::optional<LedsRun> RunLeds(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto result = RunHeadsetLedsCommand(arguments, {out, err});
    if (!result)
        return std::nullopt;
    return LedsRun{result->exitStatus, out.str(), result->usageError};
}

std::vector<std::string> WithRecords(const std::vector<std::string>& records)
{
    std::vector<std::string> arguments = {"--device", "headset", "leds"};
    arguments.insert(arguments.end(), records.begin(), records.end());
    return arguments;
}

TEST(Q31ctlHeadsetLedsTest, AllRedPrintsTheTwelveReports)
{
    const auto run = RunLeds(WithRecords(std::vector<std::string>(13, "255,0,0,255")));
    ASSERT_TRUE(run);
    ASSERT_EQ(run->status, kExitSuccess) << run->usageError;
    const std::string red = " f7 f7 f7 f7 f7 f7 f7 00 00 00 00 00 00\n";
    const std::string dark = " 00 00 00 00 00 00 00 00 00 00 00 00 00\n";
    EXPECT_EQ(run->out, "ff 22 aa 00" + red + "ff 22 ad 00" + red + "ff 44 aa 00" + red + "ff 44 ad 00" + red +
                            "ff 22 ab 00" + dark + "ff 22 ae 00" + dark + "ff 44 ab 00" + dark + "ff 44 ae 00" + dark +
                            "ff 22 ac 00" + dark + "ff 22 af 00" + dark + "ff 44 ac 00" + dark + "ff 44 af 00" + dark);
}

TEST(Q31ctlHeadsetLedsTest, EachChannelIsScaledByItsBrightness)
{
    std::vector<std::string> records(13, "0,0,0,0");
    records[12] = "0,0,200,128";
    const auto run = RunLeds(WithRecords(records));
    ASSERT_TRUE(run);
    // The second blue report of target 0x22: LED 12 is its sixth value.
    EXPECT_NE(run->out.find("ff 22 af 00 00 00 00 00 00 64 00"), std::string::npos) << run->out;
}

TEST(Q31ctlHeadsetLedsTest, BadRecordsAreRefusedAndOtherCommandsAreNotTaken)
{
    for (const auto& records : {std::vector<std::string>(12, "1,2,3,4"), std::vector<std::string>(13, "1,2,3"),
                                std::vector<std::string>(13, "1,2,3,256"), std::vector<std::string>(13, "1,2,3,4,5")}) {
        const auto run = RunLeds(WithRecords(records));
        ASSERT_TRUE(run);
        EXPECT_EQ(run->status, kExitUsage);
        EXPECT_FALSE(run->usageError.empty());
        EXPECT_EQ(run->out, "");
    }
    EXPECT_FALSE(RunLeds({"--device", "mouse", "leds"}));
    EXPECT_FALSE(RunLeds({"--device", "headset", "status"}));
}

}  // namespace
}  // namespace q31::ctl
