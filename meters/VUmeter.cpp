#include "meters/VUmeter.h"

#include "meters/PeakBallistics.h"
#include "meters/PreciseRun.h"
#include "meters/SampleGuard.h"
#include "meters/SettingDisplay.h"
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

VUmeter::VUmeter(AudioEffect* effect) : frame_(MeterKind::Vu, effect), stored_(MeterKind::Vu)
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
    if (id < kFirstSettingId || id > kLastSettingId)
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    switch (id) {
    case 83:
        reference_ = conversions::continuousReference(value);
        updateOverThreshold();
        break;
    case 84: {
        const double r = static_cast<int>(value * 200.0 + 0.5) / 200.0;
        integrationMs_ = std::pow(kTimeRange, r) * kTimeAtZeroMs * kNeedleTimeFactor;
        needleDesignDue_.store(true, std::memory_order_relaxed);
        break;
    }
    case 85:
        holdMs_ = timegrid::gridBMs(timegrid::roundedPosition(value));
        updateHoldLength();
        break;
    case 86:
        needleType_ = value < 0.5f ? 0 : 1;
        needleDesignDue_.store(true, std::memory_order_relaxed);
        break;
    case 87:
        frame_.midSide.setMidScale(value);
        break;
    case 89:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case 90:
        updateOverThreshold();
        break;
    case 91:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    default:
        break;
    }
    frame_.sources.record(id, value);
}

float VUmeter::getSetting(int id) const
{
    return stored_.get(id);
}

void VUmeter::getSettingDisplay(int id, char* text) const
{
    if (!text)
        return;
    switch (id) {
    case 83:
        settingdisplay::write(20.0 * std::log10(reference_.gain), 1, "dBFS", text);
        break;
    case 84:
        settingdisplay::write(static_cast<int>(integrationMs_ * kNominalPerNeedleTime + 0.5), 0, "ms", text);
        break;
    case 85:
        settingdisplay::write(holdMs_ * 0.001, 2, "s", text);
        break;
    default:
        break;
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
    holdSamples_ = frame_.sampleRate * static_cast<float>(holdMs_) * 0.001f;
}

void VUmeter::updateOverThreshold()
{
    overThreshold_ = conversions::choiceOverThreshold(stored_.get(90), conversions::kVuOverAboveReference,
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

void VUmeter::processBlock(const float* left, const float* right, int count)
{
    for (Channel& channel : channels_)
        channel.takeSnapshot();
    if (!left || count <= 0)
        return;
    if (!right)
        right = left;
    if (needleDesignDue_.load(std::memory_order_relaxed) && needleDesignDue_.exchange(false, std::memory_order_relaxed))
        designNeedles();
    frame_.clearInterpolatorIfDue();

    Channel& channelL = channels_[0];
    Channel& channelR = channels_[1];
    double needleL = channelL.needle;
    double needleR = channelR.needle;
    NeedleHold holdL = channelL.hold;
    NeedleHold holdR = channelR.hold;
    const double overStartL = frame_.overs[0].blockStart();
    const double overStartR = frame_.overs[1].blockStart();
    double overL = overStartL;
    double overR = overStartR;
    double timerL = frame_.overs[0].timer;
    double timerR = frame_.overs[1].timer;
    DisplayDelay::Clock clock = frame_.delay.clock();

    const double holdSamples = holdSamples_;
    const double holdRelease = holdRelease_;
    const double invRef = reference_.inverse;
    const double overThreshold = overThreshold_;
    const double runLength = overSamples_;
    const bool precise = frame_.precise.load(std::memory_order_relaxed);
    const bool midSide = frame_.midSide.enabled();
    const double midScale = frame_.midSide.midScale();
    const bool recording = frame_.delay.active();
    TruePeakInterpolator& interpolator = frame_.interpolator;
    std::array<std::atomic<double>*, kRingCount> rings;
    for (int r = 0; r < kRingCount; ++r)
        rings[r] = history_[r].data();

    NeedleModel::Running modelL(channelL.model);
    NeedleModel::Running modelR(channelR.model);

    // The needle integrates the samples themselves; overs are peaks and use
    // the inter-sample candidates in precise mode.
    const auto step = [&](double a, double b, double peakA, double peakB) __attribute__((always_inline)) {
        if (midSide) {
            MidSideMatrix::apply(a, b, midScale);
            MidSideMatrix::apply(peakA, peakB, midScale);
        }

        overL = OverCounter::count(overL, std::fabs(peakA) * invRef, overThreshold, runLength);
        needleL = modelL.step(std::fabs(a) * invRef * kDrive);
        holdL.step(needleL, holdSamples, holdRelease);

        overR = OverCounter::count(overR, std::fabs(peakB) * invRef, overThreshold, runLength);
        needleR = modelR.step(std::fabs(b) * invRef * kDrive);
        holdR.step(needleR, holdSamples, holdRelease);

        if (recording && clock.tick()) {
            const int at = clock.writePosition;
            rings[NeedleL][at].store(needleL, std::memory_order_relaxed);
            rings[NeedleR][at].store(needleR, std::memory_order_relaxed);
            rings[HoldL][at].store(holdL.hold, std::memory_order_relaxed);
            rings[HoldR][at].store(holdR.hold, std::memory_order_relaxed);
            OverCounter::tick(overL, timerL, runLength);
            OverCounter::tick(overR, timerR, runLength);
            rings[OverTimerL][at].store(timerL, std::memory_order_relaxed);
            rings[OverTimerR][at].store(timerR, std::memory_order_relaxed);
        }
    };

    if (precise) {
        PreciseRun run;
        for (int start = 0; start < count; start += PreciseRun::kFrames) {
            const int frames = std::min(count - start, PreciseRun::kFrames);
            run.fill(left + start, right + start, frames, interpolator);
            for (int i = 0; i < frames; ++i)
                step(run.left[i], run.right[i], run.peakLeft[i], run.peakRight[i]);
        }
    } else {
        for (int i = 0; i < count; ++i) {
            const double a = sampleguard::finiteOrZero(left[i]);
            const double b = sampleguard::finiteOrZero(right[i]);
            step(a, b, a, b);
        }
    }

    modelL.finish();
    modelR.finish();
    channelL.needle = needleL;
    channelR.needle = needleR;
    channelL.hold = holdL;
    channelR.hold = holdR;
    channelL.publish();
    channelR.publish();
    frame_.overs[0].publish(overStartL, overL);
    frame_.overs[1].publish(overStartR, overR);
    frame_.overs[0].timer = timerL;
    frame_.overs[1].timer = timerR;
    frame_.delay.setClock(clock);
}

void VUmeter::setSettingsSource(float value)
{
    frame_.sources.select(SettingsSource::fromNormalised(value), *this);
}

void VUmeter::storeDefaults()
{
    GlobalSettingsSet::storeSetA(MeterKind::Vu);
}

void VUmeter::followGlobalSettings()
{
    frame_.sources.follow(stored_, *this);
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
