#include "tools/q31ctl/record_command.h"

#include <QString>

#include <limits>

#include "macros/macro_event.h"
#include "macros/macro_recorder.h"
#include "macros/macro_storage.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

constexpr const char* kSynopsis =
    "record --mode 1|2|3 [--fixed-delay D] [--insert-at S] [--macro FILE.mac] [--start T] < EVENTS.jsonl";
constexpr long long kMostTicks = std::numeric_limits<std::uint32_t>::max();
constexpr int kEditorFixedDelay = 50;  // what the editor holds before a fixed-delay recording

struct RecordArguments {
    macros::RecordMode mode = macros::RecordMode::RecordedDelays;
    long long fixedDelay = kEditorFixedDelay;
    std::optional<int> insertAt;
    std::optional<std::string> macroFile;
    std::optional<std::uint32_t> start;
};

// A failure of the input, which names where it lies.
struct InputError {
    std::string text;
};

RecordArguments Parse(const std::vector<std::string>& arguments)
{
    RecordArguments parsed;
    std::optional<std::string> mode;
    std::optional<std::string> fixedDelay;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--mode")
            mode = TakeOptionValue(arguments, i);
        else if (option == "--fixed-delay")
            fixedDelay = TakeOptionValue(arguments, i);
        else if (option == "--insert-at")
            parsed.insertAt = static_cast<int>(
                NumberArgument(TakeOptionValue(arguments, i), std::numeric_limits<int>::max(), "--insert-at"));
        else if (option == "--macro")
            parsed.macroFile = TakeOptionValue(arguments, i);
        else if (option == "--start")
            parsed.start = NumberArgument(TakeOptionValue(arguments, i), kMostTicks, "--start");
        else
            throw UsageError{option + " does not go with record"};
    }
    if (!mode)
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    const std::uint32_t number = NumberArgument(*mode, 3, "--mode");
    if (number == 0)
        throw UsageError{"--mode: 1 recorded delays, 2 fixed delay or 3 no delays"};
    parsed.mode = static_cast<macros::RecordMode>(number);
    if (fixedDelay) {
        if (parsed.mode != macros::RecordMode::FixedDelay)
            throw UsageError{"--fixed-delay goes only with --mode 2"};
        parsed.fixedDelay = NumberArgument(*fixedDelay, kMostTicks, "--fixed-delay");
    }
    return parsed;
}

// The starting rows and the name and Guid the file carries.
struct StartingMacro {
    macros::MacroEntry entry;
    std::vector<macros::EditorRow> rows;
};

StartingMacro ReadStartingMacro(const std::optional<std::string>& path)
{
    StartingMacro macro;
    if (!path)
        return macro;
    const FileContent content = ReadDocumentFile(QString::fromStdString(*path));
    if (content.status != FileContent::Status::Read)
        throw InputError{*path + " cannot be read"};
    const Json::Value document = ParseJsonText(content.bytes);
    if (!document.isObject())
        throw InputError{*path + " holds no JSON object"};
    macro.entry = {json::TextOf(json::Member(document, "MacroName")), json::TextOf(json::Member(document, "Guid"))};
    const Json::Value& events = json::Member(document, "Events");
    for (Json::ArrayIndex i = 0; i < json::SizeOf(events); ++i) {
        if (events[i].isObject())
            macro.rows.push_back(macros::RowOfEvent(events[i]));
    }
    return macro;
}

class EventLine {
public:
    EventLine(const std::string& text, int number) : m_number(number), m_object(ParseJsonText(text))
    {
        if (!m_object.isObject())
            throw Error("not a JSON object");
    }

    long long Number(const char* name, long long low, long long high) const
    {
        const Json::Value& value = json::Member(m_object, name);
        if (value.isNull())
            throw Error(std::string("\"") + name + "\" is missing");
        if (!value.isInt64() || value.asInt64() < low || value.asInt64() > high)
            throw Error(std::string("\"") + name + "\" must be a whole number from " + std::to_string(low) +
                        " to " + std::to_string(high));
        return value.asInt64();
    }
    long long Number(const char* name, long long low, long long high, long long absent) const
    {
        return json::Member(m_object, name).isNull() ? absent : Number(name, low, high);
    }
    bool Flag(const char* name) const
    {
        const Json::Value& value = json::Member(m_object, name);
        if (!value.isBool())
            throw Error(std::string("\"") + name + "\" must be true or false");
        return value.asBool();
    }
    bool Flag(const char* name, bool absent) const
    {
        return json::Member(m_object, name).isNull() ? absent : Flag(name);
    }
    std::string Kind() const
    {
        const Json::Value& kind = json::Member(m_object, "kind");
        if (!kind.isString() || (kind.asString() != "key" && kind.asString() != "button"))
            throw Error("\"kind\" must be \"key\" or \"button\"");
        return kind.asString();
    }
    InputError Error(const std::string& what) const
    {
        return {"line " + std::to_string(m_number) + ": " + what};
    }

private:
    int m_number;
    Json::Value m_object;
};

