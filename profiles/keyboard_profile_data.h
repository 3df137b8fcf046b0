#pragma once
// The keyboard's profile document: key list, system settings, custom colours.
#include "profiles/basic_profile_data.h"

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Custom groups are numbered by one byte of the light settings.
    static constexpr int kGroupCount = 256;

    // "SystemStages": Repeat/RepeatDelay, Key6Flag/PollingRate, WFlag/WinFlag.
    SystemWords ReadKeyboardSystem() const;
    void WriteKeyboardSystem(const SystemWords& words);

    // The colours of LEDs 0..count-1 of a custom group. Entries the document lacks
    // read as zeros and are added to the section, so the next Save stores them.
    std::vector<CustomColour> ReadCustomLightColors(int group, int count);
    // Replaces the first colours of the group.
    void WriteCustomLightColors(int group, const std::vector<CustomColour>& colours);

    int ReadCustomLightGroup() const;
    void WriteCustomLightGroup(int group);
};
