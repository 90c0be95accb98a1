#include "meters/RMSMeter.h"

#include "meters/BlockDispatch.h"
#include "meters/StereoBlock.h"
#include "meters/TimeGrid.h"

#include <algorithm>
#include <cmath>

void RMSMeter::Channel::rest()
{
    peak.level = kRestReading;
    peak.hold = kRestReading;
    meanSquare = kRestReading;
    takeSnapshot();
}

void RMSMeter::Channel::takeSnapshot()
{
    levelSnapshot.store(peak.level, std::memory_order_relaxed);
    holdSnapshot.store(peak.hold, std::memory_order_relaxed);
    meanSquareSnapshot.store(meanSquare, std::memory_order_relaxed);
    publish();
}

void RMSMeter::Channel::publish()
{
    shownLevel.store(peak.level, std::memory_order_relaxed);
    shownHold.store(peak.hold, std::memory_order_relaxed);
    shownMeanSquare.store(meanSquare, std::memory_order_relaxed);
}

RMSMeter::RMSMeter(AudioEffect* effect) : MeterEngine(MeterKind::Rms, effect)
{
    for (Channel& channel : channels_)
        channel.rest();
    frame_.midSide.setMidScale(0.5f);
    frame_.sources.applyAtConstruction(*this);
    frame_.resetOverCounters();
    prepare();
}

void RMSMeter::setSetting(int id, float value)
{
    if (!param::isRmsSetting(id))
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    float recorded = value;
    switch (id) {
    case param::kRmsReference:
        reference_ = conversions::rmsReference(value);
        updateOverThreshold();
        break;
    case param::kRmsIntegration:
        integrationMs_ = timegrid::gridAMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case param::kRmsMeanSquareTime:
        rmsIntegrationMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case param::kRmsHoldTime:
        holdMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case param::kRmsReturnTime:
        returnMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case param::kRmsMidAttenuation:
        frame_.midSide.setMidScale(value);
        break;
    case param::kRmsOverRun:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case param::kRmsOverReference:
        updateOverThreshold();
        break;
    case param::kRmsPrecise:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    case param::kRmsOverReferenceUnit:
        fullScaleOvers_ = conversions::switchOn(value);
        updateOverThreshold();
        break;
    default:
        break;
    }
    updateTimings();
    frame_.sources.record(id, recorded);
}

double RMSMeter::displayValue(int id) const
{
    switch (id) {
    case param::kRmsReference:
        return 20.0 * std::log10(reference_.gain);
    case param::kRmsIntegration:
        return static_cast<int>(integrationMs_ + 0.5);
    case param::kRmsMeanSquareTime:
        return rmsIntegrationMs_ * 0.001;
    case param::kRmsHoldTime:
        return holdMs_ * 0.001;
    case param::kRmsReturnTime:
        return returnMs_ * 0.001;
    default:
        return 0.0;
    }
}

void RMSMeter::updateTimings()
{
    const double rate = frame_.sampleRate;
    ballistics_.attack = PeakBallistics::attackFor(integrationMs_, rate);
    ballistics_.release = PeakBallistics::releaseFor(returnMs_, rate);
    ballistics_.holdSamples = rate * holdMs_ * 0.001;
    meanSquareCoefficient_ = MeanSquare::coefficientFor(rmsIntegrationMs_, rate);
}

void RMSMeter::updateOverThreshold()
{
    overThreshold_ = conversions::rmsOverThreshold(stored_.get(param::kRmsOverReference), fullScaleOvers_, reference_.inverse);
}

void RMSMeter::prepare()
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

void RMSMeter::resetReadings()
{
    frame_.resetOverCounters();
    for (Channel& channel : channels_)
        channel.rest();
}

namespace {

// The RMS meter's part of each frame: the quasi-peak level with its hold on
// the peaks, the mean square on the samples.
class RmsKernel {
public:
    using Rings = std::array<std::atomic<double>*, 8>;

    RmsKernel(const PeakBallistics& left, const PeakBallistics& right, lanes::Pair meanSquare,
              const PeakBallistics::Coefficients& ballistics, double meanSquareCoefficient, const Rings& rings)
        : peak_(left, right, ballistics),
          meanSquare_(meanSquare),
          meanSquareCoefficient_(meanSquareCoefficient),
          rings_(rings)
    {
    }

    // The mean square of |x| is the mean square of x, to the bit.
    void step(lanes::Pair level, lanes::Pair peak)
    {
        peak_.step(peak);
        meanSquare_ = MeanSquare::step(meanSquare_, level, meanSquareCoefficient_);
    }

    void record(int at, double timerL, double timerR)
    {
        const lanes::Pair level = peak_.level();
        const lanes::Pair hold = peak_.hold();
        const double values[] = {level[0], level[1], hold[0], hold[1],
                                 meanSquare_[0], meanSquare_[1], timerL, timerR};
        for (int r = 0; r < 8; ++r)
            rings_[r][at].store(values[r], std::memory_order_relaxed);
    }

    void finish(PeakBallistics& left, PeakBallistics& right, double& meanSquareL, double& meanSquareR) const
    {
        peak_.handBack(left, right);
        meanSquareL = meanSquare_[0];
        meanSquareR = meanSquare_[1];
    }

private:
    PeakBallistics::Pair peak_;
    lanes::Pair meanSquare_;
    const double meanSquareCoefficient_;
    const Rings& rings_;
};

const BlockDispatch<RMSMeter>::Run kRunBlock = BlockDispatch<RMSMeter>::pick();

}  // namespace

void RMSMeter::processBlock(const float* left, const float* right, int count)
{
    kRunBlock(*this, left, right, count);
}

__attribute__((always_inline)) inline void RMSMeter::runBlock(const float* left, const float* right, int count)
{
    static_assert(kRingCount == 8 && LevelL == 0 && LevelR == 1 && HoldL == 2 && HoldR == 3 && MeanSquareL == 4 &&
                  MeanSquareR == 5 && OverTimerL == 6 && OverTimerR == 7, "the kernel records in ring order");
    for (Channel& channel : channels_)
        channel.takeSnapshot();
    if (!left || count <= 0)
        return;
    if (!right)
        right = left;
    frame_.clearInterpolatorIfDue();
    RmsKernel::Rings rings;
    for (int r = 0; r < kRingCount; ++r)
        rings[r] = history_[r].data();
    Channel& channelL = channels_[0];
    Channel& channelR = channels_[1];
    RmsKernel kernel(channelL.peak, channelR.peak, lanes::Pair{channelL.meanSquare, channelR.meanSquare},
                     ballistics_, meanSquareCoefficient_, rings);
    runStereoBlock(frame_, kernel, OverRule{reference_.inverse, overThreshold_, static_cast<double>(overSamples_)},
                   left, right, count);
    kernel.finish(channelL.peak, channelR.peak, channelL.meanSquare, channelR.meanSquare);
    for (Channel& channel : channels_)
        channel.publish();
}

double RMSMeter::readValue(double fraction, MeterReading reading, int channel)
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
        return frame_.read(fraction, c.shownMeanSquare.load(std::memory_order_relaxed), c.meanSquareSnapshot.load(std::memory_order_relaxed), &history_[MeanSquareL + channel]);
    }
    return 0.0;
}

double RMSMeter::readOverState(int channel)
{
    if (!MeterFrame::validChannel(channel))
        return -1.0;
    return frame_.readOverState(channel, overSamples_, history_[OverTimerL + channel]);
}

// After runBlock, which both builds inline.
template struct BlockDispatch<RMSMeter>;
