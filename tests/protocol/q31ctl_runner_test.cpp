// q31ctl's commands against simulated devices: output, exit status and the
// one line that names a failure.
#include "tests/protocol/link_test_support.h"

#include <QProcess>

#include <json/json.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <thread>

#include "devices/keyboard_layout.h"
#include "devices/keyboard_profile_write.h"
#include "devices/mouse_layout.h"
#include "hid/hid_catalogue.h"
#include "keys/function_types.h"
#include "macros/macro_files.h"
#include "profiles/json_file.h"
#include "protocol/command_codes.h"
#include "sim/sim_faults.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_model.h"
#include "tools/q31ctl/ctl_runner.h"
#include "tests/common/temp_folder.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::test {
namespace {

struct CtlRun {
    int status = -1;
    std::string out;
    std::string err;
};

class Q31ctlRunnerTest : public SimLinkTest {
protected:
    CtlRun Run(std::vector<std::string> arguments, std::shared_ptr<hid::IHidBackend> backend = nullptr)
    {
        const ctl::ParsedCommandLine parsed = ctl::ParseCommandLine(arguments);
        EXPECT_TRUE(parsed.options) << parsed.error;
        if (!parsed.options)
            return {};
        if (!backend)
            backend = std::make_shared<sim::SimHidBackend>(hub);
        std::ostringstream out;
        std::ostringstream err;
        CtlRun run;
        run.status = ctl::RunCtl(*parsed.options, backend, {out, err}, stop);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::atomic<bool> stop{false};
};

// An interface that is there but may not be opened by this user.
class DeniedBackend : public hid::IHidBackend {
public:
    std::vector<hid::HidInterfaceInfo> Enumerate() override
    {
        hid::HidInterfaceInfo info;
        info.path = "/dev/hidraw7#vid_3a9d&pid_6b01&mi_01&col04#0003:3A9D:6B01.0001";
        return {info};
    }
    std::unique_ptr<hid::IHidConnection> Open(const std::string&, hid::OpenError& error) override
    {
        error = hid::OpenError::PermissionDenied;
        return nullptr;
    }
    std::uint64_t ChangeCounter() override { return 1; }
};

TEST_F(Q31ctlRunnerTest, ListShowsEachCatalogueInterfaceWithItsRowAndUsages)
{
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Receiver), "");
    ASSERT_EQ(hub->Plug("headset", sim::Route::Cable), "");
    const CtlRun run = Run({"list"});
    EXPECT_EQ(run.status, ctl::kExitSuccess);
    std::istringstream lines(run.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line.substr(0, line.find("  \\\\")));
    ASSERT_EQ(rows.size(), 3u) << run.out;
    EXPECT_EQ(rows[0], "row 2  keyboard-receiver (type 9)  channel command  interface 1  collection 4  "
                       "usage page 0xff1c  usage 0x0092");
    EXPECT_EQ(rows[1], "row 3  keyboard-receiver (type 9)  channel notification  interface 1  collection 3  "
                       "usage page 0x000c  usage 0x0001");
    EXPECT_EQ(rows[2].substr(0, 28), "row 10  headset (type 7)  ch");
}

TEST_F(Q31ctlRunnerTest, ReadsPrintHexAndWritesLandInDeviceMemory)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Cable), "");
    CtlRun run = Run({"--device", "mouse", "info"});
    EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);  // 34 bytes, 16 a line

    run = Run({"--device", "mouse", "write-params", "0x100", "0a0b0c"});
    EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(Memory("mouse", sim::Region::Parameters)[0x102], 0x0C);
    run = Run({"--device", "mouse", "read-params", "0x100", "3"});
    EXPECT_EQ(run.out, "0a 0b 0c\n");

    run = Run({"--device", "mouse", "read-keymap"});
    EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), ' ') + std::count(run.out.begin(), run.out.end(), '\n'),
              static_cast<long>(Memory("mouse", sim::Region::KeyMap).size()));

    run = Run({"--device", "mouse", "raw", "0x1a", "--len", "6"});
    EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(run.out.substr(0, 3), "04 ");
    EXPECT_EQ(run.out.substr(9, 14), "1a 06 00 00 01");
}

