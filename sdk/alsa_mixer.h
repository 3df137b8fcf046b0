#pragma once
// The headset's "Mic" controls through ALSA's simple mixer: the capture
// volume and switch (microphone) and the playback volume and switch (side-tone).
#include "sdk/sound_mixer.h"

namespace q31::sdk {

// The mixer of ALSA card `card`; nullptr when it cannot be opened or has no "Mic" control.
std::unique_ptr<SoundMixer> OpenAlsaMixer(int card);

// The mixer of the headset's USB audio card, when it is plugged in.
std::unique_ptr<SoundMixer> OpenHeadsetMixer();

}  // namespace q31::sdk
