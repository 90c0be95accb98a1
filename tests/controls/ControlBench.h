#pragma once

// An offscreen frame with a recording editor as both the frame's editor
// interface and every control's listener, and a hint line, driven through
// the frame's own mouse and wheel entry points.

#include "ToolkitProbes.h"

#include "controls/CHelpHintLabel.h"

#include <gtest/gtest.h>

#include <string>

namespace controls_test {

using namespace VSTGUI;
using toolkit_test::EventLog;

class ControlBench : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T* add(T* view)
    {
        frame->addView(view);
        return view;
    }
    CMouseEventResult down(CCoord x, CCoord y, int32_t buttons = kLButton);
    void move(CCoord x, CCoord y, int32_t buttons = kLButton);
    void up(CCoord x, CCoord y, int32_t buttons = kLButton);
    // A move with no button held: enter/exit and hover.
    void hover(CCoord x, CCoord y, int32_t modifiers = 0);
    void wheel(CCoord x, CCoord y, float distance, int32_t modifiers = 0);
    void clearCalls() { editor.calls.clear(); }
    std::string hint() const { return hintLabel->getText(); }
    CColor pixel(int x, int y) const { return frame->getBackBuffer().getPixel(x, y); }
    void redraw();

    toolkit_test::RecordingEditor editor;
    CFrame* frame = nullptr;
    CHelpHintLabel* hintLabel = nullptr;
};

// The edit bracket and change report of one complete edit of `tag`.
EventLog oneEdit(int tag);

}  // namespace controls_test