TEST_F(Q31ctlRunnerTest, AReplyLaterThanOneReadTimeoutStillAnswers)
{
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Cable), "");
    std::string error;
    const auto slow = sim::ParseFault({"delay", "1500", "command", "3"}, &error);
    ASSERT_TRUE(slow) << error;
    ASSERT_EQ(hub->AddFault("keyboard", *slow), "");
    const CtlRun run = Run({"--device", "keyboard", "info"});
    EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
}

TEST_F(Q31ctlRunnerTest, FailuresGiveTheirExitStatusAndOneLine)
{
    CtlRun run = Run({"list"});
    EXPECT_EQ(run.status, ctl::kExitNoDevice);
    EXPECT_EQ(run.err, "q31ctl: no supported device found\n");

    run = Run({"--device", "keyboard", "begin"});
    EXPECT_EQ(run.status, ctl::kExitNoDevice);
    EXPECT_EQ(run.err, "q31ctl: no keyboard found\n");

    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Receiver), "");
    ASSERT_EQ(hub->SetReachable("keyboard", false), "");
    run = Run({"--device", "keyboard-receiver", "begin"});
    EXPECT_EQ(run.status, ctl::kExitUnreachable);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    run = Run({"--device", "keyboard-receiver", "query-link"});
    EXPECT_EQ(run.status, ctl::kExitUnreachable);
    ASSERT_EQ(hub->SetReachable("keyboard", true), "");
    run = Run({"--device", "keyboard-receiver", "query-link"});
    EXPECT_EQ(run.status, ctl::kExitSuccess);

    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFE;
    ASSERT_EQ(hub->AddFault("keyboard", fault), "");
    EXPECT_EQ(Run({"--device", "keyboard-receiver", "take-light"}).status, ctl::kExitStatusFE);

    TakeRequests();
    run = Run({"--device", "keyboard-receiver", "write-keymap", "000102", "--bank", "2"});
    EXPECT_EQ(run.status, ctl::kExitBadBank);
    EXPECT_NE(run.err.find("bank"), std::string::npos);
    EXPECT_TRUE(TakeRequests().empty());

    run = Run({"--device", "keyboard-receiver", "stream", "010203"});
    EXPECT_EQ(run.status, ctl::kExitFailure);
    EXPECT_EQ(run.err, "q31ctl: light frames are not sent through a receiver; nothing was sent\n");
    EXPECT_TRUE(TakeRequests().empty());
}

// A keyboard profile in custom colour mode, group 1, with Q (logical key 43)
// bound to macro 0 and coloured.
std::string WriteKeyboardProfile(const TempFolder& folder, int pollingRate)
{
    Json::Value keys(Json::arrayValue);
    for (const FunctionCode& code : devices::FactoryKeyCodes()) {
        Json::Value key(Json::objectValue);
        key["Assignment"] = key["DefaultAssignment"] = code.type << 16 | code.data1 << 8 | code.data2;
        keys.append(key);
    }
    keys[43]["Assignment"] = keys::kMacro << 16;
    Json::Value colour(Json::objectValue);
    colour["Red"] = 200;
    colour["Green"] = 100;
    colour["Blue"] = 50;
    colour["Alpha"] = 128;
    Json::Value section(Json::objectValue);
    section["KeyList"] = keys;
    section["LightInfo"]["SelectItem"] = devices::kCustomColourMode;
    section["LightInfo"]["CustomGroup"] = 1;
    section["CustomLightMode"]["LightColorInfo"][1][43] = colour;
    section["SystemStages"]["PollingRate"] = pollingRate;
    Json::Value document(Json::objectValue);
    document["Device"].append(section);
    const std::string path = folder.Path() + "/profile.Json";
    EXPECT_TRUE(WriteJsonFile(QString::fromStdString(path), document));
    return path;
}

