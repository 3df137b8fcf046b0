#pragma once
// Every sound feature the library cannot report gets a neutral value once,
// when the headset's audio starts.
#include "audio/endpoint_choice.h"

namespace q31::audio {

// Reads each feature in a fixed order and writes its default only where the
// read fails; features of an endpoint not chosen are left alone.
void WriteStartUpDefaults(const ChipProperties& properties, const ChipEndpoints& endpoints);

}  // namespace q31::audio
