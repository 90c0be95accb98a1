#include "ToolkitProbes.h"

#include "toolkit/CDrawContext.h"
#include "toolkit/PixelBuffer.h"

#include <cairo.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace toolkit_test {

int ProbeView::liveCount = 0;

ProbeView::ProbeView(const CRect& size, std::string name, EventLog* log, CColor color,
                     CMouseEventResult downResult)
    : CView(size), name(std::move(name)), log(log), color(color), downResult(downResult)
{
    ++liveCount;
}

ProbeView::~ProbeView() { --liveCount; }

void ProbeView::note(const std::string& what)
{
    if (log)
        log->push_back(what + " " + name);
}

void ProbeView::draw(CDrawContext* context)
{
    ++drawCount;
    context->setFillColor(color);
    context->drawRect(size, kDrawFilled);
    setDirty(false);
}

CMouseEventResult ProbeView::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    lastWhere = where;
    lastButtons = buttons;
    note("down");
    return downResult;
}

CMouseEventResult ProbeView::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    lastWhere = where;
    lastButtons = buttons;
    note("up");
    return kMouseEventHandled;
}

CMouseEventResult ProbeView::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    lastWhere = where;
    lastButtons = buttons;
    note(buttons.isLeftButton() ? "drag" : "hover");
    return kMouseEventHandled;
}

CMouseEventResult ProbeView::onMouseEntered(CPoint&, const CButtonState&)
{
    note("enter");
    return kMouseEventHandled;
}

CMouseEventResult ProbeView::onMouseExited(CPoint&, const CButtonState&)
{
    note("exit");
    return kMouseEventHandled;
}

bool ProbeView::onWheel(const CPoint& where, const float& distance, const CButtonState&)
{
    lastWhere = where;
    note(distance > 0 ? "wheel+" : "wheel-");
    return true;
}

ProbeContainer::ProbeContainer(const CRect& size, std::string name, EventLog* log)
    : CViewContainer(size), name(std::move(name)), log(log)
{
}

CMouseEventResult ProbeContainer::onMouseEntered(CPoint&, const CButtonState&)
{
    log->push_back("enter " + name);
    return kMouseEventHandled;
}

CMouseEventResult ProbeContainer::onMouseExited(CPoint&, const CButtonState&)
{
    log->push_back("exit " + name);
    return kMouseEventHandled;
}

void RecordingEditor::beginEdit(int32_t index) { calls.push_back("begin " + std::to_string(index)); }

void RecordingEditor::endEdit(int32_t index) { calls.push_back("end " + std::to_string(index)); }

void RecordingEditor::valueChanged(CControl* control)
{
    calls.push_back("changed " + std::to_string(control->getTag()));
    values.push_back(control->getValue());
}

CColor frameColor(int index) { return MakeCColor(static_cast<uint8_t>(index * 5), 255 - index * 5, 100, 255); }

CBitmap* makeFilmStrip(int width, int frameHeight, int frames)
{
    PixelBuffer pixels(width, frameHeight * frames);
    CDrawContext context(pixels);
    for (int i = 0; i < frames; ++i) {
        context.setFillColor(frameColor(i));
        context.drawRect(CRect(0, i * frameHeight, width, (i + 1) * frameHeight), kDrawFilled);
    }
    return new CBitmap(std::move(pixels));
}

CBitmap* makeSolidBitmap(int width, int height, CColor color)
{
    PixelBuffer pixels(width, height);
    {
        CDrawContext context(pixels);
        context.setFillColor(color);
        context.drawRect(CRect(0, 0, width, height), kDrawFilled);
    }
    return new CBitmap(std::move(pixels));
}

std::vector<unsigned char> pngBytes(int width, int height, CColor color)
{
    std::unique_ptr<CBitmap, void (*)(CBitmap*)> bitmap(makeSolidBitmap(width, height, color),
                                                        [](CBitmap* b) { b->forget(); });
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(
        bitmap->getPixels().getSurface(),
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<unsigned char>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

bool near(CColor a, CColor b, int tolerance)
{
    return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
           std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

std::string describe(CColor c)
{
    return "(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + "," +
           std::to_string(c.alpha) + ")";
}

}  // namespace toolkit_test