void WriteOneMacro(const TempFolder& folder)
{
    const macros::MacroFolder macros(QString::fromStdString(folder.Path()));
    Json::Value event(Json::objectValue);
    event["Action"] = "down";
    event["Type"] = 1;
    event["Button"] = 4;
    event["Delay"] = "10";
    Json::Value document(Json::objectValue);
    document["Events"].append(event);
    ASSERT_TRUE(macros.WriteMacroDocument(QStringLiteral("m0"), document));
    ASSERT_TRUE(macros.WriteList({{QStringLiteral("m0"), QStringLiteral("m0")}}));
}

TEST_F(Q31ctlRunnerTest, KeyboardLayoutPrintsWhereEachKeyAndLightIsAsJson)
{
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Cable), "");
    const CtlRun run = Run({"--device", "keyboard", "layout"});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    Json::Value layout;
    std::string errors;
    std::istringstream text(run.out);
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), text, &layout, &errors)) << errors;
    EXPECT_EQ(layout["positions"].asInt(), 122);
    ASSERT_EQ(layout["keyPositions"].size(), Json::ArrayIndex(devices::kKeyboardKeys));
    ASSERT_EQ(layout["lightIndexes"].size(), Json::ArrayIndex(devices::kKeyboardKeys));
    EXPECT_EQ(layout["keyPositions"][43].asInt(), 40);
    EXPECT_EQ(layout["lightIndexes"][43].asInt(), 40);
    // A logical key the keyboard does not have.
    EXPECT_TRUE(layout["keyPositions"][18].isNull());
}

TEST_F(Q31ctlRunnerTest, ApplyProfileWritesTheKeyboardAsAProfileSwitchDoes)
{
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Cable), "");
    TempFolder folder;
    // Without a macro folder the macro-bound key gets its default code and no macro is sent.
    CtlRun run = Run({"--device", "keyboard", "apply-profile", WriteKeyboardProfile(folder, 2)});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(Memory("keyboard", sim::Region::Parameters)[22], 2);
    EXPECT_EQ(Memory("keyboard", sim::Region::Macros)[4], 0);
    EXPECT_EQ(Memory("keyboard", sim::Region::KeyMap)[3 * 40], devices::FactoryKeyCodes()[43].type);

    WriteOneMacro(folder);
    run = Run({"--device", "keyboard", "apply-profile", WriteKeyboardProfile(folder, 3), "--macros", folder.Path()});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    EXPECT_EQ(Memory("keyboard", sim::Region::Parameters)[22], 3);
    EXPECT_EQ(Memory("keyboard", sim::Region::Macros)[4], 1);
    EXPECT_EQ(Memory("keyboard", sim::Region::ColourPages)[devices::kColourPageSize + 3 * 40], 100);
    const auto keyMap = Memory("keyboard", sim::Region::KeyMap);
    EXPECT_EQ((std::vector<int>{keyMap[3 * 40], keyMap[3 * 40 + 1]}), (std::vector<int>{keys::kMacro, 0}));
    EXPECT_FALSE(hub->Brackets("keyboard")->open);
}

TEST_F(Q31ctlRunnerTest, ApplyProfileFailuresGiveOneLine)
{
    ASSERT_EQ(hub->Plug("keyboard", sim::Route::Cable), "");
    TempFolder folder;
    CtlRun run = Run({"--device", "keyboard", "apply-profile", folder.Path() + "/none.Json"});
    EXPECT_EQ(run.status, ctl::kExitFailure);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFF;
    fault.command = kCmdWritePage;
    ASSERT_EQ(hub->AddFault("keyboard", fault), "");
    TakeRequests();
    run = Run({"--device", "keyboard", "apply-profile", WriteKeyboardProfile(folder, 1)});
    EXPECT_EQ(run.status, ctl::kExitStatusFF);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("the profile was not written"), std::string::npos);
    const auto requests = TakeRequests();
    EXPECT_TRUE(std::none_of(requests.begin(), requests.end(),
                             [](const Report& report) { return report[3] == kCmdWriteKeyMap; }));
    EXPECT_FALSE(hub->Brackets("keyboard")->open);
}

