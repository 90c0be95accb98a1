#pragma once

// Views and listeners that record what the toolkit does to them, and
// bitmaps made in memory (the library has no artwork in tests).

#include "toolkit/CBitmap.h"
#include "toolkit/CControl.h"
#include "toolkit/CFrame.h"

#include <string>
#include <vector>

namespace toolkit_test {

using namespace VSTGUI;

// A shared log of events: "down A", "enter B", "draw C" ...
using EventLog = std::vector<std::string>;

// A plain view that fills itself with a colour and logs what reaches it.
class ProbeView : public CView {
public:
    ProbeView(const CRect& size, std::string name, EventLog* log, CColor color = kWhiteCColor,
              CMouseEventResult downResult = kMouseEventHandled);
    ~ProbeView() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    CPoint lastWhere;
    CButtonState lastButtons;
    int drawCount = 0;
    static int liveCount;

private:
    void note(const std::string& what);
    std::string name;
    EventLog* log;
    CColor color;
    CMouseEventResult downResult;
};

// A container that logs enter/exit, to see the order across nesting levels.
class ProbeContainer : public CViewContainer {
public:
    ProbeContainer(const CRect& size, std::string name, EventLog* log);
    CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

private:
    std::string name;
    EventLog* log;
};

// Records listener calls and the frame's edit bracket in one sequence.
class RecordingEditor : public VSTGUIEditorInterface, public CControlListener {
public:
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    int32_t getKnobMode() const override { return knobMode; }
    void valueChanged(CControl* control) override;

    int32_t knobMode = kCircularMode;
    EventLog calls;
    std::vector<float> values;
};

// A bitmap of `frames` frames of width x frameHeight stacked vertically,
// frame i filled with frameColor(i).
CBitmap* makeFilmStrip(int width, int frameHeight, int frames);
CColor frameColor(int index);
// One colour all over.
CBitmap* makeSolidBitmap(int width, int height, CColor color);
// PNG file bytes of a small image, the way resources hold them.
std::vector<unsigned char> pngBytes(int width, int height, CColor color);

// Colours compared channel by channel within `tolerance`.
bool near(CColor a, CColor b, int tolerance = 2);
std::string describe(CColor c);

}  // namespace toolkit_test
