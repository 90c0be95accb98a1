#include "editor/TemepleteEditor.h"

#include "base/ParameterIds.h"
#include "base/ParameterSteps.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/CQORPPMMeterFULLPANEL.h"
#include "editor/CQORRMSMeterFULLPANEL.h"
#include "editor/CQORVUMeterFULLPANEL.h"
#include "editor/MyFrame.h"
#include "editor/StripFiltersSafeEditor.h"
#include "editor/StripLabelSafeEditor.h"
#include "toolkit/IPlatformFrame.h"

using namespace VSTGUI;

namespace {

constexpr double kMsToSeconds = 0.001;

bool isEditorControlTag(int32_t tag)
{
    return (tag >= param::kProcess && tag <= param::kShowFilters) || tag == param::kShowLabel;
}

}  // namespace

TemepleteEditor::TemepleteEditor(Templete* effect)
    : CPresetSystemEditor(effect),
      templete(effect),
      background(new CBitmap(CResourceDescription(editor::bitmap::kFrameBackground)), false)
{
    rect = {0, 0, static_cast<VstInt16>(kInitialHeight), static_cast<VstInt16>(editor::kEditorWidth)};
}

// The effect owns the editor and drops its pointer as it deletes it, so
// there is nothing to detach; a window left open is taken down here.
TemepleteEditor::~TemepleteEditor()
{
    templete = nullptr;
    if (frame)
        close();
}

CQORMeterFULLPANEL* TemepleteEditor::getPanel(int meter) const
{
    if (meter < 0 || meter >= editor::kMeterCount)
        return nullptr;
    return panels[static_cast<std::size_t>(meter)].get();
}

// ---------------------------------------------------------------------------
// open, close, idle

bool TemepleteEditor::open(void* parent)
{
    parentWindow = parent;
    if (!parent)
        return false;
    return openFrame(parent);
}

bool TemepleteEditor::openOffscreen()
{
    parentWindow = nullptr;
    return openFrame(nullptr);
}

bool TemepleteEditor::openFrame(void* parent)
{
    const std::lock_guard<std::recursive_mutex> lock(windowMutex);
    if (frame || !background || !background->isLoaded() || !templete)
        return false;
    AEffGUIEditor::open(parent);
    otherThreadChanges.clear();
    frame = new MyFrame(CRect(rect.left, rect.top, rect.left + editor::kEditorWidth, rect.top + kInitialHeight),
                        parent, this);
    // From here on changes made on this thread go straight to the views.
    editorThread.store(std::this_thread::get_id(), std::memory_order_release);
    frame->setBackground(background.get());
    setKnobMode(kLinearMode);

    currentMeter = kNoMeter;
    stripState = {-1, -1, -1};

    panels[0] = std::make_unique<CQORVUMeterFULLPANEL>(this, templete);
    panels[1] = std::make_unique<CQORRMSMeterFULLPANEL>(this, templete);
    panels[2] = std::make_unique<CQORPPMMeterFULLPANEL>(this, templete);
    for (auto& panel : panels)
        panel->open(frame);
    selectMeter(templete->getParameter(param::kMeter));

    // Each strip holder keeps a compact and an expanded bar per meter and
    // shows the one the layout and the meter ask for.
    filterStrip = std::make_unique<StripFiltersSafeEditor>(templete, this);
    labelStrip = std::make_unique<StripLabelSafeEditor>(templete, this);
    filterStrip->open(frame);
    labelStrip->open(frame);
    std::array<VSTGUI::CHelpHintLabel*, editor::kMeterCount> hints{};
    for (std::size_t meter = 0; meter < hints.size(); ++meter)
        hints[meter] = panels[meter] ? panels[meter]->getHintLabel() : nullptr;
    filterStrip->setHintLabels(hints[0], hints[1], hints[2]);
    labelStrip->setHintLabels(hints[0], hints[1], hints[2]);
    // The meter selection laid the strips out already; the window size is
    // settled only now, with the strip editors in place.
    stripState = {-1, -1, -1};
    layoutStrips(true);
    return true;
}

