#include "meters/TruePeakInterpolator.h"

#include "meters/TruePeakCoefficients.h"

#include <cmath>

namespace {

constexpr double kHalfRateLimit = 88200.0;     // from here on one phase is enough
constexpr double kNoOversamplingLimit = 176400.0;  // from here on the samples themselves

static_assert(truepeak::kPhaseTaps == TruePeakInterpolator::kTaps);

// Four doubles: one AVX register, or two SSE2 registers on the baseline. The
// unaligned, aliasing variant reads the ring at any offset.
typedef double Lane4 __attribute__((vector_size(32)));
typedef double Lane4Unaligned __attribute__((vector_size(32), aligned(8), may_alias));
constexpr int kLaneWidth = 4;

inline const Lane4Unaligned& lanesAt(const double* p)
{
    return *reinterpret_cast<const Lane4Unaligned*>(p);
}

// By reference: a vector passed by value would change the calling
// convention between the baseline and the AVX clones.
inline double laneSum(const Lane4& v)
{
    return (v[0] + v[1]) + (v[2] + v[3]);
}

// Dot products of both channels' 64-tap slices with the three quarter phases.
// Cloned per instruction set and picked once at load, so the library runs on
// any x86-64 yet uses AVX2/FMA where the machine has them.
__attribute__((target_clones("default", "arch=x86-64-v3"))) void convolveQuarter(const double* left,
                                                                                const double* right,
                                                                                double* sumsLeft,
                                                                                double* sumsRight)
{
    const double* c0 = truepeak::kQuarterPhases[0].data();
    const double* c1 = truepeak::kQuarterPhases[1].data();
    const double* c2 = truepeak::kQuarterPhases[2].data();
    Lane4 l0{}, l1{}, l2{}, r0{}, r1{}, r2{};
    for (int k = 0; k < truepeak::kPhaseTaps; k += kLaneWidth) {
        const Lane4 xl = lanesAt(left + k);
        const Lane4 xr = lanesAt(right + k);
        const Lane4 k0 = lanesAt(c0 + k);
        const Lane4 k1 = lanesAt(c1 + k);
        const Lane4 k2 = lanesAt(c2 + k);
        l0 += k0 * xl;
        l1 += k1 * xl;
        l2 += k2 * xl;
        r0 += k0 * xr;
        r1 += k1 * xr;
        r2 += k2 * xr;
    }
    sumsLeft[0] = laneSum(l0);
    sumsLeft[1] = laneSum(l1);
    sumsLeft[2] = laneSum(l2);
    sumsRight[0] = laneSum(r0);
    sumsRight[1] = laneSum(r1);
    sumsRight[2] = laneSum(r2);
}

// The half phase alone; two accumulators per channel keep the adds apart.
__attribute__((target_clones("default", "arch=x86-64-v3"))) void convolveHalf(const double* left,
                                                                             const double* right,
                                                                             double* sumLeft,
                                                                             double* sumRight)
{
    const double* c = truepeak::kHalfPhase.data();
    Lane4 la{}, lb{}, ra{}, rb{};
    for (int k = 0; k < truepeak::kPhaseTaps; k += 2 * kLaneWidth) {
        const Lane4 ka = lanesAt(c + k);
        const Lane4 kb = lanesAt(c + k + kLaneWidth);
        la += ka * lanesAt(left + k);
        lb += kb * lanesAt(left + k + kLaneWidth);
        ra += ka * lanesAt(right + k);
        rb += kb * lanesAt(right + k + kLaneWidth);
    }
    const Lane4 left4 = la + lb;
    const Lane4 right4 = ra + rb;
    *sumLeft = laneSum(left4);
    *sumRight = laneSum(right4);
}

// A later candidate replaces the current one only when strictly larger.
inline double larger(double current, double candidate)
{
    return std::fabs(candidate) > std::fabs(current) ? candidate : current;
}

}  // namespace

void TruePeakInterpolator::setSampleRate(double sampleRate)
{
    if (sampleRate >= kNoOversamplingLimit)
        mode_ = Oversampling::None;
    else if (sampleRate >= kHalfRateLimit)
        mode_ = Oversampling::Half;
    else
        mode_ = Oversampling::Quarter;  // also NaN and nonsense rates: the safe, fullest check
}

void TruePeakInterpolator::clear()
{
    ringLeft_.fill(0.0);
    ringRight_.fill(0.0);
    writeIndex_ = 0;
}

void TruePeakInterpolator::process(double left, double right, double& outLeft, double& outRight)
{
    ringLeft_[writeIndex_] = left;
    ringLeft_[writeIndex_ + kTaps] = left;
    ringRight_[writeIndex_] = right;
    ringRight_[writeIndex_ + kTaps] = right;
    writeIndex_ = (writeIndex_ + 1) & (kTaps - 1);

    // Tap 0 is the oldest sample, the one the next call overwrites.
    const double* tapsLeft = ringLeft_.data() + writeIndex_;
    const double* tapsRight = ringRight_.data() + writeIndex_;
    double peakLeft = tapsLeft[0];
    double peakRight = tapsRight[0];

    switch (mode_) {
    case Oversampling::Quarter: {
        double sumsLeft[3];
        double sumsRight[3];
        convolveQuarter(tapsLeft, tapsRight, sumsLeft, sumsRight);
        for (int p = 0; p < 3; ++p) {
            peakLeft = larger(peakLeft, sumsLeft[p]);
            peakRight = larger(peakRight, sumsRight[p]);
        }
        break;
    }
    case Oversampling::Half: {
        double sumLeft = 0.0;
        double sumRight = 0.0;
        convolveHalf(tapsLeft, tapsRight, &sumLeft, &sumRight);
        peakLeft = larger(peakLeft, sumLeft);
        peakRight = larger(peakRight, sumRight);
        break;
    }
    case Oversampling::None:
        break;
    }
    outLeft = peakLeft;
    outRight = peakRight;
}
