#include "app/audio_feed.h"

#include <QtEndian>

#include <algorithm>

namespace q31::app {
namespace {

constexpr int kLevelValues = 6;
constexpr int kBandValues = 25;

std::vector<int> ValuesOf(const QByteArray& data, int most)
{
    const int count = std::min<int>(int(data.size() / 4), most);
    std::vector<int> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = qFromLittleEndian<qint32>(data.constData() + 4 * i);
    return values;
}

}  // namespace

std::optional<AudioFeed> AudioFeedOf(const bus::BusDelivery& delivery)
{
    if (!delivery.isCopyData)
        return std::nullopt;
    if (delivery.dwData == kAudioLevelsRecord) {
        std::vector<int> levels = ValuesOf(delivery.data, kLevelValues);
        levels.resize(kLevelValues, 0);
        return AudioFeed{false, std::move(levels)};
    }
    if (delivery.dwData == kAudioBandsTestRecord)
        return AudioFeed{true, ValuesOf(delivery.data, kBandValues)};
    return std::nullopt;
}

}  // namespace q31::app
