#include "devices/keyboard_effect_steps.h"

namespace q31::devices {
namespace {

enum Plane { kUpLeft = 0, kUpRight = 1, kDownRight = 2, kDownLeft = 3 };

std::uint8_t At(const WavePlane& plane, int column)
{
    return column >= 0 && column < kGridColumns ? plane[column] : 0;
}

}  // namespace

void SeedWaveLights(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    for (int c = 0; c < kGridColumns; ++c) {
        const int rows = state.waves[0][c] | state.waves[1][c] | state.waves[2][c] | state.waves[3][c];
        for (int r = 0; r < kGridRows; ++r) {
            const std::uint8_t light = GridLight(c, r);
            if (!(rows & (1 << r)) || light == kNoLight)
                continue;
            state.intensity[light] = 255;
            if (frame.Multi())
                state.colour[light] = std::uint8_t(frame.RandomColour());
        }
    }
}

void SpreadWaveDiagonal(KeyboardEffectState& state)
{
    const auto old = state.waves;
    for (int c = 0; c < kGridColumns; ++c) {
        state.waves[kUpLeft][c] = std::uint8_t(old[kUpLeft][c] >> 1 | At(old[kUpLeft], c + 1));
        state.waves[kDownLeft][c] = std::uint8_t(old[kDownLeft][c] << 1 | At(old[kDownLeft], c + 1));
        state.waves[kUpRight][c] = std::uint8_t(old[kUpRight][c] >> 1 | At(old[kUpRight], c - 1));
        state.waves[kDownRight][c] = std::uint8_t(old[kDownRight][c] << 1 | At(old[kDownRight], c - 1));
    }
}

void SpreadWaveHorizontal(KeyboardEffectState& state)
{
    const auto old = state.waves;
    state.waves[kUpLeft].fill(0);
    state.waves[kDownRight].fill(0);
    for (int c = 0; c < kGridColumns; ++c) {
        state.waves[kDownLeft][c] = At(old[kDownLeft], c + 1);
        state.waves[kUpRight][c] = At(old[kUpRight], c - 1);
    }
}

void StartRipple(KeyboardEffectState& state, int light, int kind)
{
    if (kind != 1 || light < 0 || light >= kEffectLights)
        return;
    const std::optional<GridCell> cell = KeyboardTables().cellOf[light];
    if (!cell)
        return;
    for (WavePlane& plane : state.waves)
        plane[cell->column] |= std::uint8_t(1 << cell->row);
}

}  // namespace q31::devices