std::string WritePadProfile(const TempFolder& folder)
{
    Json::Value light(Json::objectValue);
    light["SelectItem"] = 7;
    light["Light"] = 2;
    light["Speed"] = 4;
    light["MultiColor"] = 0;
    light["Red"] = 11;
    light["Green"] = 22;
    light["Blue"] = 33;
    Json::Value document(Json::objectValue);
    document["Device"][0]["LightInfo"] = light;
    const std::string path = folder.Path() + "/pad.Json";
    EXPECT_TRUE(WriteJsonFile(QString::fromStdString(path), document));
    return path;
}

TEST_F(Q31ctlRunnerTest, ApplyProfileWritesThePadsLightingAndKeepsItsOwnBytes)
{
    ASSERT_EQ(hub->Plug("mousepad", sim::Route::Cable), "");
    const auto before = Memory("mousepad", sim::Region::Parameters);
    TempFolder folder;
    CtlRun run = Run({"--device", "mousepad", "apply-profile", WritePadProfile(folder)});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    const auto after = Memory("mousepad", sim::Region::Parameters);
    EXPECT_EQ((std::vector<int>(after.begin(), after.begin() + 9)), (std::vector<int>{0, 7, 2, 0, 1, 0, 11, 22, 33}));
    EXPECT_TRUE(std::equal(before.begin() + 9, before.begin() + 21, after.begin() + 9));
    EXPECT_FALSE(hub->Brackets("mousepad")->open);

    // A pad whose record cannot be read gets nothing written.
    sim::SimFault fault;
    fault.kind = sim::FaultKind::StatusFE;
    fault.command = kCmdReadParams;
    ASSERT_EQ(hub->AddFault("mousepad", fault), "");
    TakeRequests();
    run = Run({"--device", "mousepad", "apply-profile", WritePadProfile(folder)});
    EXPECT_EQ(run.status, ctl::kExitStatusFE);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    const auto requests = TakeRequests();
    EXPECT_TRUE(std::none_of(requests.begin(), requests.end(),
                             [](const Report& report) { return report[3] == kCmdWriteParams; }));
}

Json::Value ParseJsonLine(const std::string& text)
{
    Json::Value value;
    std::string errors;
    std::istringstream stream(text);
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), stream, &value, &errors)) << errors;
    return value;
}

TEST_F(Q31ctlRunnerTest, MouseLayoutPrintsEachButtonsSlotAndTheDpiLimitsAsJson)
{
    for (const auto& [name, route] :
         {std::pair{"mouse", sim::Route::Cable}, std::pair{"mouse-receiver", sim::Route::Receiver}}) {
        ASSERT_EQ(hub->Plug("mouse", route), "");
        const CtlRun run = Run({"--device", name, "layout"});
        ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
        const Json::Value layout = ParseJsonLine(run.out);
        EXPECT_EQ(layout["keyCount"].asInt(), 11);
        ASSERT_EQ(layout["slots"].size(), Json::ArrayIndex(devices::kMouseButtons));
        EXPECT_EQ(layout["slots"][3].asInt(), 4);   // forward
        EXPECT_EQ(layout["slots"][8].asInt(), 10);  // GM
        EXPECT_EQ(layout["dpi"]["step"].asInt(), 100);
        EXPECT_EQ(layout["dpi"]["highestIndex"].asInt(), 153);
        EXPECT_EQ(layout["dpi"]["lowestDpi"].asInt(), 200);
        EXPECT_EQ(layout["dpi"]["sensorId"].asInt(), 0x3325);
        ASSERT_EQ(hub->Unplug("mouse", route), "");
    }
}

