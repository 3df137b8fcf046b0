#pragma once
// The background choice in "main.ini" (section "SKINIMAGE") in the user data
// folder, so the next start shows it again.
#include "app/skin_change.h"

#include <QString>

#include <optional>

namespace q31::app {

// The skin's own background, which the reset restores.
inline constexpr const char* kDefaultSkinImage = "common/background.png";

QString SkinChoiceFilePath();
// FLAGS 1 with the image, or with the colour ("COLOR" = "#AARRGGBB"); the other one is cleared.
void StoreSkinChoice(const SkinChangedParam& choice);
// FLAGS 0 and the skin's own image.
void StoreSkinReset();
// The stored choice when FLAGS is 1 and it is still usable: a well-formed colour,
// or an image file that exists. Empty otherwise.
std::optional<SkinChangedParam> ReadSkinChoice();

}  // namespace q31::app
