#include "devices/keyboard_effect_state.h"

#include "devices/key_lights.h"

#include <algorithm>

namespace q31::devices {

Rgb SpectrumAt(int index)
{
    return kSpectrum[std::clamp(index, 0, kSpectrumLength - 1)];
}

std::uint8_t PhaseStepBy(int direction, int limit, int step, std::uint8_t phase)
{
    if (direction != 0)
        return phase + step >= limit ? 0 : std::uint8_t(phase + step);
    const int back = phase - step;
    return back >= 0 && back < limit ? std::uint8_t(back) : std::uint8_t(std::max(limit - step, 0));
}

void KeyboardEffectFrame::Put(int light, Rgb colour, std::uint8_t a)
{
    if (light >= 0 && std::size_t(light) < records.Size())
        records.Store(std::size_t(light), PackLightRecord({colour.r, colour.g, colour.b, a}));
}

Rgb KeyboardEffectFrame::LightColour(int light) const
{
    return Multi() ? SpectrumAt(state.colour[light]) : SetColour(settings);
}

void KeyboardEffectFrame::Render(int light)
{
    Put(light, LightColour(light), Dimmed(state.intensity[light]));
}

void KeyboardEffectFrame::RenderAll()
{
    for (int light = 0; light < kEffectLights; ++light)
        Render(light);
}

void KeyboardEffectFrame::Decay(int light, int kind)
{
    state.intensity[light] = DecayedIntensity(state.intensity[light], kind);
}

}  // namespace q31::devices
