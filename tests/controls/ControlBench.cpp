#include "ControlBench.h"

namespace controls_test {

void ControlBench::SetUp()
{
    frame = new CFrame(CRect(0, 0, 600, 300), nullptr, &editor);
    frame->setBackgroundColor(kWhiteCColor);
    // Kept away from the controls so hovering it never gets in the way.
    hintLabel = add(new CHelpHintLabel(CRect(304, 280, 496, 294)));
}

void ControlBench::TearDown() { frame->close(); }

CMouseEventResult ControlBench::down(CCoord x, CCoord y, int32_t buttons)
{
    CPoint p(x, y);
    return frame->onMouseDown(p, buttons);
}

void ControlBench::move(CCoord x, CCoord y, int32_t buttons)
{
    CPoint p(x, y);
    frame->onMouseMoved(p, buttons);
}

void ControlBench::up(CCoord x, CCoord y, int32_t buttons)
{
    CPoint p(x, y);
    frame->onMouseUp(p, buttons);
}

void ControlBench::hover(CCoord x, CCoord y, int32_t modifiers)
{
    CPoint p(x, y);
    frame->onMouseMoved(p, modifiers);
}

void ControlBench::wheel(CCoord x, CCoord y, float distance, int32_t modifiers)
{
    frame->onWheel(CPoint(x, y), kMouseWheelAxisY, distance, modifiers);
}

void ControlBench::redraw()
{
    frame->invalid();
    frame->drawDirtyRegion();
}

EventLog oneEdit(int tag)
{
    const std::string t = std::to_string(tag);
    return {"begin " + t, "changed " + t, "end " + t};
}

}  // namespace controls_test
