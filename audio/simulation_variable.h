#pragma once
// Set, it names the state file of the simulated chip, which the library then
// uses instead of the headset.
inline constexpr const char* kSimulatedChipStateVariable = "Q31_AUDIO_SIM_STATE";
