// The keyboard's audio pictures (light mode 29): bars, ripples, rings and
// drops drawn from the band values the recorder delivers.
#include "devices/keyboard_effect_steps.h"

#include <algorithm>
#include <atomic>

namespace q31::devices {
namespace {

// Band values are as loud as the recorder says; the arithmetic is wide
// enough for any 32-bit value.
using Wide = std::int64_t;
using Bands = std::array<std::int32_t, kBandCount>;

constexpr Wide kHeight = 600;
constexpr Wide kFullScale = 2000;
constexpr Wide kClippedHeight = 500;
constexpr int kLitFloor = 10;
constexpr int kShownFloor = 9;
constexpr int kDropFloor = 5;
constexpr int kRippleTrigger = 71;
constexpr int kRippleLight = 51;
constexpr int kRippleWidth = 25;
constexpr int kRingColourStep = 9;
constexpr int kRingBars = 20;
constexpr int kMirrorBars = 12;
constexpr int kMirrorLeftBase = 8;
constexpr int kMirrorRightEnd = 21;
constexpr int kRippleColourStep = 9;
constexpr int kAudioKind = 29;
constexpr std::size_t kGroupCount = 6;
constexpr std::array<int, kGroupCount> kLongBarGroups = {2, 3, 3, 4, 5, 7};
constexpr std::array<int, kGroupCount> kShortBarGroups = {2, 2, 3, 4, 5, 5};
constexpr Wide kGroupDivisor = 3;

std::atomic<int> g_rippleAccumulator{0};

Wide Scaled(Wide v)
{
    return v * kHeight / kFullScale;
}

// Height of a band: loud values past the scale stand at 500.
Wide Height(Wide v)
{
    return Scaled(v) > kHeight ? kClippedHeight : kHeight - Scaled(v);
}

Wide HeightUnclipped(Wide v)
{
    return kHeight - Scaled(v);
}

// A row or column index from band arithmetic, kept on the board.
int Clamped(Wide value, int last)
{
    return int(std::clamp<Wide>(value, 0, last));
}

Wide AverageHeight(const Bands& bands)
{
    Wide sum = 0;
    for (const std::int32_t v : bands)
        sum += Height(v);
    return sum / kBandCount;
}

Bands TakeBands(KeyboardEffectState& state)
{
    const Bands bands = state.bands;
    state.bands.fill(0);
    return bands;
}

std::array<Wide, kGroupCount> GroupSums(const Bands& bands, const std::array<int, kGroupCount>& sizes)
{
    std::array<Wide, kGroupCount> sums{};
    int at = 0;
    for (std::size_t g = 0; g < kGroupCount; ++g) {
        for (int n = 0; n < sizes[g]; ++n)
            sums[g] += bands[at++];
        sums[g] /= kGroupDivisor;
    }
    return sums;
}

Rgb AudioColour(const AudioLightSettings& audio, int first)
{
    return {audio[first], audio[first + 1], audio[first + 2]};
}

class AudioPainter {
public:
    explicit AudioPainter(KeyboardEffectFrame& frame) : m_frame(frame), m_position(frame.state.phase) {}

    // The next bar's colour position.
    void NextBar(int increment) { m_position = (m_position + increment) % kSpectrumLength; }
    Rgb Foreground() const { return ForegroundAt(m_position); }
    Rgb ForegroundAt(int position) const
    {
        const AudioLightSettings& audio = m_frame.state.audio;
        return audio[kAudioSevenColour] ? SpectrumAt(position) : AudioColour(audio, kAudioForeground);
    }

    // A light that has faded below the floor shows the background.
    void Show(int light, Rgb foreground)
    {
        const std::uint8_t i = m_frame.state.intensity[light];
        if (i > kShownFloor)
            m_frame.Put(light, foreground, m_frame.Dimmed(i));
        else
            m_frame.PutFull(light, AudioColour(m_frame.state.audio, kAudioBackground));
    }

    // cells from the base to the tip; the first lit of them are lit, the rest
    // shrink from the tip.
    void Bar(const std::array<std::uint8_t, kGridColumns>& cells, int count, int lit)
    {
        const Rgb foreground = Foreground();
        lit = std::clamp(lit, 0, count);
        for (int n = 0; n < count; ++n) {
            const std::uint8_t light = cells[n];
            if (light == kNoLight)
                continue;
            if (n < lit) {
                m_frame.state.intensity[light] = 255;
            } else {
                const bool edge = n == count - 1;
                const std::uint8_t tip = edge ? kNoLight : cells[n + 1];
                if (edge || tip == kNoLight || m_frame.state.intensity[tip] < kLitFloor)
                    m_frame.Decay(light, kAudioKind);
            }
            Show(light, foreground);
        }
    }

