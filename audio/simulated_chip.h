#pragma once
// "--simulate": the chip library answers from a state file instead of the headset.

namespace q31::audio {

// Points the library at "<runtime folder>/audio-chip.json" unless a state file
// was already chosen; the library makes a default headset there when the file
// is missing.
void SelectSimulatedChip();

}  // namespace q31::audio
