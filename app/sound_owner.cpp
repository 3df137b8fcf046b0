#include "app/sound_owner.h"

#include "devices/headset_sound.h"
#include "devices/indexed_name.h"

#include <QWidget>

#include <array>

namespace q31::app {
namespace {

const QString kNameTakenText = QStringLiteral("message_text_5");

using Run = void (*)(CHeadsetSound& sound, int number, const SoundNotice& notice);

struct Action {
    const char* type;
    const char* name;  // the whole name, or for numbered controls the part before the number
    bool numbered;
    Run run;
};

// Options of a group report only being selected; switches report both states.
constexpr auto kActions = std::to_array<Action>({
    {"selectchanged", "6533_MicIn_option", false, [](CHeadsetSound& s, int, const SoundNotice&) { s.ToggleMicMute(); }},
    {"valuechanged", "6533_MicIn_slider", false, [](CHeadsetSound& s, int, const SoundNotice&) { s.ApplyMicLevel(); }},
    {"selectchanged", "6533_MicMoniter_option", false,
     [](CHeadsetSound& s, int, const SoundNotice&) { s.ToggleMonitorMute(); }},
    {"valuechanged", "6533_MicMoniter_slider", false,
     [](CHeadsetSound& s, int, const SoundNotice&) { s.ApplyMonitorLevel(); }},
    {"selectchanged", "6533_eq_option_", true, [](CHeadsetSound& s, int n, const SoundNotice&) { s.SelectEqChoice(n); }},
    {"valuechanged", "6533_eq_hz_slider_", true,
     [](CHeadsetSound& s, int n, const SoundNotice&) { s.ApplyBandSlider(n); }},
    {"itemselect", "custom_eq_name_combo", false,
     [](CHeadsetSound& s, int, const SoundNotice&) { s.ApplySelectedCurve(); }},
    {"click", "hs_EQ_btn_save", false,
     [](CHeadsetSound& s, int, const SoundNotice& notice) {
         if (s.SaveCurve() == 0 && notice)
             notice(kNameTakenText);
     }},
    {"click", "hs_EQ_btn_delete", false, [](CHeadsetSound& s, int, const SoundNotice&) { s.DeleteCurve(); }},
    {"selectchanged", "magic_enable_option", false,
     [](CHeadsetSound& s, int, const SoundNotice&) { s.ApplyMagicSwitch(); }},
    {"selectchanged", "magic_option_", true, [](CHeadsetSound& s, int n, const SoundNotice&) { s.SelectMagicType(n); }},
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
    const auto split = q31::devices::SplitIndexedName(name);
    for (const Action& action : kActions) {
        if (msg.sType != QLatin1String(action.type))
            continue;
        if (!action.numbered && name == QLatin1String(action.name)) {
            action.run(sound, 0, notice);
            return true;
        }
        // A group's option that lost its selection asks for nothing.
        if (action.numbered && split && split->prefix == QLatin1String(action.name) &&
            (msg.sType != QLatin1String("selectchanged") || msg.wParam != 0)) {
            action.run(sound, split->number, notice);
            return true;
        }
    }
    return false;
}

}  // namespace q31::app