void TemepleteEditor::close()
{
    const std::lock_guard<std::recursive_mutex> lock(windowMutex);
    editorThread.store(std::thread::id(), std::memory_order_release);
    parentWindow = nullptr;
    if (labelStrip)
        labelStrip->close();
    if (filterStrip)
        filterStrip->close();
    labelStrip.reset();
    filterStrip.reset();
    for (auto& panel : panels)
        if (panel)
            panel->close();
    for (auto& panel : panels)
        panel.reset();
    currentMeter = kNoMeter;
    AEffGUIEditor::close();
}

void TemepleteEditor::idle()
{
    const std::lock_guard<std::recursive_mutex> lock(windowMutex);
    if (!frame)
        return;
    otherThreadChanges.deliver([this](VstInt32 index, float value) { applyParameter(index, value); });
    if (labelStrip)
        labelStrip->idle();
    lastElapsedBlocks = elapsedBlocks();
    if (CQORMeterFULLPANEL* const panel = currentPanel())
        panel->refresh(lastElapsedBlocks);
    AEffGUIEditor::idle();
}

// Both times are on the process clock the audio path stamps its blocks with.
double TemepleteEditor::elapsedBlocks() const
{
    const double nowSec = frame->getTicks() * kMsToSeconds;
    const double blockSec = templete->blockDurationSec();
    if (nowSec < 0.0 || !(blockSec > 0.0))
        return 0.0;
    const double elapsed = (nowSec - templete->lastBlockTimeSec()) / blockSec;
    return elapsed < 0.0 ? 0.0 : elapsed;
}

// ---------------------------------------------------------------------------
// parameters and controls

// Only the thread that opened the window touches it, so no other thread
// reads the frame either: it leaves a note for the next idle, which a
// closed editor never delivers (open starts from the effect's values).
void TemepleteEditor::setParameter(VstInt32 index, float value)
{
    if (std::this_thread::get_id() != editorThread.load(std::memory_order_acquire)) {
        otherThreadChanges.post(index, value);
        return;
    }
    const std::lock_guard<std::recursive_mutex> lock(windowMutex);
    if (frame)
        applyParameter(index, value);
}

void TemepleteEditor::applyParameter(VstInt32 index, float value)
{
    // A control's own change must not take the control out of the frame
    // before its edit is over: the host would hear its endEdit before the
    // change. Panels and strips are swapped once the control is done.
    if (index == param::kProcess) {
        if (filterStrip)
            filterStrip->setProcessActive(value);
    } else if (index == param::kMeter) {
        if (controlChanging)
            deferredMeter = value;
        else
            selectMeter(value);
    } else if (index == param::kShowStrips || index == param::kShowFilters || index == param::kShowLabel) {
        if (controlChanging)
            deferredLayout = true;
        else
            layoutStrips(true);
    }

    if (labelStrip)
        labelStrip->setParameter(index, value);
    if (filterStrip)
        filterStrip->setParameter(index, value);
    for (auto& panel : panels)
        if (panel)
            panel->setParameter(index, value);
}

void TemepleteEditor::valueChanged(CControl* control)
{
    if (!control)
        return;
    const bool outermost = !controlChanging;
    controlChanging = true;
    CPresetSystemEditor::valueChanged(control);
    const int32_t tag = control->getTag();
    if (isEditorControlTag(tag) && templete) {
        templete->setParameterAutomated(tag, control->getValue());
        control->setDirty();
    }
    if (CQORMeterFULLPANEL* const panel = currentPanel())
        panel->valueChanged(control);
    if (labelStrip)
        labelStrip->valueChanged(control);
    if (filterStrip)
        filterStrip->valueChanged(control);
    if (outermost) {
        controlChanging = false;
        applyDeferredLayout();
    }
}

