#include "tools/q31ctl/keyset_command.h"

#include <json/value.h>
#include <json/writer.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

#include "keys/key_set_codec.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"

namespace q31::ctl {
namespace {

using keys::KeySetFields;

constexpr const char* kSynopsis =
    "keyset encode CATEGORY [field options] | decode TYPE DATA1 DATA2 --default TYPE DATA1 DATA2 "
    "[--page keyboard|mouse] [--macros N] | capture SCAN EXTENDED [--option N]";
constexpr std::uint32_t kFieldMaximum = 0xFFFF;

// The numeric fields of the editor by their option names.
struct FieldOption {
    const char* name;
    int KeySetFields::*field;
};

constexpr std::array<FieldOption, 20> kFieldOptions = {{
    {"--button", &KeySetFields::mouseButton},
    {"--scroll-direction", &KeySetFields::scrollDirection},
    {"--scroll-count", &KeySetFields::scrollCount},
    {"--scroll-delay", &KeySetFields::scrollDelay},
    {"--scroll-speed", &KeySetFields::scrollSpeed},
    {"--wheel-direction", &KeySetFields::wheelDirection},
    {"--wheel-count", &KeySetFields::wheelCount},
    {"--wheel-delay", &KeySetFields::wheelDelay},
    {"--wheel-speed", &KeySetFields::wheelSpeed},
    {"--dpi", &KeySetFields::dpiAction},
    {"--interval", &KeySetFields::fireInterval},
    {"--shots", &KeySetFields::fireShots},
    {"--modifier", &KeySetFields::modifier},
    {"--media", &KeySetFields::media},
    {"--system", &KeySetFields::system},
    {"--macro", &KeySetFields::macro},
    {"--mode", &KeySetFields::macroMode},
    {"--repeat", &KeySetFields::macroRepeat},
    {"--recoil", &KeySetFields::recoil},
    {"--shortcut", &KeySetFields::shortcut},
}};

bool IsOption(const std::string& argument)
{
    return argument.size() > 2 && argument.compare(0, 2, "--") == 0;
}

std::string HexCode(FunctionCode code)
{
    std::array<char, 12> text{};
    std::snprintf(text.data(), text.size(), "%02X %02X %02X", code.type, code.data1, code.data2);
    return text.data();
}

std::uint8_t ByteArgument(const std::string& text, const std::string& what)
{
    return static_cast<std::uint8_t>(NumberArgument(text, 0xFF, what));
}

FunctionCode CodeArguments(const std::vector<std::string>& words, std::size_t first, const std::string& what)
{
    if (words.size() < first + 3)
        throw UsageError{what + " needs TYPE DATA1 DATA2"};
    return {ByteArgument(words[first], what + " TYPE"), ByteArgument(words[first + 1], what + " DATA1"),
            ByteArgument(words[first + 2], what + " DATA2")};
}

// The words and the options with their values (--default takes three).
struct Arguments {
    std::vector<std::string> words;
    std::map<std::string, std::vector<std::string>> options;
};

Arguments Split(const std::vector<std::string>& arguments)
{
    Arguments split;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!IsOption(argument)) {
            split.words.push_back(argument);
            continue;
        }
        const int values = argument == "--default" || argument == "--current" ? 3 : 1;
        std::vector<std::string>& taken = split.options[argument];
        taken.clear();
        for (int v = 0; v < values; ++v)
            taken.push_back(TakeOptionValue(arguments, i));
    }
    return split;
}

void Refuse(const Arguments& args, std::initializer_list<const char*> allowed, const std::string& command)
{
    for (const auto& [name, values] : args.options) {
        if (std::none_of(allowed.begin(), allowed.end(), [&](const char* known) { return name == known; }))
            throw UsageError{name + " does not go with keyset " + command};
    }
}

FunctionCode CodeOption(const Arguments& args, const char* name, FunctionCode otherwise)
{
    const auto given = args.options.find(name);
    return given == args.options.end() ? otherwise : CodeArguments(given->second, 0, name);
}

int Encode(const Arguments& args, Console console)
{
    if (args.words.size() != 3)
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    KeySetFields fields;
    fields.category = static_cast<int>(NumberArgument(args.words[2], 0xFF, "CATEGORY"));
    int macroCount = 0;
    for (const auto& [name, values] : args.options) {
        const auto option = std::find_if(kFieldOptions.begin(), kFieldOptions.end(),
                                         [&](const FieldOption& known) { return name == known.name; });
        if (option != kFieldOptions.end())
            fields.*option->field = static_cast<int>(NumberArgument(values.front(), kFieldMaximum, name));
        else if (name == "--macros")
            macroCount = static_cast<int>(NumberArgument(values.front(), kFieldMaximum, name));
        else if (name == "--key")
            fields.keyNameKey = values.front();
        else if (name != "--current" && name != "--default")
            throw UsageError{name + " does not go with keyset encode"};
    }
    const FunctionCode current = CodeOption(args, "--current", {});
    const FunctionCode defaults = CodeOption(args, "--default", {});
    console.out << HexCode(keys::EncodeKeySet(fields, current, defaults, macroCount)) << '\n';
    return kExitSuccess;
}

