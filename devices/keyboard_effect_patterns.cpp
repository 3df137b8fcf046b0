// The keyboard's colour pictures that run by themselves: waves over columns,
// rows and the light order, rings, one colour, the sweep.
#include "devices/keyboard_effect_steps.h"

namespace q31::devices {
namespace {

constexpr int kColumnColourStep = 7;
constexpr int kRowColourStep = 24;
constexpr int kRowWaveStep = 11;
constexpr int kSnakeStep = 5;
constexpr int kStaticRingStart = 138;
constexpr int kStaticRingStep = 12;
constexpr int kSweepFade = 5;
constexpr int kSweepColourStep = 3;
constexpr std::uint8_t kSweepColourEnd = 255;

void StepPhase(KeyboardEffectFrame& frame, int limit)
{
    frame.state.phase = PhaseStep(frame.settings[kSettingDirection], limit, frame.state.phase);
}

template <class Each>
void ForGridColumn(int column, Each each)
{
    for (int r = 0; r < kGridRows; ++r) {
        if (const std::uint8_t light = GridLight(column, r); light != kNoLight)
            each(light);
    }
}

template <class Each>
void ForGridRow(int row, Each each)
{
    for (int c = 0; c < kGridColumns; ++c) {
        if (const std::uint8_t light = GridLight(c, row); light != kNoLight)
            each(light);
    }
}

template <class Each>
void ForRing(int ring, Each each)
{
    for (const std::uint8_t light : KeyboardTables().rings[ring]) {
        if (light < kNoLight)
            each(light);
    }
}

// Modes 1 and 12: a wave over the columns or the rows, with its own step per line.
template <class ForLine>
void StepLineWave(KeyboardEffectFrame& frame, int lines, int colourStep, int waveStep, ForLine forLine)
{
    if (frame.Multi()) {
        StepPhase(frame, kSpectrumLength);
        const int start = (frame.state.phase + 1) % kSpectrumLength;
        for (int line = 0; line < lines; ++line)
            forLine(line, [&](int light) { frame.PutFull(light, kSpectrum[(start + colourStep * line) % kSpectrumLength]); });
        return;
    }
    StepPhase(frame, kWaveLength);
    const int start = (frame.state.phase + 1) % kWaveLength;
    for (int line = 0; line < lines; ++line) {
        const std::uint8_t a = frame.Dimmed(kWave[(start + waveStep * line) % kWaveLength]);
        forLine(line, [&](int light) { frame.Put(light, SetColour(frame.settings), a); });
    }
}

void StepSlowColumnWave(KeyboardEffectFrame& frame)
{
    if (frame.Multi()) {
        StepPhase(frame, kSpectrumLength);
        for (int c = 0; c < kGridColumns; ++c)
            ForGridColumn(c, [&](int light) { frame.PutFull(light, kSpectrum[(frame.state.phase + 2 * c) % kSpectrumLength]); });
        return;
    }
    StepPhase(frame, kWaveLength);
    for (int c = 0; c < kGridColumns; ++c) {
        const std::uint8_t a = frame.Dimmed(kTwinkleCurve[(frame.state.phase + c) % kWaveLength]);
        ForGridColumn(c, [&](int light) { frame.Put(light, SetColour(frame.settings), a); });
    }
}

void StepSnakeRainbow(KeyboardEffectFrame& frame)
{
    const std::vector<std::uint8_t>& walk = KeyboardTables().orderWalk;
    const bool multi = frame.Multi();
    StepPhase(frame, multi ? kSpectrumLength : kWaveLength);
    for (std::size_t n = 0; n < walk.size(); ++n) {
        const int at = frame.state.phase + kSnakeStep * int(n);
        if (multi)
            frame.PutFull(walk[n], kSpectrum[at % kSpectrumLength]);
        else
            frame.Put(walk[n], SetColour(frame.settings), frame.Dimmed(kWave[at % kWaveLength]));
    }
}

void StepBreathing(KeyboardEffectFrame& frame)
{
    frame.state.phase = std::uint8_t((frame.state.phase + 1) % kBreathingCurveLength);
    const std::uint8_t a = std::uint8_t(kBreathingCurve[frame.state.phase] * frame.Level() / 256);
    for (int c = 0; c < kGridColumns; ++c) {
        const Rgb colour = frame.Multi() ? kSpectrum[kColumnColourStep * c % kSpectrumLength] : SetColour(frame.settings);
        ForGridColumn(c, [&](int light) { frame.Put(light, colour, a); });
    }
}

void StepStaticRings(KeyboardEffectFrame& frame)
{
    if (!frame.Multi()) {
        for (int light = 0; light < kEffectLights; ++light)
            frame.PutFull(light, SetColour(frame.settings));
        return;
    }
    for (int k = 0; k < kRingCount; ++k)
        ForRing(k, [&](int light) { frame.PutFull(light, kSpectrum[kStaticRingStart - kStaticRingStep * k]); });
}

void StepColourCycle(KeyboardEffectFrame& frame)
{
    for (int light = 0; light < kEffectLights; ++light) {
        std::uint8_t& c = frame.state.colour[light];
        c = c + 1 >= kSpectrumLength ? 0 : std::uint8_t(c + 1);
        frame.PutFull(light, SpectrumAt(c));
    }
}

int OneColourIndex(std::uint8_t secondary)
{
    switch (secondary) {
    case 1:
        return 25;
    case 2:
        return 70;
    case 3:
        return 95;
    default:
        return 174;
    }
}

void StepOneColour(KeyboardEffectFrame& frame)
{
    const Rgb colour = kSpectrum[OneColourIndex(frame.settings[kSettingSecondary])];
    for (int light = 0; light < kEffectLights; ++light)
        frame.PutFull(light, colour);
}

void StepRotatingRings(KeyboardEffectFrame& frame)
{
    StepPhase(frame, kSpectrumLength);
    for (int k = 0; k < kRingCount; ++k) {
        const Rgb colour = kSpectrum[(frame.state.phase + kColumnColourStep * (k + 1)) % kSpectrumLength];
        ForRing(k, [&](int light) { frame.PutFull(light, colour); });
    }
}

// The colours are the custom group's, put in the records when the mode started.
void StepCustomColours(KeyboardEffectFrame& frame)
{
    for (int light = 0; light < kEffectLights && std::size_t(light) < frame.records.Size(); ++light) {
        LightColour record = UnpackLightRecord(frame.records.Load(std::size_t(light)));
        frame.Put(light, {record.r, record.g, record.b}, frame.Level());
    }
}

void StepSweep(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    state.phase = PhaseStep(frame.settings[kSettingDirection], kSweepFrames, state.phase);
    for (const std::uint8_t light : KeyboardTables().sweep[state.phase % kSweepFrames]) {
        if (light < kNoLight) {
            state.intensity[light] = 255;
            state.colour[light] = 0;
        }
    }
    for (int light = 0; light < kEffectLights; ++light) {
        std::uint8_t& i = state.intensity[light];
        std::uint8_t& c = state.colour[light];
        i = i > kSweepFade ? std::uint8_t(i - kSweepFade) : 0;
        if (c != kSweepColourEnd)
            c = std::uint8_t(std::min(c + kSweepColourStep, int(kSweepColourEnd)));
        if (frame.Multi())
            frame.PutFull(light, SpectrumAt(c));
        else
            frame.Put(light, SetColour(frame.settings), frame.Dimmed(i));
    }
}

}  // namespace

bool StepPatternMode(int mode, KeyboardEffectFrame& frame)
{
    switch (mode) {
    case 1:
        StepLineWave(frame, kGridColumns, kColumnColourStep, kColumnColourStep,
                     [](int c, auto each) { ForGridColumn(c, each); });
        return true;
    case 2:
        StepSlowColumnWave(frame);
        return true;
    case 3:
        StepSnakeRainbow(frame);
        return true;
    case 5:
        StepBreathing(frame);
        return true;
    case 6:
        StepStaticRings(frame);
        return true;
    case 11:
        StepColourCycle(frame);
        return true;
    case 12:
        StepLineWave(frame, kGridRows, kRowColourStep, kRowWaveStep, [](int r, auto each) { ForGridRow(r, each); });
        return true;
    case 17:
        StepOneColour(frame);
        return true;
    case 18:
        StepRotatingRings(frame);
        return true;
    case 19:
        StepCustomColours(frame);
        return true;
    case 24:
        StepSweep(frame);
        return true;
    default:
        return false;
    }
}

}  // namespace q31::devices
