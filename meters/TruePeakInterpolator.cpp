#include "meters/TruePeakInterpolator.h"

#include "meters/TruePeakCoefficients.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHalfRateLimit = 88200.0;     // from here on one phase is enough
constexpr double kNoOversamplingLimit = 176400.0;  // from here on the samples themselves

static_assert(truepeak::kPhaseTaps == TruePeakInterpolator::kTaps);

// Vectors of four doubles (one AVX register, two SSE2 registers on the
// baseline) and of eight (one AVX-512 register). The unaligned, aliasing
// variants read the ring at any offset.
typedef double Lane4 __attribute__((vector_size(32)));
typedef double Lane4Unaligned __attribute__((vector_size(32), aligned(8), may_alias));
typedef double Lane8 __attribute__((vector_size(64)));
typedef double Lane8Unaligned __attribute__((vector_size(64), aligned(8), may_alias));

template <typename Lane>
struct LaneTraits;

template <>
struct LaneTraits<Lane4> {
    using Unaligned = Lane4Unaligned;
    static constexpr int kWidth = 4;
};

template <>
struct LaneTraits<Lane8> {
    using Unaligned = Lane8Unaligned;
    static constexpr int kWidth = 8;
};

template <typename Lane>
inline const typename LaneTraits<Lane>::Unaligned& lanesAt(const double* p)
{
    return *reinterpret_cast<const typename LaneTraits<Lane>::Unaligned*>(p);
}

// By reference: a vector passed by value would change the calling
// convention between the instruction-set versions.
inline double laneSum(const Lane4& v)
{
    return (v[0] + v[1]) + (v[2] + v[3]);
}

inline double laneSum(const Lane8& v)
{
    return ((v[0] + v[4]) + (v[1] + v[5])) + ((v[2] + v[6]) + (v[3] + v[7]));
}

// A later candidate replaces the current one only when strictly larger.
inline double larger(double current, double candidate)
{
    return std::fabs(candidate) > std::fabs(current) ? candidate : current;
}

// Dot products of both channels' 64-tap slices with the three quarter phases.
// Two accumulators per phase and channel (even and odd lane groups) keep the
// dependency chains short; each slice vector is loaded once for three phases
// and each coefficient vector once for two channels.
template <typename Lane>
__attribute__((always_inline)) inline void quarterFrame(const double* left,
                                                        const double* right,
                                                        double* outLeft,
                                                        double* outRight)
{
    constexpr int kWidth = LaneTraits<Lane>::kWidth;
    const double* c0 = truepeak::kQuarterPhases[0].data();
    const double* c1 = truepeak::kQuarterPhases[1].data();
    const double* c2 = truepeak::kQuarterPhases[2].data();
    Lane l0a{}, l1a{}, l2a{}, r0a{}, r1a{}, r2a{};
    Lane l0b{}, l1b{}, l2b{}, r0b{}, r1b{}, r2b{};
#pragma GCC unroll 8
    for (int k = 0; k < truepeak::kPhaseTaps; k += 2 * kWidth) {
        const int m = k + kWidth;
        const Lane xla = lanesAt<Lane>(left + k);
        const Lane xra = lanesAt<Lane>(right + k);
        l0a += lanesAt<Lane>(c0 + k) * xla;
        r0a += lanesAt<Lane>(c0 + k) * xra;
        l1a += lanesAt<Lane>(c1 + k) * xla;
        r1a += lanesAt<Lane>(c1 + k) * xra;
        l2a += lanesAt<Lane>(c2 + k) * xla;
        r2a += lanesAt<Lane>(c2 + k) * xra;
        const Lane xlb = lanesAt<Lane>(left + m);
        const Lane xrb = lanesAt<Lane>(right + m);
        l0b += lanesAt<Lane>(c0 + m) * xlb;
        r0b += lanesAt<Lane>(c0 + m) * xrb;
        l1b += lanesAt<Lane>(c1 + m) * xlb;
        r1b += lanesAt<Lane>(c1 + m) * xrb;
        l2b += lanesAt<Lane>(c2 + m) * xlb;
        r2b += lanesAt<Lane>(c2 + m) * xrb;
    }
    const Lane l0 = l0a + l0b, l1 = l1a + l1b, l2 = l2a + l2b;
    const Lane r0 = r0a + r0b, r1 = r1a + r1b, r2 = r2a + r2b;
    *outLeft = larger(larger(larger(left[0], laneSum(l0)), laneSum(l1)), laneSum(l2));
    *outRight = larger(larger(larger(right[0], laneSum(r0)), laneSum(r1)), laneSum(r2));
}

