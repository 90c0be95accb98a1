#pragma once

// An effect whose editor side is a plain router: control changes go to the
// back panel under test and the strip holders, and every parameter change
// of the effect comes back to them, as the real editor passes them on.

#include "base/AEffEditor.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/StripFiltersSafeEditor.h"
#include "editor/StripLabelSafeEditor.h"
#include "toolkit/CControl.h"
#include "toolkit/CFrame.h"
#include "toolkit/OffscreenRender.h"

#include <memory>
#include <string>

namespace paneltest {

inline VstIntPtr latencyHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    if (opcode == audioMasterVersion)
        return 2400;
    if (opcode == audioMasterGetOutputLatency)
        return 4410;  // 100 ms at 44.1 kHz
    return 0;
}

class Router : public VSTGUI::CControlListener {
public:
    void valueChanged(VSTGUI::CControl* control) override
    {
        ++changes;
        if (backPanel && control->getTag() == 65) {
            backPanel->toggle();
            return;
        }
        if (backPanel)
            backPanel->valueChanged(control);
        if (filters)
            filters->valueChanged(control);
        if (labels)
            labels->valueChanged(control);
    }
    void setParameter(VstInt32 index, float value)
    {
        if (backPanel)
            backPanel->setParameter(index, value);
        if (filters)
            filters->setParameter(index, value);
        if (labels)
            labels->setParameter(index, value);
    }

    BackPanel* backPanel = nullptr;
    StripFiltersSafeEditor* filters = nullptr;
    StripLabelSafeEditor* labels = nullptr;
    int changes = 0;
};

inline Router*& currentRouter()
{
    static Router* router = nullptr;
    return router;
}

class RoutingEditor : public AEffEditor {
public:
    using AEffEditor::AEffEditor;
    void setParameter(VstInt32 index, float value) override
    {
        if (Router* router = currentRouter())
            router->setParameter(index, value);
    }
};

inline std::unique_ptr<AEffEditor> makeRoutingEditor(AudioEffect* effect)
{
    return std::make_unique<RoutingEditor>(effect);
}

// The effect, its router and an offscreen frame the size of the whole window.
class Bench {
public:
    explicit Bench(int height = 261)
        : effect(latencyHost, &makeRoutingEditor),
          frame(new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 586, height), nullptr, nullptr))
    {
        currentRouter() = &router;
        effect.resume();
    }
    ~Bench()
    {
        currentRouter() = nullptr;
        frame->close();
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    VSTGUI::CMouseEventResult click(int x, int y, int32_t buttons = VSTGUI::kLButton)
    {
        VSTGUI::CPoint where(x, y);
        const VSTGUI::CMouseEventResult result = frame->onMouseDown(where, VSTGUI::CButtonState(buttons));
        VSTGUI::CPoint up(x, y);
        frame->onMouseUp(up, VSTGUI::CButtonState(buttons));
        return result;
    }
    bool render(const std::string& name)
    {
        const std::string folder = std::string(VALDORA_BINARY_DIR) + "/test-renders";
        std::string command = "mkdir -p '" + folder + "'";
        if (std::system(command.c_str()) != 0)
            return false;
        return VSTGUI::renderToPng(*frame, folder + "/" + name + ".png");
    }

    Templete effect;
    Router router;
    VSTGUI::CFrame* frame;
};

}  // namespace paneltest
