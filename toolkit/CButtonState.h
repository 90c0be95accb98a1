#pragma once

// Mouse buttons and modifier keys of one event, and what a view answers to it.

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kButton4 = 1 << 8,
    kButton5 = 1 << 9,
    kDoubleClick = 1 << 10,
};

// The modifier that, held with a left click, restores a control's default value.
constexpr int32_t kDefaultValueModifier = kControl;
// The modifier that makes drags and wheel steps finer.
constexpr int32_t kZoomModifier = kShift;

class CButtonState {
public:
    CButtonState(int32_t state = 0) : state(state) {}

    int32_t getModifierState() const { return state & (kShift | kControl | kAlt | kApple); }
    bool isLeftButton() const { return (state & kLButton) != 0; }
    bool isDoubleClick() const { return (state & kDoubleClick) != 0; }

    int32_t operator()() const { return state; }
    operator int32_t() const { return state; }
    CButtonState& operator=(int32_t newState)
    {
        state = newState;
        return *this;
    }
    bool operator==(const CButtonState& other) const { return state == other.state; }
    bool operator!=(const CButtonState& other) const { return state != other.state; }

private:
    int32_t state;
};

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY };

}  // namespace VSTGUI
