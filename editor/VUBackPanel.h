#pragma once

#include "editor/BackPanel.h"

class VUBackPanel : public BackPanel {
public:
    using BackPanel::BackPanel;

    bool open(VSTGUI::CViewContainer* parent) override;
    // The VU controls show what the engine stored, not the value passed.
    void setParameter(VstInt32 index, float value) override;

protected:
    bool engineValue(int tag, float& value) const override;
    bool engineDisplay(int tag, char* text) const override;
};
