#include "devices/colour_option_file.h"

#include "platform/folders.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"

#include <QDir>
#include <QRegularExpression>

namespace q31::devices {
namespace {

using json::Element;
using json::Member;
using json::MemberToWrite;

const QString kFileName = QStringLiteral("color_option_info.config");
constexpr const char* kRoot = "coloroptioninfo";
constexpr const char* kPresets = "palletDialogcoloroption";
constexpr const char* kPresetSelection = "palletDialogcoloroption_selectitem";
constexpr const char* kCollected = "palletDialogcollectcoloroption";
constexpr const char* kCollectedSelection = "palletDialogcollectcoloroption_selectitem";

const Json::Value& Section(const Json::Value& document)
{
    return Member(document, kRoot);
}

// Reads the user's file for a rewrite and hands the section to change to edit;
// a file that cannot be read is never replaced.
template <class Edit>
bool Rewrite(Edit edit)
{
    const QString path = ColourOptionFilePath();
    UserDocument read = ParseUserDocument(path);
    if (!read.MayBeReplaced())
        return false;
    Json::Value document = read.state == UserDocument::State::Read ? std::move(read.document)
                                                                   : Json::Value(Json::objectValue);
    edit(MemberToWrite(document, kRoot));
    return WriteJsonFile(path, document);
}

}  // namespace

QString ColourOptionFilePath()
{
    EnsureFolder(UserDataRoot());
    return QDir(UserDataRoot()).filePath(kFileName);
}

QString DefaultColourOptionFilePath()
{
    return QDir(DefaultDataFolder()).filePath(kFileName);
}

Json::Value LoadColourOptionFile()
{
    const QString path = ColourOptionFilePath();
    UserDocument read = ParseUserDocument(path);
    if (read.state == UserDocument::State::Read)
        return std::move(read.document);
    if (!read.MayBeReplaced())
        return Json::Value();
    Json::Value shipped = ParseJsonFile(DefaultColourOptionFilePath());
    // Without a default there is nothing worth writing: the first save builds the file.
    if (!shipped.isObject())
        return Json::Value();
    WriteJsonFile(path, shipped);
    return shipped;
}

QString ColourHexText(DWORD colour)
{
    return QStringLiteral("%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<DWORD> ParseColourHex(const QString& text)
{
    static const QRegularExpression kHex(QStringLiteral("^[0-9A-Fa-f]{1,8}$"));
    if (!kHex.match(text).hasMatch())
        return std::nullopt;
    return DWORD(text.toUInt(nullptr, 16));
}

bool HoldsColour(const QString& userData)
{
    return userData.compare(QLatin1String("1"), Qt::CaseInsensitive) == 0;
}

std::optional<int> StoredPresetIndex(const Json::Value& document)
{
    const Json::Value& stored = Member(Section(document), kPresetSelection);
    if (!stored.isInt())
        return std::nullopt;
    const int index = stored.asInt();
    if (index < 0 || index >= kColourSwatchCount)
        return std::nullopt;
    return index;
}

std::vector<CollectedSlot> StoredCollectedSlots(const Json::Value& document)
{
    std::vector<CollectedSlot> collected;
    const Json::Value& stored = Member(Section(document), kCollected);
    for (int i = 0; i < kColourSwatchCount; ++i) {
        const Json::Value& entry = Element(stored, Json::ArrayIndex(i));
        const Json::Value& colour = Member(entry, "color");
        if (colour.isNull())
            continue;
        CollectedSlot slot;
        slot.index = i;
        if (const std::optional<DWORD> parsed = ParseColourHex(json::TextOf(colour))) {
            slot.colour = *parsed;
            slot.userData = json::TextOf(Member(entry, "UserData"));
        }
        collected.push_back(slot);
    }
    return collected;
}

bool HasStoredCollectedSelection(const Json::Value& document)
{
    return Section(document).isMember(kCollectedSelection);
}

bool SavePresets(const std::vector<PresetSwatch>& swatches, int selected)
{
    return Rewrite([&](Json::Value& section) {
        Json::Value& list = MemberToWrite(section, kPresets);
        for (const PresetSwatch& swatch : swatches)
            MemberToWrite(json::ElementToWrite(list, Json::ArrayIndex(swatch.index)), "color") =
                ColourHexText(swatch.colour).toStdString();
        section[kPresetSelection] = selected;
    });
}

bool SaveCollectedSlots(const std::vector<CollectedSlot>& collected, int selected)
{
    return Rewrite([&](Json::Value& section) {
        Json::Value& list = MemberToWrite(section, kCollected);
        for (const CollectedSlot& slot : collected) {
            Json::Value& entry = json::ElementToWrite(list, Json::ArrayIndex(slot.index));
            MemberToWrite(entry, "color") = ColourHexText(slot.colour).toStdString();
            MemberToWrite(entry, "UserData") = slot.userData.toStdString();
        }
        section[kCollectedSelection] = selected;
    });
}

}  // namespace q31::devices
