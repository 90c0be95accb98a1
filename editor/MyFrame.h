#pragma once

// The editor's frame. It draws and routes events as the toolkit's frame
// does; the class exists so the editor's frame has a name of its own.

#include "toolkit/CFrame.h"

class MyFrame : public VSTGUI::CFrame {
public:
    using VSTGUI::CFrame::CFrame;

    const char* getClassName() const override { return "MyFrame"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "MyFrame") == 0 || CFrame::isTypeOf(s); }
};
