#pragma once

// The pictures the editor is looked at and documented with, one function a
// mode; each writes PNGs into outDir and says on stderr what it could not.

#include <string>

namespace render {

// Each meter's settings back panel (with and without strips) and the whole
// window with both strips compact and both expanded, over an idle effect.
// scale: 1, 1.5 or 2 times the editor's size.
bool renderPanels(const std::string& outDir, double scale);
// Each meter's two views over its front panel at fixed readings: the left
// view the reading, the right one with its hold mark and the over LED lit.
bool renderMeterViews(const std::string& outDir);
// The user manual's pictures over an effect measuring a steady tone: each
// meter's front and back panel and the window with both strips open.
bool renderManual(const std::string& outDir, double scale);
// The editor as a host shows it: the built plug-in loaded, its editor in a
// window of the X server of DISPLAY, fed a test signal at real time.
bool renderWindows(const std::string& pluginPath, const std::string& outDir);

}  // namespace render
