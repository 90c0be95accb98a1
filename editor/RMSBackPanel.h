#pragma once

#include "editor/BackPanel.h"

class RMSBackPanel : public BackPanel {
public:
    RMSBackPanel(Templete* effect, VSTGUI::CControlListener* editor) : BackPanel(effect, editor, 1) {}
};