// The half phase alone: four accumulators per channel keep the chains short.
template <typename Lane>
__attribute__((always_inline)) inline void halfFrame(const double* left,
                                                     const double* right,
                                                     double* outLeft,
                                                     double* outRight)
{
    constexpr int kWidth = LaneTraits<Lane>::kWidth;
    const double* c = truepeak::kHalfPhase.data();
    Lane la{}, lb{}, lc{}, ld{}, ra{}, rb{}, rc{}, rd{};
#pragma GCC unroll 4
    for (int k = 0; k < truepeak::kPhaseTaps; k += 4 * kWidth) {
        const Lane ca = lanesAt<Lane>(c + k);
        const Lane cb = lanesAt<Lane>(c + k + kWidth);
        const Lane cc = lanesAt<Lane>(c + k + 2 * kWidth);
        const Lane cd = lanesAt<Lane>(c + k + 3 * kWidth);
        la += ca * lanesAt<Lane>(left + k);
        lb += cb * lanesAt<Lane>(left + k + kWidth);
        lc += cc * lanesAt<Lane>(left + k + 2 * kWidth);
        ld += cd * lanesAt<Lane>(left + k + 3 * kWidth);
        ra += ca * lanesAt<Lane>(right + k);
        rb += cb * lanesAt<Lane>(right + k + kWidth);
        rc += cc * lanesAt<Lane>(right + k + 2 * kWidth);
        rd += cd * lanesAt<Lane>(right + k + 3 * kWidth);
    }
    const Lane left4 = (la + lb) + (lc + ld);
    const Lane right4 = (ra + rb) + (rc + rd);
    *outLeft = larger(left[0], laneSum(left4));
    *outRight = larger(right[0], laneSum(right4));
}

// Frame j's taps start at left + j and right + j. One version per instruction
// set, picked once at load, so the library runs on any x86-64 yet uses
// AVX2/FMA or AVX-512 where the machine has them; the whole run goes through
// one dispatch.
template <typename Lane>
__attribute__((always_inline)) inline void quarterRunOf(const double* left,
                                                        const double* right,
                                                        double* outLeft,
                                                        double* outRight,
                                                        int count)
{
    for (int j = 0; j < count; ++j)
        quarterFrame<Lane>(left + j, right + j, outLeft + j, outRight + j);
}

template <typename Lane>
__attribute__((always_inline)) inline void halfRunOf(const double* left,
                                                     const double* right,
                                                     double* outLeft,
                                                     double* outRight,
                                                     int count)
{
    for (int j = 0; j < count; ++j)
        halfFrame<Lane>(left + j, right + j, outLeft + j, outRight + j);
}

__attribute__((target("default"))) void quarterRun(const double* left,
                                                   const double* right,
                                                   double* outLeft,
                                                   double* outRight,
                                                   int count)
{
    quarterRunOf<Lane4>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v3"))) void quarterRun(const double* left,
                                                          const double* right,
                                                          double* outLeft,
                                                          double* outRight,
                                                          int count)
{
    quarterRunOf<Lane4>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v4"))) void quarterRun(const double* left,
                                                          const double* right,
                                                          double* outLeft,
                                                          double* outRight,
                                                          int count)
{
    quarterRunOf<Lane8>(left, right, outLeft, outRight, count);
}

__attribute__((target("default"))) void halfRun(const double* left,
                                                const double* right,
                                                double* outLeft,
                                                double* outRight,
                                                int count)
{
    halfRunOf<Lane4>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v3"))) void halfRun(const double* left,
                                                       const double* right,
                                                       double* outLeft,
                                                       double* outRight,
                                                       int count)
{
    halfRunOf<Lane4>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v4"))) void halfRun(const double* left,
                                                       const double* right,
                                                       double* outLeft,
                                                       double* outRight,
                                                       int count)
{
    halfRunOf<Lane8>(left, right, outLeft, outRight, count);
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
    historyLeft_.fill(0.0);
    historyRight_.fill(0.0);
    filled_ = kHistory;
}

void TruePeakInterpolator::process(double left, double right, double& outLeft, double& outRight)
{
    process(&left, &right, &outLeft, &outRight, 1);
}

void TruePeakInterpolator::process(const double* left,
                                   const double* right,
                                   double* outLeft,
                                   double* outRight,
                                   int count)
{
    while (count > 0) {
        const int run = std::min(count, kRunFrames);
        if (filled_ + run > kCapacity) {
            std::copy_n(historyLeft_.data() + filled_ - kHistory, kHistory, historyLeft_.data());
            std::copy_n(historyRight_.data() + filled_ - kHistory, kHistory, historyRight_.data());
            filled_ = kHistory;
        }
        std::copy_n(left, run, historyLeft_.data() + filled_);
        std::copy_n(right, run, historyRight_.data() + filled_);
        // Frame j's slice starts at tap 0, the sample stored 63 frames before it.
        const double* tapsLeft = historyLeft_.data() + filled_ - kHistory;
        const double* tapsRight = historyRight_.data() + filled_ - kHistory;
        switch (mode_) {
        case Oversampling::Quarter:
            quarterRun(tapsLeft, tapsRight, outLeft, outRight, run);
            break;
        case Oversampling::Half:
            halfRun(tapsLeft, tapsRight, outLeft, outRight, run);
            break;
        case Oversampling::None:
            std::copy_n(tapsLeft, run, outLeft);
            std::copy_n(tapsRight, run, outRight);
            break;
        }
        filled_ += run;
        left += run;
        right += run;
        outLeft += run;
        outRight += run;
        count -= run;
    }
}
