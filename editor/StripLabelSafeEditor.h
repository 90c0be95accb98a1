#pragma once

#include "editor/StripHolder.h"
#include "editor/StripLabelEditor.h"

class StripLabelSafeEditor : public StripHolder<StripLabelEditor> {
public:
    StripLabelSafeEditor(Templete* effect, VSTGUI::CControlListener* editor)
        : StripHolder(effect, editor, editor::bitmap::kLabelStrip)
    {
    }

    // The pen animation runs only on the expanded bar on screen.
    void idle()
    {
        if (StripLabelEditor* bar = isCompact() ? nullptr : currentBar())
            bar->idle();
    }
};
