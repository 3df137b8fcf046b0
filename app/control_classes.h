#pragma once
// Makes every control class that skins may name known to the control factory.
namespace q31::app {

void RegisterControlClasses();

}  // namespace q31::app
