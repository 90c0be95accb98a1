// Designs the polyphase coefficient sets of the inter-sample peak
// interpolator and writes them as a C++ header.
//
// Design: each phase samples a Kaiser-windowed sinc (cut-off at the input
// Nyquist frequency) at its fractional position between taps 31 and 32; the
// window spans +-32 input samples around the interpolated point, so every
// phase sees the same 64-sample neighbourhood. The 4x set holds the phases at
// 1/4, 2/4 and 3/4 (prototype of 256 taps), the 2x set the phase at 1/2
// (prototype of 128 taps). Each phase is then scaled to sum 1.0 so a constant
// signal passes at unity gain. The two window shapes (beta) were fitted to the
// reference taps below; `coefgen --fit` repeats the fit and prints the
// deviations.
//
// Usage: coefgen <output-header>   |   coefgen --fit

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kTaps = 64;
constexpr double kWindowHalfWidth = 32.0;  // input samples either side of the point
constexpr double kQuarterBeta = 5.718;     // 4x set: mild window, flat passband
constexpr double kHalfBeta = 12.3893;      // 2x set: steep window, tiny far taps
constexpr double kPi = 3.14159265358979323846;

using Phase = std::array<double, kTaps>;

double besselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 500; ++k) {
        const double half = x / (2.0 * k);
        term *= half * half;
        sum += term;
        if (term < 1e-22 * sum)
            break;
    }
    return sum;
}

double sinc(double x)
{
    return x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
}

double kaiser(double offset, double beta)
{
    const double u = offset / kWindowHalfWidth;
    if (std::fabs(u) >= 1.0)
        return 0.0;
    return besselI0(beta * std::sqrt(1.0 - u * u)) / besselI0(beta);
}

// The point interpolated lies `fraction` of a sample before tap 32 (after
// tap 31); tap 0 is the oldest sample.
Phase designPhase(double fraction, double beta)
{
    Phase taps{};
    double sum = 0.0;
    for (int k = 0; k < kTaps; ++k) {
        const double offset = k - 32 + fraction;
        taps[k] = sinc(offset) * kaiser(offset, beta);
        sum += taps[k];
    }
    for (double& tap : taps)
        tap /= sum;
    return taps;
}

// Rounding in sin() would leave the mirror pairs a bit apart; copying makes
// the symmetry exact, so both directions of a peak read alike.
Phase mirrored(const Phase& phase)
{
    Phase result{};
    for (int k = 0; k < kTaps; ++k)
        result[k] = phase[kTaps - 1 - k];
    return result;
}

Phase symmetricHalfPhase(double beta)
{
    Phase phase = designPhase(0.5, beta);
    for (int k = 0; k < kTaps / 2; ++k)
        phase[kTaps - 1 - k] = phase[k];
    return phase;
}

std::array<Phase, 3> quarterSet(double beta)
{
    // In time order: 1/4, 2/4, 3/4 of the way from tap 31 to tap 32.
    const Phase late = designPhase(0.25, beta);
    return {mirrored(late), symmetricHalfPhase(beta), late};
}

// Reference taps the design has to reproduce.
constexpr std::array<double, 8> kMiddleTaps28to35 = {-0.0882875, 0.125416, -0.211058, 0.636236,
                                                      0.636236,   -0.211058, 0.125416, -0.0882875};
constexpr double kOuterPeak32 = 0.900181;
constexpr double kOuterTap31 = 0.299699;
constexpr double kOuterTap33 = -0.179386;
constexpr double kHalfCentre = 0.6357317598066;
constexpr double kHalfFirst = -9.527392564188e-7;

double quarterDeviation(const std::array<Phase, 3>& set)
{
    double worst = 0.0;
    for (int i = 0; i < 8; ++i)
        worst = std::fmax(worst, std::fabs(set[1][28 + i] - kMiddleTaps28to35[i]));
    const Phase& outer = set[2];
    worst = std::fmax(worst, std::fabs(outer[32] - kOuterPeak32));
    worst = std::fmax(worst, std::fabs(outer[31] - kOuterTap31));
    worst = std::fmax(worst, std::fabs(outer[33] - kOuterTap33));
    return worst;
}