TEST_F(Q31ctlRunnerTest, PowerPrintsWhatThePowerDisplayShowsAsJson)
{
    for (const auto& [name, route] :
         {std::pair{"mouse", sim::Route::Cable}, std::pair{"mouse-receiver", sim::Route::Receiver}}) {
        ASSERT_EQ(hub->Plug("mouse", route), "");
        ASSERT_EQ(hub->SetBattery("mouse", 57, 1), "");
        const CtlRun run = Run({"--device", name, "power"});
        ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
        const Json::Value power = ParseJsonLine(run.out);
        const bool wireless = route == sim::Route::Receiver;
        EXPECT_EQ(power["text"].asString(), "57%");
        EXPECT_EQ(power["progress"].asInt(), 43);
        EXPECT_EQ(power["barShown"].asBool(), !wireless);
        EXPECT_EQ(power["statusImage"].asString(), wireless ? "power/wuxian_powering.svg" : "power/powering.svg");
        EXPECT_EQ(power["wirelessLogo"].asBool(), wireless);
        EXPECT_TRUE(power["phoneType"].isNull());
        ASSERT_EQ(hub->Unplug("mouse", route), "");
    }

    ASSERT_EQ(hub->Plug("mousepad", sim::Route::Cable), "");
    const CtlRun pad = Run({"--device", "mousepad", "power"});
    ASSERT_EQ(pad.status, ctl::kExitSuccess) << pad.err;
    const Json::Value power = ParseJsonLine(pad.out);
    EXPECT_EQ(power["phoneType"].asString(), "Phone_type_no_device");
    EXPECT_TRUE(power["wirelessLogo"].isNull());
}

// A mouse profile with polling option 3 and the back button bound to macro 0.
std::string WriteMouseProfile(const TempFolder& folder)
{
    Json::Value keys(Json::arrayValue);
    for (const devices::MouseButton& button : devices::MouseButtonTable()) {
        Json::Value key(Json::objectValue);
        key["Assignment"] = key["DefaultAssignment"] = PackFunctionCode(button.factory);
        keys.append(key);
    }
    keys[4]["Assignment"] = keys::kMacro << 16;
    Json::Value section(Json::objectValue);
    section["KeyList"] = keys;
    section["SystemStages"]["WheelScorlllinse"] = 3;
    section["ReportStages"]["StageActive"] = 3;
    Json::Value document(Json::objectValue);
    document["Device"].append(section);
    const std::string path = folder.Path() + "/mouse.Json";
    EXPECT_TRUE(WriteJsonFile(QString::fromStdString(path), document));
    return path;
}

TEST_F(Q31ctlRunnerTest, ApplyProfileWritesTheMouseAsAProfileSwitchDoes)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Receiver), "");
    TempFolder folder;
    WriteOneMacro(folder);
    CtlRun run = Run({"--device", "mouse-receiver", "apply-profile", WriteMouseProfile(folder), "--macros",
                      folder.Path(), "--screen", "2560x1440"});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    auto parameters = Memory("mouse", sim::Region::Parameters);
    EXPECT_EQ(parameters[11], 3);
    EXPECT_EQ(parameters[59], 1);
    EXPECT_EQ((std::vector<int>(parameters.begin() + 60, parameters.begin() + 64)),
              (std::vector<int>{0x00, 0x0A, 0xA0, 0x05}));
    EXPECT_EQ(Memory("mouse", sim::Region::Macros)[4], 1);
    const auto keyMap = Memory("mouse", sim::Region::KeyMap);
    EXPECT_EQ((std::vector<int>{keyMap[3 * 3], keyMap[3 * 3 + 1]}), (std::vector<int>{keys::kMacro, 0}));
    EXPECT_FALSE(hub->Brackets("mouse")->open);

    // Without --screen the mouse is told 1920 x 1080.
    run = Run({"--device", "mouse-receiver", "apply-profile", WriteMouseProfile(folder)});
    ASSERT_EQ(run.status, ctl::kExitSuccess) << run.err;
    parameters = Memory("mouse", sim::Region::Parameters);
    EXPECT_EQ((std::vector<int>(parameters.begin() + 60, parameters.begin() + 64)),
              (std::vector<int>{0x80, 0x07, 0x38, 0x04}));
}

TEST_F(Q31ctlRunnerTest, AnUnreachableMouseEndsEachMouseCommandAfterTheQueryWithOneLine)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Receiver), "");
    ASSERT_EQ(hub->SetReachable("mouse", false), "");
    TempFolder folder;
    const std::string profile = WriteMouseProfile(folder);
    TakeRequests();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--device", "mouse-receiver", "apply-profile", profile},
          std::vector<std::string>{"--device", "mouse-receiver", "layout"},
          std::vector<std::string>{"--device", "mouse-receiver", "power"}}) {
        const CtlRun run = Run(arguments);
        EXPECT_EQ(run.status, ctl::kExitUnreachable);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.out.empty());
        const auto requests = TakeRequests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0][3], kCmdQueryReceiverLink);
    }
}

