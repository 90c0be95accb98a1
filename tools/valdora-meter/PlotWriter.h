#pragma once

// The plot of one checked file as a PNG drawn with cairo: the meters'
// readings over time in dB relative to their references with the reference
// line and the overs marked, the short-term loudness with the target band,
// and a title line with the figures and the verdict.

#include "tools/valdora-meter/DeliveryLimits.h"
#include "tools/valdora-meter/JsonReport.h"

#include <string>

namespace valdorameter {

// Throws std::runtime_error when the PNG cannot be written.
void writePlot(const std::string& path, const FileVerdict& verdict, const DeliveryLimits& limits);

}  // namespace valdorameter
