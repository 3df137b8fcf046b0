#pragma once
// The chip library's entry points, loaded once from the data folder and never
// unloaded. Held as a table so that tests can put their own functions in.
#include "audio/conf_lib_abi.h"

#include <QString>

#include <array>
#include <optional>

namespace q31::audio {

struct ConfLibEntryPoints {
    ConfLibInitFn confLibInit = nullptr;
    GetDeviceByIdFn getDeviceById = nullptr;
    PropertyControlFn propertyControl = nullptr;
    RegisterCallbackFunctionFn registerCallbackFunction = nullptr;
    GetDeviceCountFn getDeviceCount = nullptr;
    CreateDeviceListFn createDeviceList = nullptr;
    ConfLibUnInitFn confLibUnInit = nullptr;
    ShowAsioPanelFn showAsioPanel = nullptr;
    PlayTestSoundFn playTestSound = nullptr;
    StopTestSoundFn stopTestSound = nullptr;
    CloseTestSoundFn closeTestSound = nullptr;
};

// The names, in the order they are resolved.
extern const std::array<const char*, 11> kConfLibEntryNames;

// "<data folder>/SDK/x64/vista/libosConfLib.so" (x86 on a 32-bit build).
QString ConfLibPath();

// Loads the library at path and resolves every entry point; nullopt (and why)
// when it cannot be loaded or lacks one of them.
std::optional<ConfLibEntryPoints> LoadConfLib(const QString& path, QString* error);

}  // namespace q31::audio
