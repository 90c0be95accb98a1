#pragma once

// One bar below the meter (filter or label strip) in one form (compact or
// expanded) for one meter: a container of controls that the editor attaches
// to its frame at the height its layout gives. The editor is the listener of
// every control and passes their changes and all parameter changes back in.

#include "base/VstInterface.h"
#include "controls/CQORHintControl.h"
#include "toolkit/CPoint.h"

class Templete;

namespace VSTGUI {
class CBitmap;
class CControl;
class CControlListener;
class CFrame;
class CViewContainer;
}  // namespace VSTGUI

class StripEditor : public VSTGUI::CQORHintControl {
public:
    StripEditor(Templete* effect, VSTGUI::CControlListener* editor);
    ~StripEditor() override;
    StripEditor(const StripEditor&) = delete;
    StripEditor& operator=(const StripEditor&) = delete;

    void setHintLabel(VSTGUI::CHelpHintLabel* label) override;
    virtual bool createContainer(VSTGUI::CFrame* frame, VSTGUI::CBitmap* background, int height);
    virtual void close();
    virtual void showAt(const VSTGUI::CPoint& point);
    virtual void hide();
    virtual void setParameter(VstInt32 index, float value) = 0;
    virtual void valueChanged(VSTGUI::CControl* control) = 0;
    virtual bool open(VSTGUI::CFrame* frame, VSTGUI::CBitmap* background, bool expanded) = 0;
    virtual void idle() {}

    bool isShown() const { return shown; }
    int getHeight() const { return height; }
    VSTGUI::CViewContainer* getContainer() const { return container; }

protected:
    // Forgets the pointers to the bar's controls (the container owns them).
    virtual void forgetControls() = 0;
    // The controls that report hints: the label bar only its open/close button.
    virtual void handHintLabel(VSTGUI::CHelpHintLabel* label) = 0;

    // Gives `control` its parameter's value and adds it to the bar.
    template <class Control>
    Control* add(Control* control, VstInt32 valueIndex)
    {
        control->setValue(parameter(valueIndex));
        addView(control);
        return control;
    }
    void addView(VSTGUI::CControl* control);
    float parameter(VstInt32 index) const;
    static void setValue(VSTGUI::CControl* control, float value);

    Templete* effect;
    VSTGUI::CControlListener* editor;
    VSTGUI::CFrame* frame = nullptr;
    VSTGUI::CViewContainer* container = nullptr;
    int height = 0;
    bool shown = false;
};