    void ColumnBar(int column, int lit)
    {
        std::array<std::uint8_t, kGridColumns> cells{};
        for (int n = 0; n < kGridRows; ++n)
            cells[n] = GridLight(column, kGridRows - 1 - n);
        Bar(cells, kGridRows, lit);
    }

    // Columns from..to (inclusive, either way round) of a row, from the base.
    void RowBar(int row, int from, int to, int lit)
    {
        std::array<std::uint8_t, kGridColumns> cells{};
        const int step = from <= to ? 1 : -1;
        int count = 0;
        for (int c = from; c != to + step; c += step)
            cells[count++] = GridLight(c, row);
        Bar(cells, count, lit);
    }

private:
    KeyboardEffectFrame& m_frame;
    int m_position;
};

void AdvancePhase(KeyboardEffectFrame& frame)
{
    frame.state.phase = PhaseStep(frame.settings[kSettingDirection], kSpectrumLength, frame.state.phase);
}

void StepColumnBars(KeyboardEffectFrame& frame)
{
    const Bands bands = TakeBands(frame.state);
    AudioPainter painter(frame);
    for (int c = 0; c < kGridColumns; ++c) {
        painter.NextBar(10);
        const int top = Clamped((HeightUnclipped(bands[c]) + 100) * kGridRows / kHeight, kGridRows);
        painter.ColumnBar(c, kGridRows - top);
    }
}

void StepMirroredBars(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    state.secondPhase = PhaseStep(1, kBandCount, state.secondPhase);
    const Bands bands = TakeBands(state);
    AudioPainter painter(frame);
    for (int r = 0; r < kGridRows; ++r) {
        painter.NextBar(7);
        const Wide left = (Height(bands[(state.secondPhase + 3 * (r + 1)) % kBandCount]) + 100) * kMirrorBars / kHeight;
        painter.RowBar(r, kMirrorLeftBase, 0, kMirrorLeftBase + 1 - Clamped(left, kMirrorLeftBase + 1));
        const Wide right = (Height(bands[1 + 2 * r]) + 100) * kMirrorBars / kHeight;
        const int rightBars = kGridColumns - kMirrorLeftBase - 1;
        painter.RowBar(r, kMirrorLeftBase + 1, kGridColumns - 1,
                       kMirrorRightEnd - kMirrorLeftBase - Clamped(right, rightBars));
    }
}

void StepBeatRipples(KeyboardEffectFrame& frame)
{
    SeedWaveLights(frame);
    SpreadWaveDiagonal(frame.state);
    AudioPainter painter(frame);
    for (int light = 0; light < kEffectLights; ++light) {
        frame.Decay(light, kAudioKind);
        std::uint8_t& c = frame.state.colour[light];
        c = c + kRippleColourStep >= kSpectrumLength ? 0 : std::uint8_t(c + kRippleColourStep);
        painter.Show(light, painter.ForegroundAt(c));
    }
}

void StepPulsingRings(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    const int pulse = Clamped(AverageHeight(TakeBands(state)) * kRingBars / kHeight, kRingBars);
    state.phase = PhaseStepBy(frame.settings[kSettingDirection], kSpectrumLength, pulse, state.phase);
    const KeyboardEffectTables& tables = KeyboardTables();
    for (int k = 0; k < kRingCount; ++k) {
        const bool lit = k < kRingBars - pulse;
        const Rgb colour = kSpectrum[(state.phase + kRingColourStep * (k + 1)) % kSpectrumLength];
        for (const std::uint8_t light : tables.rings[k]) {
            if (light >= kNoLight || std::size_t(light) >= frame.records.Size())
                continue;
            if (lit) {
                state.intensity[light] = 255;
                frame.Put(light, colour, frame.Dimmed(255));
            } else {
                frame.Decay(light, 0);
                const LightColour kept = UnpackLightRecord(frame.records.Load(light));
                frame.Put(light, {kept.r, kept.g, kept.b}, frame.Dimmed(state.intensity[light]));
            }
        }
    }
}

void StepDrops(KeyboardEffectFrame& frame)
{
    KeyboardEffectState& state = frame.state;
    const Bands bands = TakeBands(state);
    AudioPainter painter(frame);
    for (int c = 0; c < kGridColumns; ++c) {
        const int band = (state.secondPhase + c + 1) % kBandCount;
        const int row = Clamped((HeightUnclipped(bands[band]) + 100) * kGridRows / kHeight, kGridRows - 1);
        if (state.columnFlags[c] == 0) {
            for (int r = row; r < kGridRows; ++r) {
                if (const std::uint8_t light = GridLight(c, r); light != kNoLight) {
                    state.intensity[light] = 255;
                    break;
                }
            }
            state.columnFlags[c] = 1;
        }
        // Bottom up, so each row looks at the light above as it was.
        for (int r = kGridRows - 1; r >= 0; --r) {
            const std::uint8_t light = GridLight(c, r);
            if (light == kNoLight)
                continue;
            const std::uint8_t above = GridLight(c, r - 1);
            if (r == 0 || above == kNoLight || state.intensity[above] < kDropFloor)
                frame.Decay(light, kAudioKind);
            painter.Show(light, painter.ForegroundAt(state.colour[light]));
        }
        const std::uint8_t bottom = GridLight(c, kGridRows - 1);
        if (bottom == kNoLight || state.intensity[bottom] < kLitFloor)
            state.columnFlags[c] = 0;
    }
}

void StepLongRowBars(KeyboardEffectFrame& frame)
{
    const auto sums = GroupSums(TakeBands(frame.state), kLongBarGroups);
    AudioPainter painter(frame);
    for (int r = 0; r < kGridRows; ++r) {
        painter.NextBar(3);
        const Wide last = kGridColumns - (Height(sums[kGroupCount - 1 - r]) * kGridColumns + 2300) / kHeight;
        painter.RowBar(r, 0, kGridColumns - 1, Clamped(last + 1, kGridColumns));
    }
}

void StepAlternatingBars(KeyboardEffectFrame& frame)
{
    const auto sums = GroupSums(TakeBands(frame.state), kShortBarGroups);
    AudioPainter painter(frame);
    for (int r = 0; r < kGridRows; ++r) {
        painter.NextBar(2);
        const Wide start = Height(sums[r]) * kGridColumns / kHeight;
        if (r % 2 == 0)
            painter.RowBar(r, kGridColumns - 1, 0, kGridColumns - Clamped(start, kGridColumns));
        else  // columns 0 ... 23 - start, but never past the last column
            painter.RowBar(r, 0, kGridColumns - 1, Clamped(kGridColumns + 1 - start, kGridColumns));
    }
}

}  // namespace

void StepAudio(KeyboardEffectFrame& frame)
{
    const int mode = frame.state.audio[kAudioMode];
    if (mode != 2 && mode != 3)
        AdvancePhase(frame);
    switch (mode) {
    case 0:
        StepColumnBars(frame);
        break;
    case 1:
        StepMirroredBars(frame);
        break;
    case 2:
        StepBeatRipples(frame);
        break;
    case 3:
        StepPulsingRings(frame);
        break;
    case 4:
        StepDrops(frame);
        break;
    case 5:
        StepLongRowBars(frame);
        break;
    case 6:
        StepAlternatingBars(frame);
        break;
    default:
        break;
    }
}

int StoreAudioBands(KeyboardEffectState& state, const int* values, int count, bool rippleMode)
{
    const int kept = values ? std::clamp(count, 0, kBandCount) : 0;
    state.bands.fill(0);
    std::copy_n(values ? values : state.bands.data(), kept, state.bands.begin());
    if (!rippleMode)
        return kept;
    const Wide beat = kRippleWidth - AverageHeight(state.bands) * kRippleWidth / kHeight;
    const Wide total = g_rippleAccumulator.load() + beat;
    if (total >= kRippleTrigger) {
        g_rippleAccumulator = 0;
        StartRipple(state, kRippleLight, 1);
    } else {
        g_rippleAccumulator = int(std::max<Wide>(total, 0));
    }
    state.bands.fill(0);
    return kept;
}

int RippleAccumulator()
{
    return g_rippleAccumulator.load();
}

void SetRippleAccumulator(int value)
{
    g_rippleAccumulator = value;
}

}  // namespace q31::devices
