#include "tests/profiles/fuzz/fuzz_profile_readers.h"

#include "profiles/headset_profile_data.h"
#include "profiles/keyboard_profile_data.h"
#include "profiles/mouse_profile_data.h"

namespace q31::fuzz {
namespace {

template <typename Data>
Data Load(const QString& path)
{
    Data data;
    data.SetDocumentPath(path);
    data.LoadDeviceSection(path);
    return data;
}

void ReadBasic(CBasicProfiledata& data)
{
    data.WriteLightInfo(data.ReadLightInfo());
    data.WriteAudioLightInfo(data.ReadAudioLightInfo());
    data.ReadLightList();
    data.WriteKeyAssignments(data.ReadKeyList());
}

}  // namespace

void ReadThroughEveryProfileClass(const QString& path, int number)
{
    auto keyboard = Load<CKeyboardProfiledata>(path);
    ReadBasic(keyboard);
    keyboard.WriteKeyboardSystem(keyboard.ReadKeyboardSystem());
    const int group = keyboard.ReadCustomLightGroup();
    keyboard.WriteCustomLightColors(group, keyboard.ReadCustomLightColors(group, number));

    auto mouse = Load<CMouseProfiledata>(path);
    std::vector<DpiStage> stages(5);
    int current = 0;
    mouse.ReadDpiStages(stages, current);
    mouse.WriteDpiStages(stages);
    mouse.WriteMouseSystem(mouse.ReadMouseSystem());
    mouse.ReadCorrections();

    auto headset = Load<CHs6533Profiledata>(path);
    const HeadsetSystemValues system = headset.ReadHeadsetSystem();
    headset.WriteEqValues(system[2], headset.ReadEqValues(system[2]));
    headset.WriteCustomEqValues(system[3], headset.ReadCustomEqValues(system[3]));
    headset.WriteCustomEqNames(headset.ReadCustomEqNames());
    headset.Save();
}

}  // namespace q31::fuzz
