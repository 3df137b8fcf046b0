#pragma once
// A device's effect list from the shared effect list file: what the lighting
// editor offers and the codes the device knows its light modes by.
#include <QString>

#include <cstdint>
#include <vector>

namespace q31::devices {

struct EffectListEntry {
    QString name;  // language key
    bool visible = true;
    std::uint8_t code = 0;
    bool operator==(const EffectListEntry&) const = default;
};

// The list of the device kind (0 keyboard, 1 mouse, 2 mouse pad, 3 headset),
// in mode index order; empty when the file cannot be read or has no list for
// the kind. A value that is no number sends code 0; an entry without
// "visible" is offered.
std::vector<EffectListEntry> ReadEffectList(const QString& effectListPath, int kindIndex);
std::vector<std::uint8_t> ReadLightModeCodes(const QString& effectListPath, int kindIndex);

}  // namespace q31::devices
