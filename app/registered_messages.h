#pragma once
// The registered window messages through which Q-31 talks to its other
// instances, its companion programs and the input hook.
#include "platform/win_types.h"

#include <array>

extern UINT g_msgInstance;        // "Q-31"
extern UINT g_msgUpdateProgress;  // progress from the updating program
extern UINT g_msgLightOwner;      // broadcast when lighting control is taken or given up
extern UINT g_msgLightRequest;    // another program asks to switch lighting control
extern UINT g_msgDeviceQuery;     // "ZovuDora" asks for the device table
extern UINT g_msgAudioRecorder;   // to the audio recorder window

inline constexpr std::array<const char*, 5> kGuidMessageNames = {
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}", "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}",
    "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}", "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}",
    "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}"};

// The input hook's and the game events' messages, registered at program load
// in this order ("UWM_MOUSERBUTTONDOWN_USER_MSG" twice: both users share it).
inline constexpr std::array<const char*, 24> kHookAndGameMessageNames = {
    "WM_HOOK_KEY_SINGLEKEY_MSG", "WM_HOOK_KEY_HITKEY_MSG", "WM_HOOK_KEY_KBMACRO_MSG",
    "WM_HOOK_KEY_MSMACRO_MSG", "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_KBMACROLATER_MSG", "WM_HOOK_MOU_SINGLEKEY_MSG", "WM_HOOK_MOU_HITKEY_MSG",
    "WM_HOOK_MOU_KBMACRO_MSG", "WM_HOOK_MOU_MSMACRO_MSG", "WM_HOOK_KEY_MSMACROSINGLE_MSG",
    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG", "UWM_MOUSERBUTTONDOWN_USER_MSG",
    "UWM_MOUSERBUTTONDOWN_USER_MSG", "UWM_MOUSELBUTTONUP_USER_MSG", "UWM_MOUSELBUTTONDOWN_USER_MSG",
    "UWM_MOUSERBUTTONUP_USER_MSG", "UWM_MOUSEMOVE_USER_MSG", "Game_Start", "Game_End", "Game_Kill",
    "Game_Death"};
// Their numbers, in the order of the names.
extern const std::array<UINT, 24> g_hookAndGameMessages;

// Registers "Q-31" into g_msgInstance.
void RegisterInstanceMessage();
// Registers the five GUID-named messages, in the order of their names.
void RegisterGuidMessages();
