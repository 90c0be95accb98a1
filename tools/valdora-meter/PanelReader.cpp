#include "tools/valdora-meter/PanelReader.h"

#include "editor/EditorGeometry.h"
#include "meters/HoldMode.h"
#include "meters/MeanSquare.h"

#include <algorithm>
#include <cmath>

namespace valdorameter {

namespace {

constexpr int kVu = 0;
constexpr int kRms = 1;
constexpr double kVuLow = editor::kVuReadingLow;
constexpr double kVuHigh = editor::kVuReadingHigh;
constexpr double kLow = editor::kLevelReadingLow;
constexpr double kHigh = editor::kLevelReadingHigh;
constexpr float kViewRest = editor::kLevelReadingRest;

// A reading that is not a number leaves the view's previous one.
void limitInto(float& shown, double reading, double low, double high)
{
    if (!std::isnan(reading))
        shown = static_cast<float>(std::clamp(reading, low, high));
}

}  // namespace

PanelReader::PanelReader(int meter) : meter_(meter)
{
    const float rest = meter_ == kVu ? static_cast<float>(kVuLow) : kViewRest;
    for (ChannelReading& channel : shown_.channels)
        channel = {rest, rest, kViewRest, -1, 0.0};
}

const PanelReading& PanelReader::read(Templete& effect, double fraction)
{
    if (MeterEngine* const engine = effect.meterEngine(meter_))
        readEngine(*engine, fraction);
    return shown_;
}

// Meters without a mean square read 0 for it.
void PanelReader::readEngine(MeterEngine& engine, double fraction)
{
    for (int channel = 0; channel < 2; ++channel) {
        const double value = engine.readValue(fraction, MeterReading::Level, channel);
        double hold = engine.readValue(fraction, MeterReading::Hold, channel);
        if (engine.holdMode() == HoldMode::kInfinite)
            hold = engine.applyInfiniteHold(channel, hold);
        const double rms = MeanSquare::rms(engine.readValue(fraction, MeterReading::MeanSquare, channel));
        ChannelReading& shown = shown_.channels[static_cast<size_t>(channel)];
        shown.over = static_cast<int>(engine.readOverState(channel));
        applyLimits(shown, value, hold, rms);
    }
}

void PanelReader::applyLimits(ChannelReading& shown, double value, double hold, double rms) const
{
    if (meter_ == kVu) {
        limitInto(shown.value, value, kVuLow, kVuHigh);
        limitInto(shown.hold, hold, kVuLow, kVuHigh);
        shown.angleDeg = editor::vuAngleDegrees(shown.value);
        return;
    }
    limitInto(shown.value, value, kLow, kHigh);
    limitInto(shown.hold, hold, kLow, kHigh);
    if (meter_ == kRms) {
        limitInto(shown.rms, rms, kLow, kHigh);
        shown.angleDeg = editor::rmsAngleDegrees(shown.value);
    } else {
        shown.angleDeg = editor::ppmAngleDegrees(shown.value);
    }
}

}  // namespace valdorameter
