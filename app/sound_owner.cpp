#include "app/sound_owner.h"

#include "devices/headset_sound.h"
#include "devices/indexed_name.h"

#include <QWidget>

#include <array>

namespace q31::app {
namespace {

const QString kNameTakenText = QStringLiteral("message_text_5");

struct Action {
    const char* type;
    const char* name;
    void (CHeadsetSound::*run)();
};

// Controls named by a prefix and a number, which the operation takes.
struct NumberedAction {
    const char* type;
    const char* prefix;
    void (CHeadsetSound::*run)(int number);
};

constexpr auto kActions = std::to_array<Action>({
    {"selectchanged", "6533_MicIn_option", &CHeadsetSound::ToggleMicMute},
    {"valuechanged", "6533_MicIn_slider", &CHeadsetSound::ApplyMicLevel},
    {"selectchanged", "6533_MicMoniter_option", &CHeadsetSound::ToggleMonitorMute},
    {"valuechanged", "6533_MicMoniter_slider", &CHeadsetSound::ApplyMonitorLevel},
    {"itemselect", "custom_eq_name_combo", &CHeadsetSound::ApplySelectedCurve},
    {"click", "hs_EQ_btn_delete", &CHeadsetSound::DeleteCurve},
    {"selectchanged", "magic_enable_option", &CHeadsetSound::ApplyMagicSwitch},
});

constexpr auto kNumberedActions = std::to_array<NumberedAction>({
    {"selectchanged", "6533_eq_option_", &CHeadsetSound::SelectEqChoice},
    {"valuechanged", "6533_eq_hz_slider_", &CHeadsetSound::ApplyBandSlider},
    {"selectchanged", "magic_option_", &CHeadsetSound::SelectMagicType},
});

}  // namespace

void RegisterSoundOwner(CNotifyOwners& owners, CurrentSound currentSound, SoundNotice notice)
{
    owners.Register(NotifyOwner::HeadsetSound,
                    [currentSound = std::move(currentSound), notice = std::move(notice)](TNotifyUI& msg) {
                        if (CHeadsetSound* sound = currentSound ? currentSound() : nullptr)
                            HandleSoundNotify(msg, *sound, notice);
                    });
}

bool HandleSoundNotify(const TNotifyUI& msg, CHeadsetSound& sound, const SoundNotice& notice)
{
    if (!msg.pSender)
        return false;
    const QString name = msg.pSender->objectName();
    if (msg.sType == QLatin1String("click") && name == QLatin1String("hs_EQ_btn_save")) {
        if (sound.SaveCurve() == 0 && notice)
            notice(kNameTakenText);
        return true;
    }
    for (const Action& action : kActions) {
        if (msg.sType == QLatin1String(action.type) && name == QLatin1String(action.name)) {
            (sound.*action.run)();
            return true;
        }
    }
    const auto split = q31::devices::SplitIndexedName(name);
    // An option of a group that lost its selection asks for nothing.
    if (!split || (msg.sType == QLatin1String("selectchanged") && msg.wParam == 0))
        return false;
    for (const NumberedAction& action : kNumberedActions) {
        if (msg.sType == QLatin1String(action.type) && split->prefix == QLatin1String(action.prefix)) {
            (sound.*action.run)(split->number);
            return true;
        }
    }
    return false;
}

}  // namespace q31::app
