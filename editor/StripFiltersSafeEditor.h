#pragma once

#include "editor/StripFiltersEditor.h"
#include "editor/StripHolder.h"

class StripFiltersSafeEditor : public StripHolder<StripFiltersEditor> {
public:
    StripFiltersSafeEditor(Templete* effect, VSTGUI::CControlListener* editor)
        : StripHolder(effect, editor, editor::bitmap::kFilterStrip)
    {
    }

    void setProcessActive(float value)
    {
        forEachBar([value](StripFiltersEditor& bar) { bar.setProcessActive(value); });
    }
};