Json::Value FieldsJson(const KeySetFields& fields)
{
    Json::Value json(Json::objectValue);
    for (const FieldOption& option : kFieldOptions)
        json[option.name + 2] = fields.*option.field;
    json["key"] = fields.keyNameKey;
    json["repeatShown"] = fields.macroRepeatShown;
    return json;
}

int Decode(const Arguments& args, Console console)
{
    Refuse(args, {"--default", "--page", "--macros"}, "decode");
    const FunctionCode code = CodeArguments(args.words, 2, "the code");
    if (args.words.size() != 5 || !args.options.contains("--default"))
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    const FunctionCode defaults = CodeOption(args, "--default", {});
    keys::Page page = keys::Page::Keyboard;
    if (const auto given = args.options.find("--page"); given != args.options.end()) {
        if (given->second.front() != "keyboard" && given->second.front() != "mouse")
            throw UsageError{"--page is keyboard or mouse"};
        page = given->second.front() == "mouse" ? keys::Page::Mouse : keys::Page::Keyboard;
    }
    int macroCount = 0;
    if (const auto given = args.options.find("--macros"); given != args.options.end())
        macroCount = static_cast<int>(NumberArgument(given->second.front(), kFieldMaximum, "--macros"));

    const keys::DecodedKeySet decoded = keys::DecodeKeySet({}, code, code, defaults, page, macroCount);
    Json::Value json(Json::objectValue);
    json["category"] = decoded.shownCategory ? Json::Value(*decoded.shownCategory) : Json::Value();
    json["panelShown"] = decoded.shownCategory.has_value();
    json["current"] = HexCode(decoded.current);
    json["fields"] = FieldsJson(decoded.fields);
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    console.out << Json::writeString(writer, json) << '\n';
    return kExitSuccess;
}

int Capture(const Arguments& args, Console console)
{
    Refuse(args, {"--option"}, "capture");
    if (args.words.size() != 4)
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    const auto scan = static_cast<std::uint8_t>(NumberArgument(args.words[2], 0x1FF, "SCAN"));
    const bool extended = NumberArgument(args.words[3], 1, "EXTENDED") != 0;
    KeySetFields fields;
    fields.category = keys::kCategoryKey;
    if (const auto given = args.options.find("--option"); given != args.options.end())
        fields.modifier = static_cast<int>(NumberArgument(given->second.front(), keys::kModifierOptions - 1, "--option"));
    const FunctionCode blank{0x20, 0, 0};
    const std::optional<keys::CapturedKeySet> captured = keys::CaptureKey(fields, blank, scan, extended);
    if (!captured)
        return Fail(console, kExitFailure, "keyset capture: no key has that scan code");
    console.out << HexCode(keys::EncodeKeySet(captured->fields, captured->current, blank, 0)) << '\n';
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunKeySetCommand(const std::vector<std::string>& arguments, Console console)
{
    if (arguments.empty() || arguments.front() != "keyset")
        return std::nullopt;
    try {
        const Arguments args = Split(arguments);
        const std::string form = args.words.size() > 1 ? args.words[1] : std::string();
        if (form == "encode")
            return OfflineCommandResult{Encode(args, console), {}};
        if (form == "decode")
            return OfflineCommandResult{Decode(args, console), {}};
        if (form == "capture")
            return OfflineCommandResult{Capture(args, console), {}};
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    } catch (const UsageError& error) {
        return OfflineCommandResult{kExitUsage, error.text};
    }
}

std::string KeySetUsageText()
{
    return "Key assignments, as the key tab encodes and decodes them (sends nothing to any device):\n"
           "  keyset encode CATEGORY [--button N] [--scroll-direction|--scroll-count|--scroll-delay|\n"
           "         --scroll-speed N] [--wheel-direction|--wheel-count|--wheel-delay|--wheel-speed N]\n"
           "         [--dpi N] [--interval N] [--shots N] [--modifier N --key NAME_KEY] [--media N]\n"
           "         [--system N] [--macro N --mode N --repeat N --macros COUNT] [--recoil N]\n"
           "         [--shortcut N] [--current T D1 D2] [--default T D1 D2]\n"
           "                                  the three-byte code the fields give; a key takes\n"
           "                                  its usage from --current's DATA2\n"
           "  keyset decode TYPE DATA1 DATA2 --default TYPE DATA1 DATA2 [--page keyboard|mouse] [--macros N]\n"
           "                                  the editor's state for that code, as JSON\n"
           "  keyset capture SCAN EXTENDED [--option N]\n"
           "                                  the code a key press gives (set-1 scan code, 0xE0 prefix\n"
           "                                  flag, modifier option 0-4 already selected)\n";
}

}  // namespace q31::ctl
