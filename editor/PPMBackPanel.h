#pragma once

#include "editor/BackPanel.h"

class PPMBackPanel : public BackPanel {
public:
    PPMBackPanel(Templete* effect, VSTGUI::CControlListener* editor) : BackPanel(effect, editor, 2) {}
};
