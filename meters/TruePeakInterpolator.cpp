#include "meters/TruePeakInterpolator.h"

#include "meters/TruePeakCoefficients.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHalfRateLimit = 88200.0;     // from here on one phase is enough
constexpr double kNoOversamplingLimit = 176400.0;  // from here on the samples themselves

static_assert(truepeak::kPhaseTaps == TruePeakInterpolator::kTaps);

// The quarter kernel reads phase 2 as phase 0 backwards and phase 1 from both
// ends: regenerated coefficients must keep that shape.
constexpr bool quarterPhasesMirror()
{
    constexpr int kLast = truepeak::kPhaseTaps - 1;
    const auto& phases = truepeak::kQuarterPhases;
    for (int k = 0; k < truepeak::kPhaseTaps; ++k) {
        if (phases[0][k] != phases[2][kLast - k] || phases[1][k] != phases[1][kLast - k])
            return false;
    }
    return true;
}
static_assert(quarterPhasesMirror());

// Vectors of four doubles (one AVX register, two SSE2 registers on the
// baseline) and of eight (one AVX-512 register), each lane one frame. The
// unaligned, aliasing variants read the history at any offset.
typedef double Lane4 __attribute__((vector_size(32)));
typedef double Lane4Unaligned __attribute__((vector_size(32), aligned(8), may_alias));
typedef long long Bits4 __attribute__((vector_size(32)));
typedef double Lane8 __attribute__((vector_size(64)));
typedef double Lane8Unaligned __attribute__((vector_size(64), aligned(8), may_alias));
typedef long long Bits8 __attribute__((vector_size(64)));

template <typename Lane>
struct LaneTraits;

template <>
struct LaneTraits<Lane4> {
    using Unaligned = Lane4Unaligned;
    using Bits = Bits4;
    static constexpr int kWidth = 4;
};

template <>
struct LaneTraits<Lane8> {
    using Unaligned = Lane8Unaligned;
    using Bits = Bits8;
    static constexpr int kWidth = 8;
};

static_assert(LaneTraits<Lane8>::kWidth <= TruePeakInterpolator::kLanePad);

template <typename Lane>
inline const typename LaneTraits<Lane>::Unaligned& lanesAt(const double* p)
{
    return *reinterpret_cast<const typename LaneTraits<Lane>::Unaligned*>(p);
}

template <typename Lane>
inline typename LaneTraits<Lane>::Unaligned& lanesAt(double* p)
{
    return *reinterpret_cast<typename LaneTraits<Lane>::Unaligned*>(p);
}

// A later candidate replaces the current one only when strictly larger in
// magnitude. Vectors by reference: by value they would change the calling
// convention between the instruction-set versions.
template <typename Lane>
__attribute__((always_inline)) inline void keepLarger(Lane& current, const Lane& candidate)
{
    using Bits = typename LaneTraits<Lane>::Bits;
    constexpr long long kMagnitudeBits = 0x7fffffffffffffffLL;
    const Lane candidateMagnitude = reinterpret_cast<Lane>(reinterpret_cast<Bits>(candidate) & kMagnitudeBits);
    const Lane currentMagnitude = reinterpret_cast<Lane>(reinterpret_cast<Bits>(current) & kMagnitudeBits);
    current = candidateMagnitude > currentMagnitude ? candidate : current;
}

// Hides where the coefficients are from the optimiser: otherwise it hoists
// all 192 broadcasts out of the frame loop and spills them to the stack.
inline void opaque(const double*& coefficients)
{
    asm("" : "+r"(coefficients));
}

// Frames j .. j + width - 1 at once, one per lane: the slice vector at tap k
// is loaded once for three phases and each coefficient broadcast once for two
// channels. Even and odd taps go to separate accumulators to keep the
// dependency chains short; no lane ever needs a horizontal sum.
template <typename Lane>
__attribute__((always_inline)) inline void quarterGroup(const double* left,
                                                        const double* right,
                                                        double* outLeft,
                                                        double* outRight)
{
    // The outer phases mirror each other (phase 0's tap k is phase 2's tap
    // 63 - k) and the middle one is symmetric, so taps k and 63 - k share
    // three broadcasts.
    const double* outer = truepeak::kQuarterPhases[0].data();
    const double* middle = truepeak::kQuarterPhases[1].data();
    opaque(outer);
    opaque(middle);
    constexpr int kLast = truepeak::kPhaseTaps - 1;
    Lane l0a{}, l1a{}, l2a{}, r0a{}, r1a{}, r2a{};
    Lane l0b{}, l1b{}, l2b{}, r0b{}, r1b{}, r2b{};
#pragma GCC unroll 32
    for (int k = 0; k < truepeak::kPhaseTaps / 2; ++k) {
        const double near = outer[k];
        const double far = outer[kLast - k];
        const double mid = middle[k];
        const Lane xla = lanesAt<Lane>(left + k);
        const Lane xra = lanesAt<Lane>(right + k);
        l0a += near * xla;
        r0a += near * xra;
        l1a += mid * xla;
        r1a += mid * xra;
        l2a += far * xla;
        r2a += far * xra;
        const Lane xlb = lanesAt<Lane>(left + kLast - k);
        const Lane xrb = lanesAt<Lane>(right + kLast - k);
        l0b += far * xlb;
        r0b += far * xrb;
        l1b += mid * xlb;
        r1b += mid * xrb;
        l2b += near * xlb;
        r2b += near * xrb;
    }
    Lane peakLeft = lanesAt<Lane>(left);
    Lane peakRight = lanesAt<Lane>(right);
    keepLarger(peakLeft, l0a + l0b);
    keepLarger(peakLeft, l1a + l1b);
    keepLarger(peakLeft, l2a + l2b);
    keepLarger(peakRight, r0a + r0b);
    keepLarger(peakRight, r1a + r1b);
    keepLarger(peakRight, r2a + r2b);
    lanesAt<Lane>(outLeft) = peakLeft;
    lanesAt<Lane>(outRight) = peakRight;
}

