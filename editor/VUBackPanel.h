#pragma once

#include "editor/BackPanel.h"

class VUBackPanel : public BackPanel {
public:
    VUBackPanel(Templete* effect, VSTGUI::CControlListener* editor) : BackPanel(effect, editor, 0) {}
};
