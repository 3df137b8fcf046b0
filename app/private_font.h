#pragma once
// A font shipped in the program's data folder, usable by this process only.
#include <QString>

class CPrivateFont {
public:
    // Registers "Font/..." below the program's data folder; false when the
    // file is missing or is not a font.
    bool Load(const QString& relativePath);
    void Unload();
    bool IsLoaded() const { return m_id >= 0; }

private:
    int m_id = -1;
};
