#include "meters/VUmeter.h"

#include "meters/BlockDispatch.h"
#include "meters/NeedlePair.h"
#include "meters/PeakBallistics.h"
#include "meters/StereoBlock.h"
#include "meters/TimeGrid.h"

#include <algorithm>
#include <cmath>

namespace {

struct NeedleType {
    double restDamping;
    double fullDamping;
    double timeFactor;
};
constexpr NeedleType kNeedleTypes[2] = {{0.68, 0.55, 310.0}, {0.85, 0.43, 350.0}};

// The integration time: 300 ms x 32^(r - 0.5) nominal, times 1.167 for the needle.
constexpr double kTimeAtZeroMs = 53.0330086;  // 300 / sqrt(32)
constexpr double kTimeRange = 32.0;
constexpr double kNeedleTimeFactor = 1.167;
constexpr double kNominalPerNeedleTime = 0.85689802913;  // 1 / 1.167
constexpr double kFrequencyTimeProduct = 857.6;          // Hz x ms at the nominal 300 ms
constexpr double kNominalMs = 300.0;
constexpr double kDrive = 1.56;  // full-wave average of a sine to needle units
constexpr double kLowestSectionRate = 20000.0;
constexpr double kHighestSectionRate = 200000.0;

}  // namespace

void VUmeter::Channel::takeSnapshot()
{
    needleSnapshot.store(needle, std::memory_order_relaxed);
    holdSnapshot.store(hold.hold, std::memory_order_relaxed);
    publish();
}

void VUmeter::Channel::publish()
{
    shownNeedle.store(needle, std::memory_order_relaxed);
    shownHold.store(hold.hold, std::memory_order_relaxed);
}

VUmeter::VUmeter(AudioEffect* effect) : MeterEngine(MeterKind::Vu, effect)
{
    for (Channel& channel : channels_)
        channel.model.design(1.5003750937734435, kNeedleTypes[0].restDamping, kNeedleTypes[0].fullDamping);
    frame_.midSide.setMidScale(0.5f);
    frame_.sources.applyAtConstruction(*this);
    resetReadings();
    prepare();
}

void VUmeter::setSetting(int id, float value)
{
    if (!param::isVuSetting(id))
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    switch (id) {
    case param::kVuReference:
        reference_ = conversions::continuousReference(value);
        updateOverThreshold();
        break;
    case param::kVuIntegration: {
        const double r = static_cast<int>(value * 200.0 + 0.5) / 200.0;
        integrationMs_ = std::pow(kTimeRange, r) * kTimeAtZeroMs * kNeedleTimeFactor;
        needleDesignDue_.store(true, std::memory_order_relaxed);
        break;
    }
    case param::kVuHoldTime:
        holdMs_ = timegrid::gridBMs(timegrid::roundedPosition(value));
        updateHoldLength();
        break;
    case param::kVuNeedleType:
        needleType_ = value < 0.5f ? 0 : 1;
        needleDesignDue_.store(true, std::memory_order_relaxed);
        break;
    case param::kVuMidAttenuation:
        frame_.midSide.setMidScale(value);
        break;
    case param::kVuOverRun:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case param::kVuOverReference:
        updateOverThreshold();
        break;
    case param::kVuPrecise:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    default:
        break;
    }
    frame_.sources.record(id, value);
}

double VUmeter::displayValue(int id) const
{
    switch (id) {
    case param::kVuReference:
        return 20.0 * std::log10(reference_.gain);
    case param::kVuIntegration:
        return static_cast<int>(integrationMs_ * kNominalPerNeedleTime + 0.5);
    case param::kVuHoldTime:
        return holdMs_ * 0.001;
    default:
        return 0.0;
    }
}

double VUmeter::needleFrequencyHz() const
{
    return kFrequencyTimeProduct / (integrationMs_ * kNeedleTypes[needleType_].timeFactor / kNominalMs);
}

void VUmeter::designNeedles()
{
    const NeedleType& type = kNeedleTypes[needleType_];
    for (Channel& channel : channels_)
        channel.model.design(needleFrequencyHz(), type.restDamping, type.fullDamping);
}

void VUmeter::updateHoldLength()
{
    // Worked out in double and rounded once: 1000 ms at 48 kHz is 48000 samples, not 48000.004.
    holdSamples_ = static_cast<float>(holdMs_ * 0.001 * frame_.sampleRate);
}

void VUmeter::updateOverThreshold()
{
    overThreshold_ = conversions::choiceOverThreshold(stored_.get(param::kVuOverReference), conversions::kVuOverAboveReference,
                                                      reference_.inverse);
}

