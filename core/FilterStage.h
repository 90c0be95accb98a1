#pragma once

// One second-order filter stage: a small design library (high-pass,
// low-pass, one-pole low-pass) and an in-place run over a float buffer.
// Coefficients and memory are double precision.

namespace filter {

enum StageType : int {
    kNone = 0,           // does nothing at all
    kHighPass = 1,
    kLowPass = 8,
    kOnePoleLowPass = 9,
};

struct Coefficients {
    double a0 = 1.0;  // kept for reference; a1..b2 are already divided by it
    double a1 = 0.0;
    double a2 = 0.0;
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
};

}  // namespace filter

class FilterStage {
public:
    static constexpr double kDefaultRateHz = 44100.0;
    static constexpr double kDefaultFrequencyHz = 1000.0;
    static constexpr double kDefaultQ = 0.5;

    // Rates outside 20000..400000 Hz (or not finite) are replaced by 44100.
    void setSampleRate(double rateHz);
    // Limited to 0.001 Hz..the stage's sample rate.
    void setFrequency(double hz);
    // Recomputes only when the state changes, so a running stage keeps its
    // coefficients; a disabled stage passes audio and keeps no memory.
    void setEnabled(int enabled);
    void recompute();
    void clearMemory();
    // Every design input at once and one recompute; the memory stays.
    void configure(double rateHz, int type, double frequencyHz, double q, int enabled);
    // Runs another stage's design from here on with this stage's own memory.
    void takeDesign(const FilterStage& other);

    void process(float* buffer, int frames);
    // Two stages over their own buffers at once: the same result as one
    // after the other, with the two recursions interleaved for speed.
    static void processPair(FilterStage& first, float* firstBuffer, FilterStage& second, float* secondBuffer,
                            int frames);

    double sampleRate() const { return sampleRateHz_; }
    double frequency() const { return frequencyHz_; }
    double q() const { return q_; }
    int type() const { return type_; }
    int enabled() const { return enabled_; }
    const filter::Coefficients& coefficients() const { return coef_; }

private:
    bool runs() const { return type_ != filter::kNone && enabled_; }
    void designHighPass();
    void designLowPass();
    void designOnePoleLowPass();

    double sampleRateHz_ = kDefaultRateHz;
    int type_ = filter::kHighPass;
    double frequencyHz_ = kDefaultFrequencyHz;
    double q_ = kDefaultQ;
    int enabled_ = 0;
    filter::Coefficients coef_;
    double x1_ = 0.0;
    double x2_ = 0.0;
    double y1_ = 0.0;
    double y2_ = 0.0;
};
