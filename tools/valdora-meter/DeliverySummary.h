#pragma once

// The text of a delivery check: per file a summary table of the figures and
// one PASS or FAIL line naming what failed.

#include "tools/valdora-meter/JsonReport.h"

#include <ostream>

namespace valdorameter {

void printFileSummary(std::ostream& out, const FileVerdict& verdict, bool checked);

}  // namespace valdorameter