void VUmeter::prepare()
{
    frame_.delay.restart(frame_.sampleRate);
    for (HistoryRing& ring : history_)
        ring.clear();
    const double rate = frame_.sampleRate;
    sectionRate_ = rate < kLowestSectionRate || rate > kHighestSectionRate ? 44100.0 : rate;
    for (Channel& channel : channels_)
        channel.model.setSampleRate(sectionRate_);
    // Cleared first: a setting that arrives meanwhile still gets its design.
    needleDesignDue_.store(false, std::memory_order_relaxed);
    designNeedles();
    updateHoldLength();
    // The hold decays with the needle's own integration time.
    holdRelease_ = PeakBallistics::releaseFor(integrationMs_, rate);
    for (Channel& channel : channels_) {
        channel.needle = kRestReading;
        channel.needleSnapshot.store(kRestReading, std::memory_order_relaxed);
        channel.publish();
    }
    frame_.interpolator.setSampleRate(frame_.sampleRate);
    frame_.interpolator.clear();
    frame_.resetOverCounters();
}

void VUmeter::resetReadings()
{
    frame_.resetOverCounters();
    for (Channel& channel : channels_) {
        channel.needle = kRestReading;
        channel.hold.hold = kRestReading;
        channel.takeSnapshot();
    }
}

namespace {

// The VU meter's part of each frame: both needles and their holds.
class VuKernel {
public:
    using Rings = std::array<std::atomic<double>*, 6>;

    VuKernel(NeedleModel& left, NeedleModel& right, lanes::Pair needle, const NeedleHold& holdL,
             const NeedleHold& holdR, double holdSamples, double holdRelease, const Rings& rings)
        : needles_(left, right),
          needle_(needle),
          hold_(holdL, holdR, holdSamples, holdRelease),
          rings_(rings)
    {
    }

    void step(lanes::Pair level, lanes::Pair)
    {
        needle_ = needles_.step(level * kDrive);
        hold_.step(needle_);
    }

    void record(int at, double timerL, double timerR)
    {
        const lanes::Pair hold = hold_.hold();
        const double values[] = {needle_[0], needle_[1], hold[0], hold[1], timerL, timerR};
        for (int r = 0; r < 6; ++r)
            rings_[r][at].store(values[r], std::memory_order_relaxed);
    }

    void finish(double& needleL, double& needleR, NeedleHold& holdL, NeedleHold& holdR)
    {
        needles_.finish();
        needleL = needle_[0];
        needleR = needle_[1];
        hold_.handBack(holdL, holdR);
    }

private:
    NeedlePair needles_;
    lanes::Pair needle_;
    NeedleHold::Pair hold_;
    const Rings& rings_;
};

const BlockDispatch<VUmeter>::Run kRunBlock = BlockDispatch<VUmeter>::pick();

}  // namespace

void VUmeter::processBlock(const float* left, const float* right, int count)
{
    kRunBlock(*this, left, right, count);
}

__attribute__((always_inline)) inline void VUmeter::runBlock(const float* left, const float* right, int count)
{
    static_assert(kRingCount == 6 && NeedleL == 0 && NeedleR == 1 && HoldL == 2 && HoldR == 3 && OverTimerL == 4 &&
                  OverTimerR == 5, "the kernel records in ring order");
    for (Channel& channel : channels_)
        channel.takeSnapshot();
    if (!left || count <= 0)
        return;
    if (!right)
        right = left;
    if (needleDesignDue_.load(std::memory_order_relaxed) && needleDesignDue_.exchange(false, std::memory_order_relaxed))
        designNeedles();
    frame_.clearInterpolatorIfDue();
    VuKernel::Rings rings;
    for (int r = 0; r < kRingCount; ++r)
        rings[r] = history_[r].data();
    Channel& channelL = channels_[0];
    Channel& channelR = channels_[1];
    VuKernel kernel(channelL.model, channelR.model, lanes::Pair{channelL.needle, channelR.needle}, channelL.hold,
                    channelR.hold, holdSamples_, holdRelease_, rings);
    runStereoBlock(frame_, kernel, OverRule{reference_.inverse, overThreshold_, static_cast<double>(overSamples_)},
                   left, right, count);
    kernel.finish(channelL.needle, channelR.needle, channelL.hold, channelR.hold);
    for (Channel& channel : channels_)
        channel.publish();
}

double VUmeter::readValue(double fraction, MeterReading reading, int channel)
{
    if (!MeterFrame::validChannel(channel))
        return 0.0;
    const Channel& c = channels_[channel];
    switch (reading) {
    case MeterReading::Level:
        return frame_.read(fraction, c.shownNeedle.load(std::memory_order_relaxed), c.needleSnapshot.load(std::memory_order_relaxed), &history_[NeedleL + channel]);
    case MeterReading::Hold:
        return frame_.read(fraction, c.shownHold.load(std::memory_order_relaxed), c.holdSnapshot.load(std::memory_order_relaxed), &history_[HoldL + channel]);
    case MeterReading::MeanSquare:
        break;
    }
    return 0.0;
}

double VUmeter::readOverState(int channel)
{
    if (!MeterFrame::validChannel(channel))
        return -1.0;
    return frame_.readOverState(channel, overSamples_, history_[OverTimerL + channel]);
}

// After runBlock, which both builds inline.
template struct BlockDispatch<VUmeter>;
