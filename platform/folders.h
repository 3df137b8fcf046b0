#pragma once
// Where the program finds its own data and keeps the user's.
#include <QString>

namespace q31 {

// "$XDG_DATA_HOME/Q-31" (default ~/.local/share/Q-31).
QString UserDataRoot();
// The user data folder of one device kind ("keyboard", "mouse", "MousePad", "HD"),
// created when missing.
QString UserDataFolder(const QString& deviceFolderName);

// The program's data folder: the installed share/q31, or the source tree's data
// folder when the program runs from the build tree.
QString ProgramDataFolder();
QString DefaultDataFolder();  // "DefaultData"
QString SkinFolder();         // "skin"
QString FontFolder();         // "Font"
QString SdkFolder();          // "SDK"

// Points ProgramDataFolder elsewhere (tests and tools); empty restores the default.
void SetProgramDataFolder(const QString& folder);

// Creates the folder and its parents; false when that failed.
bool EnsureFolder(const QString& folder);

}  // namespace q31
