#pragma once

// The real editor of an effect, opened offscreen: what a user would click,
// and the frame written as PNG exactly as it is drawn.

#include "core/Templete.h"

#include <string>

class TemepleteEditor;

namespace render {

class OffscreenEditor {
public:
    // Opens at scale (1, 1.5 or 2) times the editor's size. Throws
    // std::runtime_error when the effect has no editor or it does not open.
    explicit OffscreenEditor(Templete& effect, double scale = 1.0);
    ~OffscreenEditor();
    OffscreenEditor(const OffscreenEditor&) = delete;
    OffscreenEditor& operator=(const OffscreenEditor&) = delete;

    void idle();
    // A left click at a point of the frame.
    void click(double x, double y);
    // Where a user clicks to turn the panel round: the middle of the selector.
    void toggleBackPanel();
    // Writes the frame as it stands; false when the file cannot be written.
    bool write(const std::string& path);

private:
    TemepleteEditor* editor;
};

}  // namespace render
