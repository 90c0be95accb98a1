#include "meters/RMSMeter.h"

#include "meters/PreciseRun.h"
#include "meters/SampleGuard.h"
#include "meters/SettingDisplay.h"
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

RMSMeter::RMSMeter(AudioEffect* effect) : frame_(MeterKind::Rms, effect), stored_(MeterKind::Rms)
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
    if (id < kFirstSettingId || id > kLastSettingId)
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    float recorded = value;
    switch (id) {
    case 72:
        reference_ = conversions::rmsReference(value);
        updateOverThreshold();
        break;
    case 73:
        integrationMs_ = timegrid::gridAMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case 74:
        rmsIntegrationMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case 75:
        holdMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case 76:
        returnMs_ = timegrid::gridBMs(timegrid::position(value));
        recorded = timegrid::storedValue(timegrid::position(value));
        break;
    case 77:
        frame_.midSide.setMidScale(value);
        break;
    case 78:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case 79:
        updateOverThreshold();
        break;
    case 80:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    case 81:
        fullScaleOvers_ = conversions::switchOn(value);
        updateOverThreshold();
        break;
    default:
        break;
    }
    updateTimings();
    frame_.sources.record(id, recorded);
}

float RMSMeter::getSetting(int id) const
{
    return stored_.get(id);
}

void RMSMeter::getSettingDisplay(int id, char* text) const
{
    if (!text)
        return;
    switch (id) {
    case 72:
        settingdisplay::write(20.0 * std::log10(reference_.gain), 1, "dBFS", text);
        break;
    case 73:
        settingdisplay::write(static_cast<int>(integrationMs_ + 0.5), 0, "ms", text);
        break;
    case 74:
        settingdisplay::write(rmsIntegrationMs_ * 0.001, 2, "s", text);
        break;
    case 75:
        settingdisplay::write(holdMs_ * 0.001, 2, "s", text);
        break;
    case 76:
        settingdisplay::write(returnMs_ * 0.001, 2, "s", text);
        break;
    default:
        break;
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
    overThreshold_ = conversions::rmsOverThreshold(stored_.get(79), fullScaleOvers_, reference_.inverse);
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

void RMSMeter::processBlock(const float* left, const float* right, int count)
{
    for (Channel& channel : channels_)
        channel.takeSnapshot();
    if (!left || count <= 0)
        return;
    if (!right)
        right = left;
    frame_.clearInterpolatorIfDue();

    PeakBallistics peakL = channels_[0].peak;
    PeakBallistics peakR = channels_[1].peak;
    double meanSquareL = channels_[0].meanSquare;
    double meanSquareR = channels_[1].meanSquare;
    const double overStartL = frame_.overs[0].blockStart();
    const double overStartR = frame_.overs[1].blockStart();
    double overL = overStartL;
    double overR = overStartR;
    double timerL = frame_.overs[0].timer;
    double timerR = frame_.overs[1].timer;
    DisplayDelay::Clock clock = frame_.delay.clock();

    const PeakBallistics::Coefficients ballistics = ballistics_;
    const double meanSquareCoefficient = meanSquareCoefficient_;
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

    // The averaging path integrates the samples themselves; only the peak
    // path (level, hold, overs) uses the inter-sample candidates.
    const auto step = [&](double a, double b, double peakA, double peakB) __attribute__((always_inline)) {
        if (midSide) {
            MidSideMatrix::apply(a, b, midScale);
            MidSideMatrix::apply(peakA, peakB, midScale);
        }
        const double xL = std::fabs(peakA) * invRef;
        const double xR = std::fabs(peakB) * invRef;

        overL = OverCounter::count(overL, xL, overThreshold, runLength);
        peakL.step(xL, ballistics);
        meanSquareL = MeanSquare::step(meanSquareL, a * invRef, meanSquareCoefficient);

        overR = OverCounter::count(overR, xR, overThreshold, runLength);
        peakR.step(xR, ballistics);
        meanSquareR = MeanSquare::step(meanSquareR, b * invRef, meanSquareCoefficient);

        if (recording && clock.tick()) {
            const int at = clock.writePosition;
            rings[LevelL][at].store(peakL.level, std::memory_order_relaxed);
            rings[LevelR][at].store(peakR.level, std::memory_order_relaxed);
            rings[HoldL][at].store(peakL.hold, std::memory_order_relaxed);
            rings[HoldR][at].store(peakR.hold, std::memory_order_relaxed);
            rings[MeanSquareL][at].store(meanSquareL, std::memory_order_relaxed);
            rings[MeanSquareR][at].store(meanSquareR, std::memory_order_relaxed);
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

    channels_[0].peak = peakL;
    channels_[1].peak = peakR;
    channels_[0].meanSquare = meanSquareL;
    channels_[1].meanSquare = meanSquareR;
    channels_[0].publish();
    channels_[1].publish();
    frame_.overs[0].publish(overStartL, overL);
    frame_.overs[1].publish(overStartR, overR);
    frame_.overs[0].timer = timerL;
    frame_.overs[1].timer = timerR;
    frame_.delay.setClock(clock);
}

void RMSMeter::setSettingsSource(float value)
{
    frame_.sources.select(SettingsSource::fromNormalised(value), *this);
}

void RMSMeter::storeDefaults()
{
    GlobalSettingsSet::storeSetA(MeterKind::Rms);
}

void RMSMeter::followGlobalSettings()
{
    frame_.sources.follow(stored_, *this);
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
