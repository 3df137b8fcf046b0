#include "app/registered_messages.h"

#include "platform/registered_message.h"

UINT g_msgInstance = 0;
UINT g_msgUpdateProgress = 0;
UINT g_msgLightOwner = 0;
UINT g_msgLightRequest = 0;
UINT g_msgDeviceQuery = 0;
UINT g_msgAudioRecorder = 0;

const std::array<UINT, 24> g_hookAndGameMessages = [] {
    std::array<UINT, 24> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = RegisterWindowMessage(kHookAndGameMessageNames[i]);
    return numbers;
}();

void RegisterInstanceMessage()
{
    g_msgInstance = RegisterWindowMessage("Q-31");
}

void RegisterGuidMessages()
{
    UINT* const globals[] = {&g_msgUpdateProgress, &g_msgLightOwner, &g_msgLightRequest, &g_msgDeviceQuery,
                             &g_msgAudioRecorder};
    for (std::size_t i = 0; i < kGuidMessageNames.size(); ++i)
        *globals[i] = RegisterWindowMessage(kGuidMessageNames[i]);
}
