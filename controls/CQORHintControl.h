#pragma once

// Mix-in of the controls that explain themselves: while the mouse is over
// such a control its panel's hint line shows one sentence about it.

#include <cstdint>

namespace VSTGUI {

class CHelpHintLabel;

class CQORHintControl {
public:
    virtual ~CQORHintControl() = default;

    // The panel sets its hint line after creating the control; without one
    // the control shows nothing.
    virtual void setHintLabel(CHelpHintLabel* label) { hintLabel = label; }
    CHelpHintLabel* getHintLabel() const { return hintLabel; }
    virtual void showHint(int32_t tag, float value, const int32_t* zone = nullptr);
    virtual void clearHint();

protected:
    CHelpHintLabel* hintLabel = nullptr;
};

// Mix-in of the controls a panel switches off while PROCESS is off: an
// inactive control ignores the mouse and the wheel and, hovered, says why.
class CQORActiveControl {
public:
    void setActive(int32_t state) { active = state; }
    int32_t getActive() const { return active; }
    bool isActive() const { return active != 0; }

protected:
    int32_t active = 1;
};

}  // namespace VSTGUI
