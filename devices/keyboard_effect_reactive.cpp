// The keyboard's modes that light single keys and let them fade: fades after
// key presses, ripples, twinkles, the intro, the random breathing and the fill.
#include "devices/keyboard_effect_steps.h"

namespace q31::devices {
namespace {

constexpr int kFadeInStep = 15;
constexpr int kFadeOutStep = 5;
constexpr int kTwinklesPerStep = 6;
constexpr int kBounceColumn = 9;
constexpr int kEdgeStartColumn = 1;
constexpr int kEdgeTurnColumn = 16;
constexpr std::uint8_t kTopBit = 1 << 0;
constexpr std::uint8_t kBelowBit = 1 << 6;
constexpr int kFastBreathStep = 2;
constexpr int kFillLevel = 254;
constexpr int kRippleColourStep = 7;
constexpr int kColumnGroupColour = 7;
// Intro: the light whose fading ends the pairs, where its ripple starts and the light it must reach.
constexpr int kIntroPairsEnd = 30;
constexpr int kIntroPairsLight = 72;
constexpr int kIntroRippleLight = 50;
constexpr int kIntroRippleEnd = 124;
constexpr int kSlowBreathStart = 192;
constexpr int kSlowBreathColumnStep = 8;
constexpr int kSlowBreathRowStep = 35;
constexpr int kSlowBreathWrap = 158;

std::uint8_t PlanesAt(const KeyboardEffectState& state, int column)
{
    return std::uint8_t(state.waves[0][column] | state.waves[1][column] | state.waves[2][column] |
                        state.waves[3][column]);
}

void SetInAllPlanes(KeyboardEffectState& state, int column, std::uint8_t bit)
{
    for (WavePlane& plane : state.waves)
        plane[column] |= bit;
}

// A front that ran off the top or the bottom at this column starts again there.
void KeepFrontAt(KeyboardEffectState& state, int column, std::uint8_t bit)
{
    if (PlanesAt(state, column) == bit)
        SetInAllPlanes(state, column, bit);
}

void DecayAndRender(KeyboardEffectFrame& frame, int kind)
{
    for (int light = 0; light < kEffectLights; ++light) {
        frame.Decay(light, kind);
        frame.Render(light);
    }
}

void DecayAndRenderOrder(KeyboardEffectFrame& frame, const std::vector<std::uint8_t>& lights, int kind)
{
    for (const std::uint8_t light : lights) {
        frame.Decay(light, kind);
        frame.Render(light);
    }
}

void LightUp(KeyboardEffectFrame& frame, std::uint8_t light)
{
    if (light >= kNoLight)
        return;
    frame.state.intensity[light] = 255;
    if (frame.Multi())
        frame.state.colour[light] = std::uint8_t(frame.RandomColour());
}

void StepFade(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    for (int light = 0; light < kEffectLights; ++light) {
        std::uint8_t& i = state.intensity[light];
        if (state.fade[light] == kFadeIn)
            i = std::uint8_t(std::min(i + kFadeInStep, 255));
        else if (state.fade[light] == kFadeOut)
            i = std::uint8_t(std::max(i - kFadeOutStep, 0));
        frame.Render(light);
    }
}

void StepRipple(KeyboardEffectFrame& frame)
{
    SeedWaveLights(frame);
    SpreadWaveDiagonal(frame.state);
    for (int light = 0; light < kEffectLights; ++light) {
        frame.Decay(light, 8);
        std::uint8_t& c = frame.state.colour[light];
        c = c + kRippleColourStep >= kSpectrumLength ? 0 : std::uint8_t(c + kRippleColourStep);
        frame.Render(light);
    }
}

void StepTwinkle(KeyboardEffectFrame& frame)
{
    const auto& candidates = KeyboardTables().twinkle;
    for (int n = 0; n < kTwinklesPerStep; ++n) {
        const std::uint8_t light = candidates[frame.random.Below(kTwinkleCandidates)];
        if (light >= kNoLight)
            continue;
        frame.state.intensity[light] = 255;
        frame.state.colour[light] = std::uint8_t(frame.RandomColour());
    }
    DecayAndRender(frame, 10);
}

void StepBouncingWave(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    KeepFrontAt(state, kBounceColumn, kTopBit);
    KeepFrontAt(state, kBounceColumn, kBelowBit);
    if (state.waveCounter > 1) {
        state.waveCounter = 0;
        SeedWaveLights(frame);
        SpreadWaveDiagonal(state);
    }
    ++state.waveCounter;
    DecayAndRender(frame, 13);
}

enum IntroStage { kIntroColumns, kIntroPairsStage, kIntroRipple, kIntroSpread, kIntroFadeOut };

void StepIntro(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    const KeyboardEffectTables& tables = KeyboardTables();
    switch (state.waveCounter) {
    case kIntroColumns:
        for (const std::uint8_t light : tables.introFrames[state.phase % kIntroFrames])
            LightUp(frame, light);
        if (++state.phase >= kIntroFrames) {
            state.waveCounter = kIntroPairsStage;
            state.phase = 0;
        }
        break;
    case kIntroPairsStage:
        if (state.phase <= kIntroPairsEnd) {
            for (const std::uint8_t light : tables.introPairs[state.phase % kIntroPairs])
                LightUp(frame, light);
            ++state.phase;
        } else if (state.intensity[kIntroPairsLight] == 0) {
            state.waveCounter = kIntroRipple;
            state.phase = 0;
        }
        break;
    case kIntroRipple:
        StartRipple(state, kIntroRippleLight, 1);
        state.waveCounter = kIntroSpread;
        break;
    case kIntroSpread:
        SeedWaveLights(frame);
        SpreadWaveDiagonal(state);
        if (state.intensity[kIntroRippleEnd] != 0)
            state.waveCounter = kIntroFadeOut;
        break;
    default:
        if (state.intensity[kIntroRippleEnd] == 0) {
            state.waveCounter = kIntroColumns;
            state.phase = 0;
        }
        break;
    }
    DecayAndRender(frame, 14);
}

// Modes 15 and 22: each light of the light order breathes on its own phase
// and takes a new random colour when its breath ends.
void StepRandomBreathing(KeyboardEffectFrame& frame, LightBytes& phases, int step)
{
    for (const std::uint8_t light : KeyboardTables().orderLights) {
        std::uint8_t& p = phases[light];
        if (p + step >= kTwinkleCurveLength) {
            p = 0;
            frame.state.colour[light] = std::uint8_t(frame.RandomColour());
        } else {
            p = std::uint8_t(p + step);
        }
        frame.Put(light, frame.LightColour(light), frame.Dimmed(kTwinkleCurve[p]));
    }
}

void StepEdgeWaves(KeyboardEffectFrame& frame)
{
    KeepFrontAt(frame.state, kEdgeStartColumn, kTopBit);
    KeepFrontAt(frame.state, kEdgeTurnColumn, kBelowBit);
    SeedWaveLights(frame);
    SpreadWaveDiagonal(frame.state);
    DecayAndRenderOrder(frame, KeyboardTables().orderWalk, 16);
}

void FillLight(KeyboardEffectState& state, int place)
{
    const std::uint8_t light = KeyboardTables().snake[place];
    if (light < kNoLight)
        state.intensity[light] = kFillLevel;
}

void StepFill(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    constexpr int kLastPlace = kSnakeLength - 1;
    if (frame.settings[kSettingDirection] != 0) {
        if (state.phase >= kLastPlace) {
            state.phase = 0;
        } else {
            FillLight(state, state.phase);
            ++state.phase;
        }
    } else if (state.phase > 0) {
        FillLight(state, std::min<int>(state.phase, kLastPlace));
        --state.phase;
    } else {
        state.phase = kLastPlace;
    }
    DecayAndRenderOrder(frame, KeyboardTables().orderLights, 21);
}

void StartFastBreathing(KeyboardEffectState& state)
{
    const KeyboardEffectTables& tables = KeyboardTables();
    for (int c = 0; c < kGridColumns; ++c) {
        for (int r = 0; r < kGridRows; ++r) {
            const std::uint8_t light = tables.columnGroups[c][r];
            if (light >= kNoLight)
                continue;
            state.intensity[light] = tables.startIntensities[c * kGridRows + r];
            state.colour[light] = std::uint8_t(kColumnGroupColour * c);
        }
    }
}

void StartSlowBreathing(KeyboardEffectState& state)
{
    const KeyboardEffectTables& tables = KeyboardTables();
    for (int c = 0; c < kGridColumns; ++c) {
        int a = kSlowBreathStart - kSlowBreathColumnStep * c;
        for (int r = 0; r < kGroupRows; ++r) {
            a = a < kSlowBreathRowStep ? a + kSlowBreathWrap : a - kSlowBreathRowStep;
            const std::uint8_t light = tables.columnGroups[c][r];
            if (light >= kNoLight)
                continue;
            state.startPhase[light] = std::uint8_t(a);
            state.colour[light] = std::uint8_t(kColumnGroupColour * c);
        }
    }
}

}  // namespace

bool StepReactiveMode(int mode, KeyboardEffectFrame& frame)
{
    switch (mode) {
    case 7:
    case 25:
        StepFade(frame);
        return true;
    case 8:
        StepRipple(frame);
        return true;
    case 9:
        SeedWaveLights(frame);
        SpreadWaveHorizontal(frame.state);
        DecayAndRender(frame, 9);
        return true;
    case 10:
        StepTwinkle(frame);
        return true;
    case 13:
        StepBouncingWave(frame);
        return true;
    case 14:
        StepIntro(frame);
        return true;
    case 15:
        StepRandomBreathing(frame, frame.state.intensity, kFastBreathStep);
        return true;
    case 16:
        StepEdgeWaves(frame);
        return true;
    case 21:
        StepFill(frame);
        return true;
    case 22:
        StepRandomBreathing(frame, frame.state.startPhase, 1);
        return true;
    default:
        return false;
    }
}

bool StartReactiveMode(int mode, KeyboardEffectState& state)
{
    switch (mode) {
    case 13:
        SetInAllPlanes(state, kBounceColumn, kBelowBit);
        return true;
    case 15:
        StartFastBreathing(state);
        return true;
    case 16:
        SetInAllPlanes(state, kEdgeStartColumn, kTopBit);
        return true;
    case 22:
        StartSlowBreathing(state);
        return true;
    default:
        return false;
    }
}

}  // namespace q31::devices
