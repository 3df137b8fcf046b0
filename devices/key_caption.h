#pragma once
// Key captions on the device pages: the naming rule's result in the current
// language, fitted to the drawn key.
#include "keys/function_naming.h"

#include <QString>
#include <QStringList>

#include <optional>

class CDeviceKeyButtonUI;

namespace q31::devices {

// The caption of a code, or none when the caption stays as it is.
std::optional<QString> CaptionOf(const keys::CodeName& name, const QStringList& macroNames);

// The largest text of the caption that fits the key at its own font or at a
// smaller one down to three quarters of it: the caption, or the last word of
// a name of several words ("Num 7", "Page Up"), as keycaps print them; else
// elided. The keys are drawn small and the tip carries the whole caption.
void ShowCaption(CDeviceKeyButtonUI& button, const QString& caption);

}  // namespace q31::devices