TEST_F(Q31ctlRunnerTest, QueryLinkTellsASilentReceiverFromAnUnreachableDevice)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Receiver), "");
    ASSERT_EQ(hub->SetReachable("mouse", false), "");
    CtlRun run = Run({"--device", "mouse-receiver", "query-link"});
    EXPECT_EQ(run.status, ctl::kExitUnreachable);
    EXPECT_NE(run.err.find("-101"), std::string::npos) << run.err;

    ASSERT_EQ(hub->SetReachable("mouse", true), "");
    sim::SimFault lost;
    lost.command = 0xAA;
    ASSERT_EQ(hub->AddFault("mouse", lost), "");
    run = Run({"--device", "mouse-receiver", "query-link"});  // waits out the receiver's 5 s
    EXPECT_EQ(run.status, ctl::kExitNoReply);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_NE(run.err.find("timed out"), std::string::npos) << run.err;
}

// The data folder's models, and a second mouse just like the first.
std::shared_ptr<sim::SimHub> HubWithTwoMice()
{
    QString error;
    auto models = sim::LoadSimModels(sim::SimModelFolder(), &error);
    EXPECT_TRUE(models) << error.toStdString();
    if (!models)
        return nullptr;
    const auto mouse = std::find_if(models->begin(), models->end(), [](const sim::SimModel& m) { return m.name == "mouse"; });
    EXPECT_NE(mouse, models->end());
    sim::SimModel second = *mouse;
    second.name = "second-mouse";
    models->push_back(second);
    return sim::SimHub::Create(*models, 0);
}

// The paths of the lines of list's output that name this channel.
std::vector<std::string> ListedPaths(const std::string& listing, const std::string& channel)
{
    std::vector<std::string> paths;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        if (line.find("channel " + channel) != std::string::npos)
            paths.push_back(line.substr(line.rfind("  ") + 2));
    return paths;
}

TEST_F(Q31ctlRunnerTest, PathPicksOneOfTwoIdenticalDevices)
{
    const auto twoMice = HubWithTwoMice();
    ASSERT_TRUE(twoMice);
    ASSERT_EQ(twoMice->Plug("mouse", sim::Route::Cable), "");
    ASSERT_EQ(twoMice->Plug("second-mouse", sim::Route::Cable), "");
    const auto backend = std::make_shared<sim::SimHidBackend>(twoMice);
    const CtlRun list = Run({"--device", "mouse", "list"}, backend);
    const std::vector<std::string> commandPaths = ListedPaths(list.out, "command");
    ASSERT_EQ(commandPaths.size(), 2u) << list.out;

    for (std::size_t i = 0; i < commandPaths.size(); ++i) {
        const CtlRun run = Run({"--path", commandPaths[i], "write-params", "0", i ? "02" : "01"}, backend);
        EXPECT_EQ(run.status, ctl::kExitSuccess) << run.err;
    }
    const int first = twoMice->Dump("mouse", sim::Region::Parameters)->at(0);
    const int second = twoMice->Dump("second-mouse", sim::Region::Parameters)->at(0);
    EXPECT_EQ(std::set({first, second}), std::set({1, 2}));
    EXPECT_EQ(Run({"--path", commandPaths[1], "read-params", "0", "1"}, backend).out, "02\n");
    EXPECT_EQ(Run({"--path", commandPaths[1], "list"}, backend).out.find(commandPaths[0]), std::string::npos);
    EXPECT_EQ(Run({"--path", "nowhere", "list"}, backend).err, "q31ctl: no supported device found at nowhere\n");

    CtlRun run = Run({"--device", "keyboard", "--path", commandPaths[0], "info"}, backend);
    EXPECT_EQ(run.status, ctl::kExitNoDevice);
    EXPECT_EQ(run.err, "q31ctl: no keyboard command interface at " + commandPaths[0] + "\n");
    const std::string notificationPath = ListedPaths(list.out, "notification").at(0);
    run = Run({"--path", notificationPath, "info"}, backend);
    EXPECT_EQ(run.status, ctl::kExitNoDevice);
    EXPECT_EQ(run.err, "q31ctl: no command interface at " + notificationPath + "\n");
}

