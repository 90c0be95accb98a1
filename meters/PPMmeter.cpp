#include "meters/PPMmeter.h"

#include "meters/BlockDispatch.h"
#include "meters/StereoBlock.h"
#include "meters/TimeGrid.h"

#include <algorithm>
#include <cmath>

void PPMmeter::Channel::rest()
{
    peak.level = 0.0;
    peak.hold = 0.0;
    takeSnapshot();
}

void PPMmeter::Channel::takeSnapshot()
{
    levelSnapshot.store(peak.level, std::memory_order_relaxed);
    holdSnapshot.store(peak.hold, std::memory_order_relaxed);
    publish();
}

void PPMmeter::Channel::publish()
{
    shownLevel.store(peak.level, std::memory_order_relaxed);
    shownHold.store(peak.hold, std::memory_order_relaxed);
}

PPMmeter::PPMmeter(AudioEffect* effect) : MeterEngine(MeterKind::Ppm, effect)
{
    frame_.midSide.setMidScale(0.5f);
    frame_.sources.applyAtConstruction(*this);
    resetReadings();
    prepare();
}

void PPMmeter::setSetting(int id, float value)
{
    if (!param::isPpmSetting(id))
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    switch (id) {
    case param::kPpmReference:
        reference_ = conversions::continuousReference(value);
        updateOverThreshold();
        break;
    case param::kPpmIntegration:
        integrationMs_ = timegrid::gridAMs(timegrid::position(value));
        break;
    case param::kPpmHoldTime:
        holdMs_ = timegrid::gridBMs(timegrid::position(value));
        break;
    case param::kPpmReturnTime:
        returnMs_ = timegrid::gridBMs(timegrid::position(value));
        break;
    case param::kPpmMidAttenuation:
        frame_.midSide.setMidScale(value);
        break;
    case param::kPpmOverRun:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case param::kPpmOverReference:
        updateOverThreshold();
        break;
    case param::kPpmPrecise:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    default:
        break;
    }
    updateTimings();
    frame_.sources.record(id, value);
}

double PPMmeter::displayValue(int id) const
{
    switch (id) {
    case param::kPpmReference:
        return 20.0 * std::log10(reference_.gain);
    case param::kPpmIntegration:
        return static_cast<int>(integrationMs_ + 0.5);
    case param::kPpmHoldTime:
        return holdMs_ * 0.001;
    case param::kPpmReturnTime:
        return returnMs_ * 0.001;
    default:
        return 0.0;
    }
}

void PPMmeter::updateTimings()
{
    const double rate = frame_.sampleRate;
    ballistics_.attack = PeakBallistics::attackFor(integrationMs_, rate);
    ballistics_.release = PeakBallistics::releaseFor(returnMs_, rate);
    ballistics_.holdSamples = rate * holdMs_ * 0.001;
}

void PPMmeter::updateOverThreshold()
{
    overThreshold_ = conversions::choiceOverThreshold(stored_.get(param::kPpmOverReference), conversions::kPpmOverAboveReference,
                                                      reference_.inverse);
}

void PPMmeter::prepare()
{
    frame_.delay.restart(frame_.sampleRate);
    for (HistoryRing& ring : history_)
        ring.clear();
    for (Channel& channel : channels_)
        channel.rest();
    frame_.interpolator.setSampleRate(frame_.sampleRate);
    frame_.interpolator.clear();
    updateTimings();
    frame_.resetOverCounters();
}

void PPMmeter::resetReadings()
{
    frame_.resetOverCounters();
    for (Channel& channel : channels_)
        channel.rest();
}

namespace {

// The PPM's part of each frame: the quasi-peak level with its hold.
class PpmKernel {
public:
    using Rings = std::array<std::atomic<double>*, 6>;

    PpmKernel(const PeakBallistics& left, const PeakBallistics& right, const PeakBallistics::Coefficients& ballistics,
              const Rings& rings)
        : peak_(left, right, ballistics), rings_(rings)
    {
    }

    // The PPM reads peaks only: in precise mode its level follows the
    // inter-sample candidates.
    void step(lanes::Pair, lanes::Pair peak) { peak_.step(peak); }

    void record(int at, double timerL, double timerR)
    {
        const lanes::Pair level = peak_.level();
        const lanes::Pair hold = peak_.hold();
        const double values[] = {level[0], level[1], hold[0], hold[1], timerL, timerR};
        for (int r = 0; r < 6; ++r)
            rings_[r][at].store(values[r], std::memory_order_relaxed);
    }

    void finish(PeakBallistics& left, PeakBallistics& right) const { peak_.handBack(left, right); }

private:
    PeakBallistics::Pair peak_;
    const Rings& rings_;
};

const BlockDispatch<PPMmeter>::Run kRunBlock = BlockDispatch<PPMmeter>::pick();

}  // namespace

void PPMmeter::processBlock(const float* left, const float* right, int count)
{
    kRunBlock(*this, left, right, count);
}

__attribute__((always_inline)) inline void PPMmeter::runBlock(const float* left, const float* right, int count)
{
    static_assert(kRingCount == 6 && LevelL == 0 && LevelR == 1 && HoldL == 2 && HoldR == 3 && OverTimerL == 4 &&
                  OverTimerR == 5, "the kernel records in ring order");
    for (Channel& channel : channels_)
        channel.takeSnapshot();
    if (!left || count <= 0)
        return;
    if (!right)
        right = left;
    frame_.clearInterpolatorIfDue();
    PpmKernel::Rings rings;
    for (int r = 0; r < kRingCount; ++r)
        rings[r] = history_[r].data();
    Channel& channelL = channels_[0];
    Channel& channelR = channels_[1];
    PpmKernel kernel(channelL.peak, channelR.peak, ballistics_, rings);
    runStereoBlock(frame_, kernel, OverRule{reference_.inverse, overThreshold_, static_cast<double>(overSamples_)},
                   left, right, count);
    kernel.finish(channelL.peak, channelR.peak);
    for (Channel& channel : channels_)
        channel.publish();
}

double PPMmeter::readValue(double fraction, MeterReading reading, int channel)
{
    if (!MeterFrame::validChannel(channel))
        return 0.0;
    const Channel& c = channels_[channel];
    switch (reading) {
    case MeterReading::Level:
        return frame_.read(fraction, c.shownLevel.load(std::memory_order_relaxed), c.levelSnapshot.load(std::memory_order_relaxed), &history_[LevelL + channel]);
    case MeterReading::Hold:
        return frame_.read(fraction, c.shownHold.load(std::memory_order_relaxed), c.holdSnapshot.load(std::memory_order_relaxed), &history_[HoldL + channel]);
    case MeterReading::MeanSquare:
        break;
    }
    return 0.0;
}

double PPMmeter::readOverState(int channel)
{
    if (!MeterFrame::validChannel(channel))
        return -1.0;
    return frame_.readOverState(channel, overSamples_, history_[OverTimerL + channel]);
}

// After runBlock, which both builds inline.
template struct BlockDispatch<PPMmeter>;
