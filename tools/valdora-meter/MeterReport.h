#pragma once

// What valdora-meter prints: a table of readings on the terminal, the same
// readings as CSV when asked, and a summary of maxima and overs at the end.

#include "tools/valdora-meter/PanelReader.h"

#include <array>
#include <fstream>
#include <ostream>
#include <string>

namespace valdorameter {

class MeterReport {
public:
    // Throws std::runtime_error when the CSV file cannot be created.
    MeterReport(std::ostream& terminal, int meter, const std::string& csvPath);

    void add(double timeSec, const PanelReading& reading);
    // Writes the summary; false when the CSV could not be written completely.
    bool finish();


    static const char* meterName(int meter);

private:
    void writeCsvRow(double timeSec, const PanelReading& reading);

    std::ostream& terminal_;
    int meter_;
    std::ofstream csv_;
    bool csvWanted_;
    int rows_ = 0;
    std::array<int, 2> overs_{};
    std::array<double, 2> maxValue_{-1.0, -1.0};
    std::array<double, 2> maxHold_{-1.0, -1.0};
};

}  // namespace valdorameter