void TemepleteEditor::applyDeferredLayout()
{
    if (deferredMeter) {
        const float meter = *deferredMeter;
        deferredMeter.reset();
        selectMeter(meter);
    }
    if (deferredLayout) {
        deferredLayout = false;
        layoutStrips(true);
    }
}

// ---------------------------------------------------------------------------
// meter and strips

void TemepleteEditor::selectMeter(float value)
{
    const int meter = param::threeState(value);
    if (meter == currentMeter)
        return;
    currentMeter = meter;
    for (auto& panel : panels)
        if (panel)
            panel->hide();
    if (CQORMeterFULLPANEL* const panel = currentPanel())
        panel->show();
    stripState[0] = -1;
    layoutStrips(false);
}

void TemepleteEditor::layoutStrips(bool withResize)
{
    if (!templete || !frame)
        return;
    const std::array<int, 3> state{param::twoState(templete->getParameter(param::kShowStrips)),
                                   param::twoState(templete->getParameter(param::kShowFilters)),
                                   param::twoState(templete->getParameter(param::kShowLabel))};
    const editor::StripLayout layout = editor::stripLayout(state[0], state[1], state[2]);
    // A meter switch lays the strips out without sizing the window; a strip
    // change delivered after it (from another thread, at idle) must still size it.
    const bool sized = rect.bottom - rect.top == layout.height;
    if (state == stripState && (sized || !withResize))
        return;
    stripState = state;
    placeStrips(layout);
    if (CQORMeterFULLPANEL* const panel = currentPanel())
        if (BackPanel* const backPanel = panel->getBackPanel())
            backPanel->bringToFront();
    if (withResize)
        resize(layout.height);
}

void TemepleteEditor::placeStrips(const editor::StripLayout& layout)
{
    if (!filterStrip || !labelStrip)
        return;
    // Hidden strips leave no bar attached; an out-of-range meter shows none.
    const int meter = layout.stripsShown ? currentMeter : kNoMeter;
    const VSTGUI::CPoint filterAt(0, layout.filterTop);
    const VSTGUI::CPoint labelAt(0, layout.labelTop);
    if (layout.filterExpanded)
        filterStrip->showExpanded(filterAt, meter);
    else
        filterStrip->showCompact(filterAt, meter);
    if (layout.labelExpanded)
        labelStrip->showExpanded(labelAt, meter);
    else
        labelStrip->showCompact(labelAt, meter);
}

void TemepleteEditor::resize(int height)
{
    if (!frame || height <= 0)
        return;
    const CCoord frameWidth = frame->getViewSize().getWidth();
    if (rect.bottom - rect.top == height) {
        if (frame->getViewSize().getHeight() != height)
            frame->setSize(frameWidth, height);
        return;
    }
    rect.bottom = static_cast<VstInt16>(rect.top + height);
    frame->setSize(frameWidth, height);
    // Where the window system lets the host size its own window from our
    // request, the host does it; resizing its window behind its back as
    // well leaves it out of step. Elsewhere the parent is sized first.
    IPlatformFrame* const platform = frame->getPlatformFrame();
    const bool parentFirst = platform && platform->resizesParentBeforeHost();
    const int deviceRight = toDevicePixels(rect.right);
    const int deviceBottom = toDevicePixels(rect.bottom);
    if (parentFirst)
        platform->resizeParent(deviceRight, deviceBottom);
    // The window system and the host count device pixels (the editor's scale).
    const int deviceWidth = deviceRight - toDevicePixels(rect.left);
    const int deviceHeight = deviceBottom - toDevicePixels(rect.top);
    const VstIntPtr hostResized =
        templete ? templete->callHost(audioMasterSizeWindow, deviceWidth, deviceHeight) : 0;
    if (platform && !parentFirst && hostResized == 0)
        platform->resizeParent(deviceRight, deviceBottom);
    frame->invalid();
    frame->setDirty();
}