// Relative: the first tap is a millionth, an absolute measure says nothing.
double halfRelativeDeviation(const Phase& phase)
{
    return std::fmax(std::fabs(phase[31] / kHalfCentre - 1.0), std::fabs(phase[0] / kHalfFirst - 1.0));
}

template <typename Cost>
double fitBeta(Cost cost)
{
    double best = 0.0;
    double bestCost = 1e300;
    for (double beta = 1.0; beta <= 16.0; beta += 0.01) {
        const double c = cost(beta);
        if (c < bestCost) {
            bestCost = c;
            best = beta;
        }
    }
    for (double step = 0.005; step > 1e-6; step *= 0.5) {
        for (const double beta : {best - step, best + step}) {
            const double c = cost(beta);
            if (c < bestCost) {
                bestCost = c;
                best = beta;
            }
        }
    }
    return best;
}

int runFit()
{
    const double quarterBeta = fitBeta([](double beta) { return quarterDeviation(quarterSet(beta)); });
    const double halfBeta = fitBeta([](double beta) { return halfRelativeDeviation(symmetricHalfPhase(beta)); });
    std::printf("4x: fitted beta %.4f (used %.4f), largest deviation %.3g\n", quarterBeta, kQuarterBeta,
                quarterDeviation(quarterSet(kQuarterBeta)));
    std::printf("2x: fitted beta %.4f (used %.4f), largest relative deviation %.3g\n", halfBeta, kHalfBeta,
                halfRelativeDeviation(symmetricHalfPhase(kHalfBeta)));
    return 0;
}

void writePhase(std::FILE* out, const Phase& phase, const char* indent)
{
    std::fprintf(out, "%s{", indent);
    for (int k = 0; k < kTaps; ++k) {
        if (k % 4 == 0)
            std::fprintf(out, "\n        ");
        std::fprintf(out, "%.17g,%s", phase[k], k % 4 == 3 ? "" : " ");
    }
    std::fprintf(out, "\n%s}", indent);
}

int writeHeader(const char* path)
{
    std::FILE* out = std::fopen(path, "w");
    if (!out) {
        std::perror(path);
        return 1;
    }
    const auto quarter = quarterSet(kQuarterBeta);
    std::fprintf(out,
                 "#pragma once\n\n"
                 "// Written by tools/coefgen: Kaiser-windowed sinc phases (window +-32 samples,\n"
                 "// beta %.4f for 4x, %.4f for 2x), each scaled to sum 1.0. Regenerate, do not edit.\n\n"
                 "#include <array>\n\n"
                 "namespace truepeak {\n\n"
                 "constexpr int kPhaseTaps = %d;\n\n"
                 "// 4x: the points 1/4, 2/4 and 3/4 of the way from tap 31 to tap 32.\n"
                 "// Aligned for whole-vector loads in the tap loop.\n"
                 "alignas(64) inline constexpr std::array<std::array<double, kPhaseTaps>, 3> kQuarterPhases = {{\n",
                 kQuarterBeta, kHalfBeta, kTaps);
    for (int p = 0; p < 3; ++p) {
        writePhase(out, quarter[p], "    ");
        std::fprintf(out, ",\n");
    }
    std::fprintf(out, "}};\n\n// 2x: the point halfway between tap 31 and tap 32.\n"
                      "alignas(64) inline constexpr std::array<double, kPhaseTaps> kHalfPhase = ");
    writePhase(out, symmetricHalfPhase(kHalfBeta), "");
    std::fprintf(out, ";\n\n}  // namespace truepeak\n");
    return std::fclose(out) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--fit") == 0)
        return runFit();
    if (argc != 2) {
        std::fprintf(stderr, "usage: coefgen <output-header> | --fit\n");
        return 2;
    }
    return writeHeader(argv[1]);
}
