#pragma once

// The readings a meter view asks an engine for. The VU engine's level is its
// needle; only the RMS engine has a mean square.
enum class MeterReading { Level, Hold, MeanSquare };
