#pragma once

// Rendering a view tree without a window: for tests and tools.

#include <string>

namespace VSTGUI {

class CFrame;

// Brings the frame's picture up to date (no window events) and writes it as PNG.
bool renderToPng(CFrame& frame, const std::string& path);

}  // namespace VSTGUI
