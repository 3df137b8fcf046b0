#include "audio/conf_lib_entry_points.h"

#include "platform/folders.h"

#include <QFile>

#include <dlfcn.h>

namespace q31::audio {
namespace {

template <typename Function>
void Take(Function& target, void* symbol)
{
    target = reinterpret_cast<Function>(symbol);
}

}  // namespace

const std::array<const char*, 11> kConfLibEntryNames = {
    "ConfLibInit",    "GetDeviceById",    "PropertyControl", "RegisterCallbackFunction",
    "GetDeviceCount", "CreateDeviceList", "ConfLibUnInit",   "ShowAsioPanel",
    "PlayTestSound",  "StopTestSound",    "CloseTestSound"};

QString ConfLibPath()
{
    const QString architecture = sizeof(void*) == 8 ? QStringLiteral("x64") : QStringLiteral("x86");
    return SdkFolder() + QLatin1Char('/') + architecture + QStringLiteral("/vista/libosConfLib.so");
}

std::optional<ConfLibEntryPoints> LoadConfLib(const QString& path, QString* error)
{
    // Never closed: the library stays for the life of the process.
    void* library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        if (error)
            *error = QString::fromLocal8Bit(dlerror());
        return std::nullopt;
    }
    std::array<void*, kConfLibEntryNames.size()> symbols{};
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        symbols[i] = dlsym(library, kConfLibEntryNames[i]);
        if (!symbols[i]) {
            if (error)
                *error = QStringLiteral("%1 has no entry point %2").arg(path, QLatin1String(kConfLibEntryNames[i]));
            return std::nullopt;
        }
    }
    ConfLibEntryPoints points;
    Take(points.confLibInit, symbols[0]);
    Take(points.getDeviceById, symbols[1]);
    Take(points.propertyControl, symbols[2]);
    Take(points.registerCallbackFunction, symbols[3]);
    Take(points.getDeviceCount, symbols[4]);
    Take(points.createDeviceList, symbols[5]);
    Take(points.confLibUnInit, symbols[6]);
    Take(points.showAsioPanel, symbols[7]);
    Take(points.playTestSound, symbols[8]);
    Take(points.stopTestSound, symbols[9]);
    Take(points.closeTestSound, symbols[10]);
    return points;
}

}  // namespace q31::audio
