#include "tools/q31ctl/macro_commands.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <set>
#include <type_traits>

#include "keys/function_naming.h"
#include "keys/function_types.h"
#include "keys/key_identity.h"
#include "macros/macro_block.h"
#include "macros/macro_download.h"
#include "macros/macro_limits.h"
#include "macros/macro_rebinding.h"
#include "macros/macro_storage.h"
#include "profiles/basic_profile_data.h"
#include "tools/q31ctl/command_line.h"
#include "tools/q31ctl/exit_status.h"
#include "tools/q31ctl/hex_input.h"

namespace q31::ctl {
namespace {

constexpr std::uint32_t kDefaultBlocks = 64;
constexpr std::uint32_t kMostBlocks = 255;  // one byte of the device information

const std::set<std::string> kValueOptions = {"--page", "--macros", "--guns", "--keys", "--absent", "--blocks",
                                             "--profiles"};
const std::set<std::string> kCommandWords = {"name", "pack", "unpack", "scankey", "macro-block", "macro"};

// The words and the options of one command line.
struct Arguments {
    std::vector<std::string> words;  // the command word first
    std::vector<std::pair<std::string, std::string>> options;

    std::optional<std::string> Option(const std::string& name) const
    {
        std::optional<std::string> value;
        for (const auto& [option, text] : options)
            if (option == name)
                value = text;
        return value;
    }
    std::vector<std::string> All(const std::string& name) const
    {
        std::vector<std::string> values;
        for (const auto& [option, text] : options)
            if (option == name)
                values.push_back(text);
        return values;
    }
    void Expect(std::size_t count, std::initializer_list<const char*> allowed, const char* synopsis) const
    {
        if (words.size() != count)
            throw UsageError{std::string("usage: q31ctl ") + synopsis};
        for (const auto& [option, text] : options) {
            if (std::none_of(allowed.begin(), allowed.end(), [&](const char* name) { return option == name; }))
                throw UsageError{option + " does not go with " + words[0]};
        }
    }
};

Arguments Split(const std::vector<std::string>& arguments)
{
    Arguments split;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (kValueOptions.count(argument))
            split.options.emplace_back(argument, TakeOptionValue(arguments, i));
        else if (argument.size() > 1 && argument[0] == '-')
            throw UsageError{argument + " does not go with " + (split.words.empty() ? "these commands" : split.words[0])};
        else
            split.words.push_back(argument);
    }
    return split;
}

FunctionCode CodeFrom(const Arguments& args)
{
    return {static_cast<std::uint8_t>(NumberArgument(args.words[1], 0xFF, "TYPE")),
            static_cast<std::uint8_t>(NumberArgument(args.words[2], 0xFF, "DATA1")),
            static_cast<std::uint8_t>(NumberArgument(args.words[3], 0xFF, "DATA2"))};
}

std::string CodeText(FunctionCode code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02x %02x %02x", code.type, code.data1, code.data2);
    return text;
}

std::string HexLine(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, i ? " %02x" : "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

template <typename Items>
std::string Joined(const Items& items, const char* separator)
{
    std::string text;
    for (const auto& item : items) {
        if (!text.empty())
            text += separator;
        if constexpr (std::is_same_v<std::decay_t<decltype(item)>, std::string>)
            text += item;
        else
            text += std::to_string(item);
    }
    return text;
}

int Name(const Arguments& args, Console console)
{
    args.Expect(4, {"--page", "--macros", "--guns"},
                "name TYPE DATA1 DATA2 [--page keyboard|mouse] [--macros N] [--guns N]");
    keys::NamingContext context;
    if (const auto page = args.Option("--page")) {
        if (*page != "keyboard" && *page != "mouse")
            throw UsageError{"--page: keyboard or mouse, not \"" + *page + "\""};
        context.page = *page == "mouse" ? keys::Page::Mouse : keys::Page::Keyboard;
    }
    if (const auto macros = args.Option("--macros"))
        context.macroCount = static_cast<int>(NumberArgument(*macros, macros::kMaxMacros, "--macros"));
    if (const auto guns = args.Option("--guns"))
        context.recoilNames = static_cast<int>(NumberArgument(*guns, 0xFF, "--guns"));
    const keys::CodeName name = keys::NameOfCode(CodeFrom(args), context);
    switch (name.kind) {
    case keys::CodeName::Kind::NameKeys:
        console.out << Joined(name.nameKeys, "+") << '\n';
        break;
    case keys::CodeName::Kind::Macro:
        console.out << "macro:" << name.macro << '\n';
        break;
    case keys::CodeName::Kind::Unchanged:
        console.out << "unchanged\n";
        break;
    case keys::CodeName::Kind::Closed:
        console.out << "关闭\n";
        break;
    }
    return kExitSuccess;
}

int Pack(const Arguments& args, Console console)
{
    args.Expect(4, {}, "pack TYPE DATA1 DATA2");
    console.out << PackFunctionCode(CodeFrom(args)) << '\n';
    return kExitSuccess;
}

int Unpack(const Arguments& args, Console console)
{
    args.Expect(2, {}, "unpack N");
    console.out << CodeText(keys::UnpackStoredCode(NumberArgument(args.words[1], 0xFFFFFFFF, "N"))) << '\n';
    return kExitSuccess;
}

int ScanKey(const Arguments& args, Console console)
{
    args.Expect(3, {}, "scankey LOW EXTENDED");
    const auto low = static_cast<std::uint8_t>(NumberArgument(args.words[1], 0xFF, "LOW"));
    const bool extended = NumberArgument(args.words[2], 1, "EXTENDED") == 1;
    const auto key = keys::KeyFromScanCode(low, extended);
    if (key)
        console.out << key->nameKey << '\t' << CodeText(key->code) << '\n';
    else
        console.out << "none\n";
    return kExitSuccess;
}

int Failed(Console console, const std::string& what)
{
    console.err << "q31ctl: " << what << '\n';
    return kExitFailure;
}

std::set<int> AbsentKeys(const std::optional<std::string>& list)
{
    std::set<int> absent;
    if (!list)
        return absent;
    for (const QString& item : QString::fromStdString(*list).split(QLatin1Char(','), Qt::SkipEmptyParts))
        absent.insert(static_cast<int>(NumberArgument(item.trimmed().toStdString(), 0xFFFF, "--absent")));
    return absent;
}

std::string Required(const Arguments& args, const char* option)
{
    const auto value = args.Option(option);
    if (!value || value->empty())
        throw UsageError{std::string(option) + " is needed"};
    return *value;
}

int MacroBlock(const Arguments& args, Console console)
{
    args.Expect(1, {"--macros", "--keys", "--absent", "--blocks"},
                "macro-block --macros FOLDER --keys PROFILE.Json [--absent I,J,...] [--blocks N]");
    const macros::MacroFolder files(QString::fromStdString(Required(args, "--macros")));
    const QString profilePath = QString::fromStdString(Required(args, "--keys"));
    const std::set<int> absent = AbsentKeys(args.Option("--absent"));
    const auto blocksOption = args.Option("--blocks");
    const std::uint32_t blocks = blocksOption ? NumberArgument(*blocksOption, kMostBlocks, "--blocks") : kDefaultBlocks;

    CBasicProfiledata profile;
    if (profile.LoadDeviceSection(profilePath).isNull())
        return Failed(console, profilePath.toStdString() + " holds no device section with a KeyList");
    const std::vector<KeyListEntry> keys = profile.ReadKeyList();
    const std::vector<int> used =
        macros::CollectUsedMacros(keys, [&](std::uint16_t key) { return !absent.count(key); },
                                  static_cast<int>(files.ReadList().size()));
    const macros::MacroBlock block = macros::BuildMacroBlock(files, used, blocks * macros::kMacroMemoryUnit);
    console.out << "used: " << Joined(used, ",") << '\n';
    if (block.tooLargeBy > 0)
        console.out << "too-large " << block.tooLargeBy << '\n';
    else
        console.out << HexLine(block.bytes) << '\n';
    return kExitSuccess;
}

int Position(const std::string& text, const std::vector<macros::MacroEntry>& list)
{
    const auto position = static_cast<int>(NumberArgument(text, macros::kMaxMacros, "POSITION"));
    if (position >= static_cast<int>(list.size()))
        throw UsageError{"POSITION: the list holds " + std::to_string(list.size()) + " macros"};
    return position;
}

QStringList ProfilePaths(const Arguments& args)
{
    QStringList paths;
    for (const std::string& value : args.All("--profiles"))
        paths += QString::fromStdString(value).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return paths;
}

int Macro(const Arguments& args, Console console)
{
    static constexpr const char* kSynopsis =
        "macro add FOLDER | rename FOLDER POSITION NAME | delete FOLDER POSITION [--profiles DOC,...] | "
        "import FOLDER FILE | export FOLDER POSITION FILE";
    if (args.words.size() < 3)
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    const std::string& action = args.words[1];
    const macros::MacroStorage storage(QString::fromStdString(args.words[2]));
    const std::vector<macros::MacroEntry> list = storage.LoadMacroList();
    if (action == "add") {
        args.Expect(3, {}, "macro add FOLDER");
        const QString name = storage.AddMacro();
        if (name.isEmpty())
            return Failed(console, "no macro added (the list holds 50, or could not be written)");
        console.out << name.toStdString() << '\n';
    } else if (action == "rename") {
        args.Expect(5, {}, "macro rename FOLDER POSITION NAME");
        const macros::RenameResult renamed =
            storage.RenameMacro(Position(args.words[3], list), QString::fromStdString(args.words[4]));
        if (renamed.position < 0)
            return Failed(console, "not renamed (a blank name, or the list could not be written)");
        if (renamed.name.isEmpty())
            return Failed(console, "not renamed: the name is taken");
        console.out << renamed.name.toStdString() << '\n';
    } else if (action == "delete") {
        args.Expect(4, {"--profiles"}, "macro delete FOLDER POSITION [--profiles DOC,...]");
        const int position = Position(args.words[3], list);
        const macros::RebindReport report = macros::RebindProfileDocuments(ProfilePaths(args), position);
        for (const QString& path : report.rewritten)
            console.out << "rebound " << path.toStdString() << '\n';
        if (!report.failed.isEmpty())
            return Failed(console, "not deleted: keys of " + report.failed.join(", ").toStdString() +
                                       " could not be stored");
        if (storage.DeleteMacro(position) < 0)
            return Failed(console, "the macro list could not be written");
    } else if (action == "import") {
        args.Expect(4, {}, "macro import FOLDER FILE");
        const QString name = storage.ImportMacro(QString::fromStdString(args.words[3]));
        if (name.isEmpty())
            return Failed(console, "nothing imported (the list holds 50, or the file could not be read)");
        console.out << name.toStdString() << '\n';
    } else if (action == "export") {
        args.Expect(5, {}, "macro export FOLDER POSITION FILE");
        if (!storage.ExportMacro(Position(args.words[3], list), QString::fromStdString(args.words[4])))
            return Failed(console, "the macro file could not be copied");
    } else {
        throw UsageError{std::string("usage: q31ctl ") + kSynopsis};
    }
    return kExitSuccess;
}

}  // namespace

std::optional<OfflineCommandResult> RunMacroCommand(const std::vector<std::string>& arguments, Console console)
{
    const auto word = std::find_if(arguments.begin(), arguments.end(),
                                   [](const std::string& argument) { return !argument.empty() && argument[0] != '-'; });
    if (word == arguments.end() || !kCommandWords.count(*word) ||
        (word != arguments.begin() && kValueOptions.count(*(word - 1))))
        return std::nullopt;
    OfflineCommandResult result;
    try {
        const Arguments args = Split(arguments);
        const std::string& command = args.words[0];
        if (command == "name")
            result.exitStatus = Name(args, console);
        else if (command == "pack")
            result.exitStatus = Pack(args, console);
        else if (command == "unpack")
            result.exitStatus = Unpack(args, console);
        else if (command == "scankey")
            result.exitStatus = ScanKey(args, console);
        else if (command == "macro-block")
            result.exitStatus = MacroBlock(args, console);
        else
            result.exitStatus = Macro(args, console);
    } catch (const UsageError& error) {
        result = {kExitUsage, error.text};
    }
    return result;
}

std::string MacroUsageText()
{
    return "Key codes and macro folders (sends nothing to any device):\n"
           "  name TYPE DATA1 DATA2 [--page keyboard|mouse] [--macros N] [--guns N]\n"
           "                                  the name keys of a code joined with \"+\", macro:<position>,\n"
           "                                  \"unchanged\" or \"关闭\"; N macros in the list, N recoil names\n"
           "  pack TYPE DATA1 DATA2           the stored integer of a code\n"
           "  unpack N                        the code of a stored integer (bits above 24 dropped)\n"
           "  scankey LOW EXTENDED            the key of a set-1 scan code: name key and code, or \"none\"\n"
           "  macro-block --macros FOLDER --keys PROFILE.Json [--absent I,J,...] [--blocks N]\n"
           "                                  the used macros in slot order, then the macro block in hex\n"
           "                                  or \"too-large K\"; N blocks of 128 bytes (64 by default)\n"
           "  macro add FOLDER                add macro_n; prints its name\n"
           "  macro rename FOLDER POSITION NAME\n"
           "  macro delete FOLDER POSITION [--profiles DOC,...]\n"
           "                                  also rebinds the keys of the profile documents named\n"
           "  macro import FOLDER FILE        a macro file as a new macro; prints its name\n"
           "  macro export FOLDER POSITION FILE\n";
}

}  // namespace q31::ctl
