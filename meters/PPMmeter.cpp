#include "meters/PPMmeter.h"

#include "meters/PreciseRun.h"
#include "meters/SampleGuard.h"
#include "meters/SettingDisplay.h"
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

PPMmeter::PPMmeter(AudioEffect* effect) : frame_(MeterKind::Ppm, effect), stored_(MeterKind::Ppm)
{
    frame_.midSide.setMidScale(0.5f);
    frame_.sources.applyAtConstruction(*this);
    resetReadings();
    prepare();
}

void PPMmeter::setSetting(int id, float value)
{
    if (id < kFirstSettingId || id > kLastSettingId)
        return;
    value = conversions::usable(value);
    stored_.set(id, value);
    switch (id) {
    case 93:
        reference_ = conversions::continuousReference(value);
        updateOverThreshold();
        break;
    case 94:
        integrationMs_ = timegrid::gridAMs(timegrid::position(value));
        break;
    case 95:
        holdMs_ = timegrid::gridBMs(timegrid::position(value));
        break;
    case 96:
        returnMs_ = timegrid::gridBMs(timegrid::position(value));
        break;
    case 97:
        frame_.midSide.setMidScale(value);
        break;
    case 98:
        overSamples_ = conversions::overSampleCount(value);
        break;
    case 99:
        updateOverThreshold();
        break;
    case 100:
        frame_.precise.store(conversions::switchOn(value), std::memory_order_relaxed);
        frame_.requestInterpolatorClear();
        break;
    default:
        break;
    }
    updateTimings();
    frame_.sources.record(id, value);
}

float PPMmeter::getSetting(int id) const
{
    return stored_.get(id);
}

void PPMmeter::getSettingDisplay(int id, char* text) const
{
    if (!text)
        return;
    switch (id) {
    case 93:
        settingdisplay::write(20.0 * std::log10(reference_.gain), 1, "dBFS", text);
        break;
    case 94:
        settingdisplay::write(static_cast<int>(integrationMs_ + 0.5), 0, "ms", text);
        break;
    case 95:
        settingdisplay::write(holdMs_ * 0.001, 2, "s", text);
        break;
    case 96:
        settingdisplay::write(returnMs_ * 0.001, 2, "s", text);
        break;
    default:
        break;
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
    overThreshold_ = conversions::choiceOverThreshold(stored_.get(99), conversions::kPpmOverAboveReference,
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

void PPMmeter::processBlock(const float* left, const float* right, int count)
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
    const double overStartL = frame_.overs[0].blockStart();
    const double overStartR = frame_.overs[1].blockStart();
    double overL = overStartL;
    double overR = overStartR;
    double timerL = frame_.overs[0].timer;
    double timerR = frame_.overs[1].timer;
    DisplayDelay::Clock clock = frame_.delay.clock();

    const PeakBallistics::Coefficients ballistics = ballistics_;
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

    const auto step = [&](double a, double b) __attribute__((always_inline)) {
        if (midSide)
            MidSideMatrix::apply(a, b, midScale);
        const double xL = std::fabs(a) * invRef;
        const double xR = std::fabs(b) * invRef;

        overL = OverCounter::count(overL, xL, overThreshold, runLength);
        peakL.step(xL, ballistics);
        overR = OverCounter::count(overR, xR, overThreshold, runLength);
        peakR.step(xR, ballistics);

        if (recording && clock.tick()) {
            const int at = clock.writePosition;
            rings[LevelL][at].store(peakL.level, std::memory_order_relaxed);
            rings[LevelR][at].store(peakR.level, std::memory_order_relaxed);
            rings[HoldL][at].store(peakL.hold, std::memory_order_relaxed);
            rings[HoldR][at].store(peakR.hold, std::memory_order_relaxed);
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
                step(run.peakLeft[i], run.peakRight[i]);
        }
    } else {
        for (int i = 0; i < count; ++i)
            step(sampleguard::finiteOrZero(left[i]), sampleguard::finiteOrZero(right[i]));
    }

    channels_[0].peak = peakL;
    channels_[1].peak = peakR;
    channels_[0].publish();
    channels_[1].publish();
    frame_.overs[0].publish(overStartL, overL);
    frame_.overs[1].publish(overStartR, overR);
    frame_.overs[0].timer = timerL;
    frame_.overs[1].timer = timerR;
    frame_.delay.setClock(clock);
}

void PPMmeter::setSettingsSource(float value)
{
    frame_.sources.select(SettingsSource::fromNormalised(value), *this);
}

void PPMmeter::storeDefaults()
{
    GlobalSettingsSet::storeSetA(MeterKind::Ppm);
}

void PPMmeter::followGlobalSettings()
{
    frame_.sources.follow(stored_, *this);
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
