#pragma once
// Which pages of the device page's two function tab layouts show a function tab
// (1 lighting, 2 keys, 3 macros, 4 system, 5 cursor, 6 headset voice, 7 voice
// changer, 8 virtual 7.1).
#include <optional>

namespace q31::devices {

struct FunctionPanelChoice {
    int functionPanel = 0;                // page of "device_function_switch"
    std::optional<int> keyFunctionPanel;  // page of "device_key_function_switch"; none: left as it is
    bool operator==(const FunctionPanelChoice&) const = default;
};

// deviceType: the DeviceType the device is bound to.
FunctionPanelChoice ChooseFunctionPanels(int functionType, int deviceType);

}  // namespace q31::devices