// The half phase alone: four accumulators per channel.
template <typename Lane>
__attribute__((always_inline)) inline void halfGroup(const double* left,
                                                     const double* right,
                                                     double* outLeft,
                                                     double* outRight)
{
    const double* c = truepeak::kHalfPhase.data();
    opaque(c);
    Lane la{}, lb{}, lc{}, ld{}, ra{}, rb{}, rc{}, rd{};
#pragma GCC unroll 16
    for (int k = 0; k < truepeak::kPhaseTaps; k += 4) {
        la += c[k] * lanesAt<Lane>(left + k);
        ra += c[k] * lanesAt<Lane>(right + k);
        lb += c[k + 1] * lanesAt<Lane>(left + k + 1);
        rb += c[k + 1] * lanesAt<Lane>(right + k + 1);
        lc += c[k + 2] * lanesAt<Lane>(left + k + 2);
        rc += c[k + 2] * lanesAt<Lane>(right + k + 2);
        ld += c[k + 3] * lanesAt<Lane>(left + k + 3);
        rd += c[k + 3] * lanesAt<Lane>(right + k + 3);
    }
    Lane peakLeft = lanesAt<Lane>(left);
    Lane peakRight = lanesAt<Lane>(right);
    keepLarger(peakLeft, (la + lb) + (lc + ld));
    keepLarger(peakRight, (ra + rb) + (rc + rd));
    lanesAt<Lane>(outLeft) = peakLeft;
    lanesAt<Lane>(outRight) = peakRight;
}

// Frame j's taps start at left + j and right + j. A last partial group reads
// up to width - 1 slices past the run (the history's padding) and keeps only
// the frames asked for.
template <typename Lane, void (*group)(const double*, const double*, double*, double*)>
__attribute__((always_inline)) inline void runOf(const double* left,
                                                 const double* right,
                                                 double* outLeft,
                                                 double* outRight,
                                                 int count)
{
    constexpr int kWidth = LaneTraits<Lane>::kWidth;
    int j = 0;
    for (; j + kWidth <= count; j += kWidth)
        group(left + j, right + j, outLeft + j, outRight + j);
    if (j < count) {
        double tailLeft[kWidth];
        double tailRight[kWidth];
        group(left + j, right + j, tailLeft, tailRight);
        std::copy_n(tailLeft, count - j, outLeft + j);
        std::copy_n(tailRight, count - j, outRight + j);
    }
}

// One version per instruction set, picked once at load, so the library runs
// on any x86-64 yet uses AVX2/FMA or AVX-512 where the machine has them; the
// whole run goes through one dispatch.
void quarterRunBase(const double* left,
                    const double* right,
                    double* outLeft,
                    double* outRight,
                    int count)
{
    runOf<Lane4, quarterGroup<Lane4>>(left, right, outLeft, outRight, count);
}

void halfRunBase(const double* left,
                 const double* right,
                 double* outLeft,
                 double* outRight,
                 int count)
{
    runOf<Lane4, halfGroup<Lane4>>(left, right, outLeft, outRight, count);
}

using RunFunction = void (*)(const double*, const double*, double*, double*, int);

struct RunSet {
    RunFunction quarter;
    RunFunction half;
};

#ifdef _WIN32
// GCC does not align wide vector spills on the Windows stack, so the Windows
// builds keep to the baseline version.
RunSet pickRuns()
{
    return {quarterRunBase, halfRunBase};
}
#else
__attribute__((target("arch=x86-64-v3"))) void quarterRunV3(const double* left,
                                                            const double* right,
                                                            double* outLeft,
                                                            double* outRight,
                                                            int count)
{
    runOf<Lane4, quarterGroup<Lane4>>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v4"))) void quarterRunV4(const double* left,
                                                            const double* right,
                                                            double* outLeft,
                                                            double* outRight,
                                                            int count)
{
    runOf<Lane8, quarterGroup<Lane8>>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v3"))) void halfRunV3(const double* left,
                                                         const double* right,
                                                         double* outLeft,
                                                         double* outRight,
                                                         int count)
{
    runOf<Lane4, halfGroup<Lane4>>(left, right, outLeft, outRight, count);
}

__attribute__((target("arch=x86-64-v4"))) void halfRunV4(const double* left,
                                                         const double* right,
                                                         double* outLeft,
                                                         double* outRight,
                                                         int count)
{
    runOf<Lane8, halfGroup<Lane8>>(left, right, outLeft, outRight, count);
}

RunSet pickRuns()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4"))
        return {quarterRunV4, halfRunV4};
    if (__builtin_cpu_supports("x86-64-v3"))
        return {quarterRunV3, halfRunV3};
    return {quarterRunBase, halfRunBase};
}
#endif

const RunSet kRuns = pickRuns();

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
            kRuns.quarter(tapsLeft, tapsRight, outLeft, outRight, run);
            break;
        case Oversampling::Half:
            kRuns.half(tapsLeft, tapsRight, outLeft, outRight, run);
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
