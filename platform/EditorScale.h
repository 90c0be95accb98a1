#pragma once

// The size the editor is drawn at on the screen: 1, 1.5 or 2 device pixels
// per panel pixel. The user's choice (the "EditorScale" value of the settings
// key: "1", "1.5", "2" or "auto") wins; "auto" or no value follows the
// desktop's own scale.

#include <string>

namespace platform {

constexpr const char* kEditorScaleValueName = "EditorScale";
constexpr double kSmallestEditorScale = 1.0;

// The nearest allowed scale at or below `scale` (1, 1.5 or 2).
double snapEditorScale(double scale);
// A desktop scale from a DPI (96 is scale 1).
double editorScaleForDpi(double dpi);
// The stored choice as a scale; 0 for "auto", absent or unreadable values.
double parseEditorScale(const std::string& text);
// The Xft.dpi entry of an X resource database string; 0 when it has none.
double xftDpiOf(const char* resources);
// The user's stored choice; 0 when the desktop should decide.
double storedEditorScale();
// Final choice from the user's setting, else `desktopScale`, else 1.
double chooseEditorScale(double desktopScale);

}  // namespace platform
