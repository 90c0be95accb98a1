#pragma once

// The built-in demo: a stereo test signal scaled to the reference level of
// the meter being read, so each passage shows something on every meter.

#include "tools/vsthost/AudioSource.h"

#include <string>
#include <vector>

namespace valdorameter {

class DemoSignal : public vsthost::AudioSource {
public:
    struct Passage {
        std::string description;
        double startSec;
        double endSec;
    };

    // referenceGain: the linear level of the meter's reference (a sine whose
    // peak lies there reads 1.0 on the RMS and VU meters).
    DemoSignal(double rateHz, double referenceGain);

    int channels() const override { return 2; }
    double sampleRate() const override { return rateHz_; }
    int read(float* const* buffers, int maxFrames) override;

    const std::vector<Passage>& passages() const { return passages_; }
    size_t frames() const { return left_.size(); }

private:
    void addTone(double relativeDb, double seconds);
    void addPinkNoise(double relativeDb, double seconds);
    void addInterSamplePeakTone(double seconds);
    void addClippingBurst(double seconds);
    void addSilence(double seconds);
    void append(const std::string& description, const std::vector<float>& left, const std::vector<float>& right);
    size_t framesFor(double seconds) const;

    double rateHz_;
    double referenceGain_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::vector<Passage> passages_;
    size_t readFrame_ = 0;
};

}  // namespace valdorameter
