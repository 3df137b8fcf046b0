#pragma once
// An audio library stand-in for the headset: it records every call as text
// ("SetMicLevel 37") and answers failure for the entry points named refused.
#include "devices/headset_audio.h"

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace q31::test {

class RecordingHeadsetAudio : public IHeadsetAudio {
public:
    std::vector<std::string> Start() override { return {}; }
    bool IsLoaded() const override { return true; }
    void ReadState(HeadsetSound& sound) override
    {
        calls.push_back("ReadState");
        sound = reported;
    }
    bool SetMicLevel(int level) override { return Call("SetMicLevel", level); }
    bool SetMonitorLevel(int level) override { return Call("SetMonitorLevel", level); }
    bool SetMicMuted(bool muted) override { return Call("SetMicMuted", muted); }
    bool SetMonitorMuted(bool muted) override { return Call("SetMonitorMuted", muted); }
    bool EnableEqualiser() override { return Call("EnableEqualiser"); }
    bool SetBandGain(int band, int gain) override { return Call("SetBandGain", band, gain); }
    bool SetVoiceChanger(bool on) override { return Call("SetVoiceChanger", on); }
    bool SetVoiceType(int type) override { return Call("SetVoiceType", type); }

    std::vector<std::string> calls;
    std::set<std::string> refused;
    HeadsetSound reported;

private:
    template <class... Args>
    bool Call(const std::string& name, Args... args)
    {
        std::ostringstream call;
        call << name;
        ((call << ' ' << args), ...);
        calls.push_back(call.str());
        return !refused.contains(name);
    }
};

}  // namespace q31::test