TEST_F(Q31ctlRunnerTest, PermissionDeniedNamesTheUdevRule)
{
    const CtlRun run = Run({"--device", "keyboard", "info"}, std::make_shared<DeniedBackend>());
    EXPECT_EQ(run.status, ctl::kExitPermissionDenied);
    EXPECT_NE(run.err.find("permission denied on /dev/hidraw7"), std::string::npos);
    EXPECT_NE(run.err.find("70-q31.rules"), std::string::npos);
}

TEST_F(Q31ctlRunnerTest, TraceShowsEveryReportAsTwoHexLines)
{
    ASSERT_EQ(hub->Plug("mousepad", sim::Route::Cable), "");
    const CtlRun run = Run({"--trace", "--device", "mousepad", "begin"});
    EXPECT_EQ(run.status, ctl::kExitSuccess);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n', run.err.find('\n') + 1)),
              "命令\n04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
              "00 00 00 00  00 00 00 00");
    EXPECT_NE(run.err.find("返回\n04 02 00 01   00 00 00 01"), std::string::npos);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 6);
}

TEST_F(Q31ctlRunnerTest, ListenPrintsNotificationCodesUntilStopped)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Cable), "");
    std::thread device([&] {
        // Reports reach only an interface that is open, so keep sending while the listener starts.
        for (int sent = 0; sent < 100; ++sent) {
            hub->Notify("mouse", sent % 2 ? 0x1132 : 0x0401);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        stop = true;
    });
    const CtlRun run = Run({"--device", "mouse", "listen"});
    device.join();
    EXPECT_EQ(run.status, ctl::kExitSuccess);
    EXPECT_NE(run.out.find("0x0401\n0x1132\n"), std::string::npos) << run.out;
}

TEST_F(Q31ctlRunnerTest, ListenEndsAfterItsCountOrItsTimeout)
{
    ASSERT_EQ(hub->Plug("mouse", sim::Route::Cable), "");
    std::atomic<bool> sending{true};
    std::thread device([&] {
        while (sending) {
            hub->Notify("mouse", 0x0401);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    const CtlRun counted = Run({"--device", "mouse", "listen", "--count", "3", "--timeout", "30"});
    sending = false;
    device.join();
    EXPECT_EQ(counted.status, ctl::kExitSuccess) << counted.err;
    EXPECT_EQ(counted.out, "0x0401\n0x0401\n0x0401\n");

    const CtlRun shortOfCount = Run({"--device", "mouse", "listen", "--count", "3", "--timeout", "1"});
    EXPECT_EQ(shortOfCount.status, ctl::kExitNoReply);
    EXPECT_EQ(shortOfCount.err, "q31ctl: 0 of 3 notifications within 1 s\n");

    const std::string path = InterfacePath(*hub, Mouse, kChannelNotification);
    const CtlRun timed = Run({"--path", path, "listen", "--timeout", "1"});
    EXPECT_EQ(timed.status, ctl::kExitSuccess) << timed.err;
    EXPECT_EQ(timed.out, "");
}

#ifdef Q31CTL_BINARY
TEST(Q31ctlProcessTest, BadUsageExitsTwoAndSimulatedDevicesAnswer)
{
    QProcess process;
    process.start(QStringLiteral(Q31CTL_BINARY), {QStringLiteral("--simulate"), QStringLiteral("write-params"),
                                                  QStringLiteral("0"), QStringLiteral("abc")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), ctl::kExitUsage);
    const QByteArray usageError = process.readAllStandardError();
    EXPECT_TRUE(usageError.startsWith("q31ctl: HEX: \"abc\" has an odd number")) << usageError.toStdString();
    EXPECT_EQ(usageError.count('\n'), 1);

    process.start(QStringLiteral(Q31CTL_BINARY),
                  {QStringLiteral("--simulate"), QStringLiteral("--device"), QStringLiteral("keyboard"),
                   QStringLiteral("status")});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), ctl::kExitSuccess) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("battery "));
}
#endif

}  // namespace
}  // namespace q31::test
