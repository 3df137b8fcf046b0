#pragma once
// The colour file of the palette dialog, shared by every device: the preset
// row's last choice and the colours the user collected. It lives in the user
// data folder and starts as a copy of the shipped default.
#include "platform/win_types.h"

#include <QString>
#include <json/value.h>

#include <optional>
#include <vector>

namespace q31::devices {

constexpr int kColourSwatchCount = 20;

// "<user data>/color_option_info.config"; the folder is created when missing.
QString ColourOptionFilePath();
// "<default data>/color_option_info.config".
QString DefaultColourOptionFilePath();

// The user's colour file, replaced by the shipped default when it is missing,
// empty or does not parse (such a file is kept aside as ".bad" first). Null
// when neither file gives a document; nothing is written then.
Json::Value LoadColourOptionFile();

// "AARRGGBB" in upper case.
QString ColourHexText(DWORD colour);
// One to eight hexadecimal digits; empty for anything else.
std::optional<DWORD> ParseColourHex(const QString& text);

// The stored preset index, when the document has a usable one.
std::optional<int> StoredPresetIndex(const Json::Value& document);

// A collected slot's user data "1" (in any case) marks it as holding a colour.
bool HoldsColour(const QString& userData);

struct CollectedSlot {
    int index = 0;
    DWORD colour = 0;
    QString userData;
};
// The stored slots that have a colour, in slot order. A slot whose colour is not
// hexadecimal comes back empty (no colour, no user data).
std::vector<CollectedSlot> StoredCollectedSlots(const Json::Value& document);
// Whether the document names a selected collected slot.
bool HasStoredCollectedSelection(const Json::Value& document);

struct PresetSwatch {
    int index = 0;
    DWORD colour = 0;
};
// Each rewrites its part of the user's file and keeps the rest; false when the
// file could not be written or could not be read (it is then left alone).
bool SavePresets(const std::vector<PresetSwatch>& swatches, int selected);
bool SaveCollectedSlots(const std::vector<CollectedSlot>& collected, int selected);

}  // namespace q31::devices
