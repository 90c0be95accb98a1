#pragma once

// Both channels of a meter in one two-lane vector (left in lane 0). The two
// channels' per-sample dependency chains then run side by side in one
// instruction stream, and the loop needs half the registers it would with
// each channel in scalars. Picks are lane masks, never branches. Every
// operation is the scalar one per lane, so results are the same bits.

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "meters/SampleGuard.h"

#include <cfloat>

namespace lanes {

typedef double Pair __attribute__((vector_size(16)));
typedef long long Mask __attribute__((vector_size(16)));
typedef float FloatPair __attribute__((vector_size(8)));

inline Pair splat(double value)
{
    return Pair{value, value};
}

inline Pair pick(Mask m, Pair ifSet, Pair ifClear)
{
    return m ? ifSet : ifClear;
}

// a < b ? a : b per lane, a NaN in b passing through. Spelled out, the
// compiler builds it from three mask operations; min/max are one.
inline Pair lesser(Pair a, Pair b)
{
#if defined(__SSE2__)
    return _mm_min_pd(a, b);
#else
    return a < b ? a : b;
#endif
}

// a > b ? a : b per lane, a NaN in b passing through.
inline Pair greater(Pair a, Pair b)
{
#if defined(__SSE2__)
    return _mm_max_pd(a, b);
#else
    return a > b ? a : b;
#endif
}

inline Pair absolute(Pair v)
{
    constexpr long long kMagnitudeBits = 0x7fffffffffffffffLL;
    return reinterpret_cast<Pair>(reinterpret_cast<Mask>(v) & kMagnitudeBits);
}

// A NaN or infinite sample reads as silence (see sampleguard::finiteOrZero).
inline Pair finiteOrZero(Pair v)
{
    return pick(absolute(v) <= DBL_MAX, v, splat(0.0));
}

inline Pair fromFloats(float left, float right)
{
    return __builtin_convertvector((FloatPair{left, right}), Pair);
}

// Added and subtracted so that decaying values never turn denormal (see
// sampleguard::flushed).
inline Pair flushed(Pair v)
{
    return (v + sampleguard::kDenormalFlush) - sampleguard::kDenormalFlush;
}

// frames of two float channels as guarded pairs, four frames at a time.
inline void guardFrames(const float* left, const float* right, Pair* out, int frames)
{
    typedef float Floats4 __attribute__((vector_size(16), aligned(4), may_alias));
    typedef int Bits4 __attribute__((vector_size(16)));
    typedef double Doubles4 __attribute__((vector_size(32)));
    int i = 0;
    for (; i + 4 <= frames; i += 4) {
        const Floats4 l = *reinterpret_cast<const Floats4*>(left + i);
        const Floats4 r = *reinterpret_cast<const Floats4*>(right + i);
        Floats4 first = __builtin_shuffle(l, r, Bits4{0, 4, 1, 5});
        Floats4 second = __builtin_shuffle(l, r, Bits4{2, 6, 3, 7});
        // NaN and infinities read as silence, as in finiteOrZero.
        const Bits4 magnitude = Bits4{} + 0x7fffffff;
        first = reinterpret_cast<Floats4>((reinterpret_cast<Bits4>(first) & magnitude) <= 0x7f7fffff
                                              ? reinterpret_cast<Bits4>(first)
                                              : Bits4{});
        second = reinterpret_cast<Floats4>((reinterpret_cast<Bits4>(second) & magnitude) <= 0x7f7fffff
                                               ? reinterpret_cast<Bits4>(second)
                                               : Bits4{});
        const Doubles4 a = __builtin_convertvector(first, Doubles4);
        const Doubles4 b = __builtin_convertvector(second, Doubles4);
        out[i] = Pair{a[0], a[1]};
        out[i + 1] = Pair{a[2], a[3]};
        out[i + 2] = Pair{b[0], b[1]};
        out[i + 3] = Pair{b[2], b[3]};
    }
    for (; i < frames; ++i)
        out[i] = finiteOrZero(fromFloats(left[i], right[i]));
}

// True when either lane of the mask is set.
inline bool any(Mask m)
{
#if defined(__SSE2__)
    return _mm_movemask_pd(reinterpret_cast<__m128d>(m)) != 0;
#else
    return (m[0] | m[1]) != 0;
#endif
}

// True when either lane of v is at or above the threshold.
inline bool anyAtOrAbove(Pair v, double threshold)
{
#if defined(__SSE2__)
    return _mm_movemask_pd(_mm_cmpge_pd(v, _mm_set1_pd(threshold))) != 0;
#else
    return v[0] >= threshold || v[1] >= threshold;
#endif
}

// True when either lane of v lies outside [start, end).
inline bool anyOutside(Pair v, Pair start, Pair end)
{
#if defined(__SSE2__)
    return _mm_movemask_pd(_mm_or_pd(_mm_cmplt_pd(v, start), _mm_cmple_pd(end, v))) != 0;
#else
    return v[0] < start[0] || v[1] < start[1] || end[0] <= v[0] || end[1] <= v[1];
#endif
}

// Each lane rounded to single precision and back.
inline Pair roundedToFloat(Pair v)
{
#if defined(__SSE2__)
    return _mm_cvtps_pd(_mm_cvtpd_ps(v));
#else
    return __builtin_convertvector(__builtin_convertvector(v, FloatPair), Pair);
#endif
}

}  // namespace lanes
