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

    struct Coefficients {
        double a1 = 0.0;
        double a2 = 0.0;
        double b0 = 0.0;
        double b1 = 0.0;
        double b2 = 0.0;
    };

    // Keeps the rate, frequency and damping and recomputes the coefficients.
    void design(double sampleRate, double frequencyHz, double damping);
    void setSampleRate(double sampleRate) { design(sampleRate, frequencyHz_, damping_); }
    void setFrequency(double frequencyHz, double damping) { design(sampleRate_, frequencyHz, damping); }

    double step(double x, State& s) { return step(coefficients_, offset_, x, s); }

    // The same with the coefficients and offset held elsewhere, for a
    // caller that keeps a copy in locals across a block.
    static double step(const Coefficients& c, double& offset, double x, State& s)
    {
        // The offset alternates sign so it never builds up a DC term.
        offset = -offset;
        const double xin = x + offset;
        const double y = c.b0 * xin + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
        s.y2 = s.y1;
        s.x2 = s.x1;
        s.x1 = xin;
        s.y1 = y + offset;
        return y;
    }

    const Coefficients& coefficients() const { return coefficients_; }
    double offset() const { return offset_; }
    void setOffset(double offset) { offset_ = offset; }

private:
    static constexpr double kDenormalOffset = 1e-12;

    double sampleRate_ = 44100.0;
    double frequencyHz_ = 1.5003750937734435;
    double damping_ = 0.53;
    Coefficients coefficients_;
    double offset_ = kDenormalOffset;
};
