#pragma once

#include "editor/BackPanel.h"

class PPMBackPanel : public BackPanel {
public:
    using BackPanel::BackPanel;

    bool open(VSTGUI::CViewContainer* parent) override;

protected:
    bool engineValue(int tag, float& value) const override;
    bool engineDisplay(int tag, char* text) const override;
};
