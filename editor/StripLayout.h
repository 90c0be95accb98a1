#pragma once

// How the strips below the front panel stack up for the values of "Strips",
// "ShowFlt" and "ShowLbl" (each 0 or 1), and the window height that gives.

#include "editor/EditorGeometry.h"

namespace editor {

struct StripLayout {
    bool stripsShown;
    bool filterExpanded;
    bool labelExpanded;
    int filterTop;
    int labelTop;
    int height;  // of the whole window
};

constexpr StripLayout stripLayout(int strips, int showFilters, int showLabel)
{
    if (strips == 0)
        return {false, false, false, kFrontPanelHeight, kFrontPanelHeight, kFrontPanelHeight};
    const bool filterExpanded = showFilters == 1;
    const bool labelExpanded = showLabel == 1;
    const int labelTop = kFrontPanelHeight + (filterExpanded ? kFilterStripHeight : kCompactStripHeight);
    const int height = labelTop + (labelExpanded ? kLabelStripHeight : kCompactStripHeight);
    return {true, filterExpanded, labelExpanded, kFrontPanelHeight, labelTop, height};
}

}  // namespace editor