platform::InputEvent InputEventOf(const EventLine& line)
{
    platform::InputEvent event;
    const std::string kind = line.Kind();
    event.timeMs = static_cast<std::uint32_t>(line.Number("t", 0, kMostTicks));
    event.down = line.Flag("down");
    if (kind == "key") {
        event.kind = platform::InputEvent::Kind::Key;
        event.scan = static_cast<std::uint16_t>(line.Number("scan", 0, 0xFFFF));
        event.extended = line.Flag("extended", false);
    } else {
        constexpr long long kMostPixels = std::numeric_limits<int>::max();
        event.kind = platform::InputEvent::Kind::Button;
        event.button = static_cast<int>(line.Number("button", 1, 255));
        event.x = static_cast<int>(line.Number("x", -kMostPixels, kMostPixels, 0));
        event.y = static_cast<int>(line.Number("y", -kMostPixels, kMostPixels, 0));
    }
    return event;
}

int Record(const RecordArguments& args, Console console, std::istream& input)
{
    StartingMacro macro = ReadStartingMacro(args.macroFile);
    const macros::HookMode hookMode = args.insertAt ? macros::HookMode::InsertBefore : macros::HookMode::Append;
    int selection = args.insertAt.value_or(-1);
    macros::CMacroRecorder recorder;
    std::optional<std::uint32_t> lastTime = args.start;
    std::string text;
    for (int number = 1; std::getline(input, text); ++number) {
        if (QString::fromStdString(text).trimmed().isEmpty())
            continue;
        const EventLine line(text, number);
        const platform::InputEvent event = InputEventOf(line);
        if (lastTime && event.timeMs < *lastTime)
            throw line.Error("\"t\" goes back in time");
        if (!recorder.IsRecording())
            recorder.Start(args.mode, hookMode, args.fixedDelay, lastTime.value_or(event.timeMs));
        lastTime = event.timeMs;
        const macros::RecordingChange change = recorder.OnInput(event, macro.rows, selection, QRect());
        if (change.kind != macros::RecordingChange::Kind::None)
            selection = change.selection;
    }
    if (input.bad())
        throw InputError{"the events could not be read"};
    console.out << JsonDocumentText(macros::MacroDocument(macro.entry, macro.rows));
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunRecordCommand(const std::vector<std::string>& arguments, Console console,
                                                     std::istream& events)
{
    if (arguments.empty() || arguments[0] != "record")
        return std::nullopt;
    try {
        return OfflineCommandResult{Record(Parse(arguments), console, events), {}};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    } catch (const InputError& error) {
        console.err << "q31ctl: record: " << error.text << '\n';
        return OfflineCommandResult{kExitFailure, {}};
    }
}

std::string RecordUsageText()
{
    return "Macro recording of input events (sends nothing to any device):\n"
           "  record --mode 1|2|3 [--fixed-delay D] [--insert-at S] [--macro FILE.mac] [--start T] < EVENTS.jsonl\n"
           "                                  the macro file (as saved after the recording) that recording\n"
           "                                  the events of standard input makes; one JSON object a line:\n"
           "                                  {\"t\": MS, \"kind\": \"key\", \"scan\": N, \"extended\": B, \"down\": B} or\n"
           "                                  {\"t\": MS, \"kind\": \"button\", \"button\": 1|2|3|8|9, \"down\": B,\n"
           "                                  \"x\": X, \"y\": Y}; t never goes back; keys and buttons that a\n"
           "                                  macro cannot hold are left out. Mode 1 recorded delays,\n"
           "                                  2 the fixed delay D (50 unless given; above 65535 counts as\n"
           "                                  65535), 3 no delays. The recording starts at T, else at the\n"
           "                                  first event's t. Rows of FILE.mac (its name and Guid kept)\n"
           "                                  come first; events are appended, or with --insert-at go\n"
           "                                  before row S, and are dropped when there is no row S\n";
}

}  // namespace q31::ctl
