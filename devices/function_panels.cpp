#include "devices/function_panels.h"

#include "hid/hid_catalogue.h"

namespace q31::devices {

FunctionPanelChoice ChooseFunctionPanels(int functionType, int deviceType)
{
    switch (functionType) {
    case 2:
    case 6:
        return {0, 1};
    case 3:
    case 8:
        return {1, std::nullopt};
    case 4:
        // Only keyboards and mice on their cable have a system panel.
        if (deviceType == Keyboard || deviceType == Mouse)
            return {3, std::nullopt};
        return ChooseFunctionPanels(7, deviceType);
    case 7:
        return {0, 2};
    case 5:
        return {2, std::nullopt};
    default:
        return {0, 0};
    }
}

}  // namespace q31::devices
