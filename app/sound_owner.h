#pragma once
// The headset page's sound and voice changer editors joined to the main
// window: each notification of their controls becomes an operation of the
// current page's sound settings. Nothing happens while the current device is
// no headset.
#include "app/notify_owners.h"

#include <QString>

#include <functional>

class CHeadsetSound;

namespace q31::app {

// The current page's sound settings; null when the current device is no headset.
using CurrentSound = std::function<CHeadsetSound*()>;
// Tells the user something, with a confirm button only.
using SoundNotice = std::function<void(const QString& textId)>;

void RegisterSoundOwner(CNotifyOwners& owners, CurrentSound currentSound, SoundNotice notice);

// One notification of a sound control; false when it is none of theirs.
bool HandleSoundNotify(const TNotifyUI& msg, CHeadsetSound& sound, const SoundNotice& notice);

}  // namespace q31::app
