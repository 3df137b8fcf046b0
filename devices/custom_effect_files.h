#pragma once
// The user's custom effects in a device's folder: "quorl_light.config" lists
// them by kind ({"LightInfo": [kind][i] -> {"LightName", "Guid"}}), and each
// one's steps are in "<Guid>.light" beside it. The program never writes them.
#include "devices/custom_effect_player.h"

#include <QString>

#include <optional>
#include <vector>

namespace q31::devices {

inline constexpr const char* kCustomEffectListFile = "quorl_light.config";

struct CustomEffectEntry {
    QString name;  // "LightName"
    QString guid;  // "Guid"
    bool operator==(const CustomEffectEntry&) const = default;
};

// The kind's entries; empty when the file is missing or unreadable.
std::vector<CustomEffectEntry> ReadCustomEffectList(const QString& folder, int kindIndex);
// The step file of the Guid in the folder; none unless the Guid is a plain file name.
std::optional<QString> CustomEffectPath(const QString& folder, const QString& guid);
// The "LEDEffectList" of a step file; empty when it is missing or unreadable.
std::vector<CustomEffectStep> ReadCustomEffectSteps(const QString& path);
// The steps of the kind's entry; empty when there is no such entry or file.
std::vector<CustomEffectStep> LoadCustomEffect(const QString& folder, int kindIndex, int entry);

}  // namespace q31::devices
