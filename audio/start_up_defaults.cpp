#include "audio/start_up_defaults.h"


namespace q31::audio {
namespace {

enum class Flow { Render, Capture };

struct DefaultStep {
    Flow flow;
    std::u16string property;
    PropertyParameter readParameter;
    PropertyValue value;
    PropertyParameter writeParameter;
};

const PropertyParameter kNone = std::nullopt;
// A buffer the library may fill; it is read with one and written without.
const PropertyParameter kParameterOut = std::vector<std::int32_t>{};

std::vector<DefaultStep> Steps()
{
    const PropertyParameter surround = std::vector<std::int32_t>{4, -1, 0};
    std::vector<DefaultStep> steps = {
        {Flow::Render, u"VirtualSurroundEffectControl", surround, 0, surround},
        {Flow::Capture, u"Enable_ENC_LFX", kParameterOut, 0, kNone},
        {Flow::Capture, u"VolumeControl", Channel(-1), 0.0f, Channel(-1)},
        {Flow::Render, u"Enable_EQ_GFX", kNone, 0, kNone},
    };
    for (int band = 1; band <= kBandCount; ++band)
        steps.push_back({Flow::Render, BandGainProperty(band), kNone, 0, kNone});
    const std::vector<DefaultStep> rest = {
        {Flow::Render, u"Enable_RFX_GFX", kNone, 0, kNone},
        {Flow::Render, u"RFX_ENVIRONMENT", kNone, 0, kNone},
        {Flow::Render, u"RFX_ROOMSIZE", kNone, 0, kNone},
        {Flow::Capture, u"MuteControl", kNone, 0, kNone},
        {Flow::Capture, u"VolumeScalarControl", Channel(-1), 0.0f, Channel(-1)},
        {Flow::Capture, u"AAVolumeControl", Channel(0), 0.0f, Channel(0)},
        {Flow::Capture, u"AAMuteControl", kNone, 0, kNone},
        {Flow::Capture, u"AAVolumeScalarControl", Channel(0), 0.0f, Channel(0)},
        {Flow::Capture, u"Enable_MAGICVOICE", kNone, 0, kNone},
        {Flow::Capture, u"MagicVoice_Selection", kNone, 0, kNone},
    };
    steps.insert(steps.end(), rest.begin(), rest.end());
    return steps;
}

}  // namespace

void WriteStartUpDefaults(const ChipProperties& properties, const ChipEndpoints& endpoints)
{
    for (const DefaultStep& step : Steps()) {
        const ChipEndpoint& endpoint = step.flow == Flow::Render ? endpoints.render : endpoints.capture;
        if (endpoint.chosen && !properties.Read(endpoint, step.property, step.readParameter))
            properties.Write(endpoint, step.property, step.value, step.writeParameter);
    }
}

}  // namespace q31::audio
