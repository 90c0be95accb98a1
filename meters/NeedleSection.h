#pragma once

// One second-order low-pass section of the needle model (direct form I): the
// needle's mass and spring at one damping. The state lives in NeedleModel,
// because a section hands it over whole to the next one in any case.

class NeedleSection {
public:
    struct State {
        double x1 = 0.0;
        double x2 = 0.0;
        double y1 = 0.0;
        double y2 = 0.0;
    };

    // Keeps the rate, frequency and damping and recomputes the coefficients.
    void design(double sampleRate, double frequencyHz, double damping);
    void setSampleRate(double sampleRate) { design(sampleRate, frequencyHz_, damping_); }
    void setFrequency(double frequencyHz, double damping) { design(sampleRate_, frequencyHz, damping); }

    double step(double x, State& s)
    {
        // The offset alternates sign so it never builds up a DC term.
        offset_ = -offset_;
        const double xin = x + offset_;
        const double y = b0_ * xin + b1_ * s.x1 + b2_ * s.x2 - a1_ * s.y1 - a2_ * s.y2;
        s.y2 = s.y1;
        s.x2 = s.x1;
        s.x1 = xin;
        s.y1 = y + offset_;
        return y;
    }

private:
    static constexpr double kDenormalOffset = 1e-12;

    double sampleRate_ = 44100.0;
    double frequencyHz_ = 1.5003750937734435;
    double damping_ = 0.53;
    double a1_ = 0.0;
    double a2_ = 0.0;
    double b0_ = 0.0;
    double b1_ = 0.0;
    double b2_ = 0.0;
    double offset_ = kDenormalOffset;
};
