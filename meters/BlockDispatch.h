#pragma once

// An engine's block loop built twice, for any x86-64 and for x86-64-v3
// (AVX2: three-operand instructions and blends do without most of the
// register copies of the two-lane code), the version picked once at load.
// The engine's runBlock is always inline, so each version is compiled
// whole for its instruction set; both give the same bits. Each engine's
// source instantiates its own; the members are defined out of line so that
// other sources (the tests) call that instantiation instead of making one.

template <class Engine>
struct BlockDispatch {
    using Run = void (*)(Engine&, const float*, const float*, int);

    static void baseline(Engine& engine, const float* left, const float* right, int count);
#if defined(__x86_64__) && !defined(_WIN32)
    __attribute__((target("arch=x86-64-v3"))) static void v3(Engine& engine, const float* left, const float* right,
                                                             int count);
#endif
    static Run pick();
};

template <class Engine>
void BlockDispatch<Engine>::baseline(Engine& engine, const float* left, const float* right, int count)
{
    engine.runBlock(left, right, count);
}

#if defined(__x86_64__) && !defined(_WIN32)
template <class Engine>
__attribute__((target("arch=x86-64-v3"))) void BlockDispatch<Engine>::v3(Engine& engine, const float* left,
                                                                         const float* right, int count)
{
    engine.runBlock(left, right, count);
}

template <class Engine>
typename BlockDispatch<Engine>::Run BlockDispatch<Engine>::pick()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("x86-64-v3") ? v3 : baseline;
}
#else
// Windows builds keep to the baseline, as the interpolator does.
template <class Engine>
typename BlockDispatch<Engine>::Run BlockDispatch<Engine>::pick()
{
    return baseline;
}
#endif
