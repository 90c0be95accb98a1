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
constexpr int kLastChunk = truepeak::kPhaseTaps - kLaneWidth;

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
// any x86-64 yet uses AVX2/FMA where the machine has them. Two accumulators
// per phase and channel (even and odd lane groups) halve the dependency
// chains, which otherwise bound the loop rather than the arithmetic.
//
// Tap 63 of the slices still holds the sample being replaced: the newest one
// enters from a register, because reading a vector over a just-stored double
// stalls until the store has left the store buffer.
__attribute__((target_clones("default", "arch=x86-64-v3"))) void convolveQuarter(const double* left,
                                                                                const double* right,
                                                                                double newestLeft,
                                                                                double newestRight,
                                                                                double* sumsLeft,
                                                                                double* sumsRight)
{
    const double* c0 = truepeak::kQuarterPhases[0].data();
    const double* c1 = truepeak::kQuarterPhases[1].data();
    const double* c2 = truepeak::kQuarterPhases[2].data();
    Lane4 l0a{}, l1a{}, l2a{}, r0a{}, r1a{}, r2a{};
    Lane4 l0b{}, l1b{}, l2b{}, r0b{}, r1b{}, r2b{};
#pragma GCC unroll 8
    for (int k = 0; k < truepeak::kPhaseTaps; k += 2 * kLaneWidth) {
        const int m = k + kLaneWidth;
        const Lane4 xla = lanesAt(left + k);
        const Lane4 xra = lanesAt(right + k);
        l0a += lanesAt(c0 + k) * xla;
        r0a += lanesAt(c0 + k) * xra;
        l1a += lanesAt(c1 + k) * xla;
        r1a += lanesAt(c1 + k) * xra;
        l2a += lanesAt(c2 + k) * xla;
        r2a += lanesAt(c2 + k) * xra;
        Lane4 xlb = lanesAt(left + m);
        Lane4 xrb = lanesAt(right + m);
        if (m == kLastChunk) {
            xlb[kLaneWidth - 1] = newestLeft;
            xrb[kLaneWidth - 1] = newestRight;
        }
        l0b += lanesAt(c0 + m) * xlb;
        r0b += lanesAt(c0 + m) * xrb;
        l1b += lanesAt(c1 + m) * xlb;
        r1b += lanesAt(c1 + m) * xrb;
        l2b += lanesAt(c2 + m) * xlb;
        r2b += lanesAt(c2 + m) * xrb;
    }
    const Lane4 l0 = l0a + l0b, l1 = l1a + l1b, l2 = l2a + l2b;
    const Lane4 r0 = r0a + r0b, r1 = r1a + r1b, r2 = r2a + r2b;
    sumsLeft[0] = laneSum(l0);
    sumsLeft[1] = laneSum(l1);
    sumsLeft[2] = laneSum(l2);
    sumsRight[0] = laneSum(r0);
    sumsRight[1] = laneSum(r1);
    sumsRight[2] = laneSum(r2);
}

// The half phase alone: four accumulators per channel keep the chains short.
__attribute__((target_clones("default", "arch=x86-64-v3"))) void convolveHalf(const double* left,
                                                                             const double* right,
                                                                             double newestLeft,
                                                                             double newestRight,
                                                                             double* sumLeft,
                                                                             double* sumRight)
{
    const double* c = truepeak::kHalfPhase.data();
    Lane4 la{}, lb{}, lc{}, ld{}, ra{}, rb{}, rc{}, rd{};
#pragma GCC unroll 4
    for (int k = 0; k < truepeak::kPhaseTaps; k += 4 * kLaneWidth) {
        const int last = k + 3 * kLaneWidth;
        Lane4 xld = lanesAt(left + last);
        Lane4 xrd = lanesAt(right + last);
        if (last == kLastChunk) {
            xld[kLaneWidth - 1] = newestLeft;
            xrd[kLaneWidth - 1] = newestRight;
        }
        const Lane4 ca = lanesAt(c + k);
        const Lane4 cb = lanesAt(c + k + kLaneWidth);
        const Lane4 cc = lanesAt(c + k + 2 * kLaneWidth);
        const Lane4 cd = lanesAt(c + last);
        la += ca * lanesAt(left + k);
        lb += cb * lanesAt(left + k + kLaneWidth);
        lc += cc * lanesAt(left + k + 2 * kLaneWidth);
        ld += cd * xld;
        ra += ca * lanesAt(right + k);
        rb += cb * lanesAt(right + k + kLaneWidth);
        rc += cc * lanesAt(right + k + 2 * kLaneWidth);
        rd += cd * xrd;
    }
    const Lane4 left4 = (la + lb) + (lc + ld);
    const Lane4 right4 = (ra + rb) + (rc + rd);
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
    // After this call the slice from `next` on holds taps 0..63: tap 0 is the
    // oldest sample (written 63 calls ago), tap 63 the slot the new pair takes.
    const int slot = writeIndex_;
    const int next = (slot + 1) & (kTaps - 1);
    const double* tapsLeft = ringLeft_.data() + next;
    const double* tapsRight = ringRight_.data() + next;
    double peakLeft = tapsLeft[0];
    double peakRight = tapsRight[0];

    switch (mode_) {
    case Oversampling::Quarter: {
        double sumsLeft[3];
        double sumsRight[3];
        convolveQuarter(tapsLeft, tapsRight, left, right, sumsLeft, sumsRight);
        for (int p = 0; p < 3; ++p) {
            peakLeft = larger(peakLeft, sumsLeft[p]);
            peakRight = larger(peakRight, sumsRight[p]);
        }
        break;
    }
    case Oversampling::Half: {
        double sumLeft = 0.0;
        double sumRight = 0.0;
        convolveHalf(tapsLeft, tapsRight, left, right, &sumLeft, &sumRight);
        peakLeft = larger(peakLeft, sumLeft);
        peakRight = larger(peakRight, sumRight);
        break;
    }
    case Oversampling::None:
        break;
    }

    ringLeft_[slot] = left;
    ringLeft_[slot + kTaps] = left;
    ringRight_[slot] = right;
    ringRight_[slot + kTaps] = right;
    writeIndex_ = next;
    outLeft = peakLeft;
    outRight = peakRight;
}
