#include "DemoEditor.h"

#include "toolkit/CAnimKnob.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFrame.h"
#include "toolkit/COnOffButton.h"
#include "toolkit/CSlider.h"
#include "toolkit/CTextEdit.h"
#include "toolkit/CTextLabel.h"
#include "toolkit/PixelBuffer.h"

#include <cmath>
#include <cstdio>
#include <utility>

using namespace VSTGUI;

namespace toolkit_demo {

namespace {

constexpr int kKnobSize = 40;
constexpr int kKnobFrames = 31;
constexpr CColor kPanelColor = MakeCColor(38, 42, 48);
constexpr CColor kTextColor = MakeCColor(220, 213, 213);
constexpr CColor kLampOff = MakeCColor(70, 20, 20);
constexpr CColor kLampOn = MakeCColor(250, 60, 40);
constexpr double kPi = 3.14159265358979323846;

CBitmap* drawBitmap(int width, int height, void (*paint)(CDrawContext&, int, int))
{
    PixelBuffer pixels(width, height);
    {
        CDrawContext context(pixels);
        paint(context, width, height);
    }
    return new CBitmap(std::move(pixels));
}

void paintLamp(CDrawContext& context, int width, int height)
{
    const int half = height / 2;
    context.setFillColor(kLampOff);
    context.drawRect(CRect(2, 2, width - 2, half - 2), kDrawFilled);
    context.setFillColor(kLampOn);
    context.drawRect(CRect(2, half + 2, width - 2, height - 2), kDrawFilled);
}

void paintKnobStrip(CDrawContext& context, int, int)
{
    context.setDrawMode(kAntiAliasing);
    for (int i = 0; i < kKnobFrames; ++i) {
        const double top = i * kKnobSize;
        context.setFillColor(MakeCColor(90, 94, 100));
        context.drawRect(CRect(6, top + 6, kKnobSize - 6, top + kKnobSize - 6), kDrawFilled);
        const double angle = 0.75 * kPi + 1.5 * kPi * i / (kKnobFrames - 1);
        const CPoint centre(kKnobSize / 2.0, top + kKnobSize / 2.0);
        context.setLineWidth(2.4);
        context.setFrameColor(kTextColor);
        context.drawLine(centre, CPoint(centre.x + std::cos(angle) * 14, centre.y + std::sin(angle) * 14));
    }
}

void paintHandle(CDrawContext& context, int width, int height)
{
    context.setFillColor(MakeCColor(200, 200, 210));
    context.drawRect(CRect(0, 0, width, height), kDrawFilled);
    context.setFillColor(MakeCColor(30, 30, 30));
    context.drawRect(CRect(width / 2.0 - 1, 2, width / 2.0 + 1, height - 2), kDrawFilled);
}

}  // namespace

DemoEditor::DemoEditor(AudioEffect* effect) : AEffGUIEditor(effect)
{
    rect = {0, 0, static_cast<VstInt16>(kDemoHeight), static_cast<VstInt16>(kDemoWidth)};
}

bool DemoEditor::open(void* parentWindow)
{
    AEffGUIEditor::open(parentWindow);
    setKnobMode(kLinearMode);
    frame = new CFrame(CRect(0, 0, kDemoWidth, rect.bottom - rect.top), parentWindow, this);
    frame->setBackgroundColor(kPanelColor);

    CBitmap* lamp = drawBitmap(24, 48, paintLamp);
    button = new COnOffButton(CRect(16, 16, 40, 40), this, kTagButton, lamp);
    lamp->forget();
    frame->addView(button);

    CBitmap* strip = drawBitmap(kKnobSize, kKnobSize * kKnobFrames, paintKnobStrip);
    knob = new CAnimKnob(CRect(60, 8, 60 + kKnobSize, 8 + kKnobSize), this, kTagKnob, kKnobFrames, kKnobSize, strip);
    strip->forget();
    knob->setValue(0.3f);
    knob->setWheelInc(0.1f);
    frame->addView(knob);

    CBitmap* handle = drawBitmap(12, 20, paintHandle);
    slider = new CSlider(CRect(120, 18, 300, 38), this, kTagSlider, CPoint(0, 0), 180, handle, nullptr,
                         CPoint(0, 0), kLeft | kHorizontal);
    handle->forget();
    slider->setValue(0.6f);
    frame->addView(slider);

    readout = new CTextLabel(CRect(16, 60, 304, 80), "toolkit demo");
    readout->setFontColor(kTextColor);
    readout->setTransparency(true);
    frame->addView(readout);

    text = new CTextEdit(CRect(16, 88, 160, 108), this, kTagText, "edit me");
    text->setFontColor(kBlackCColor);
    text->setBackColor(MakeCColor(230, 226, 200));
    text->setFrameColor(MakeCColor(120, 120, 120));
    frame->addView(text);
    return true;
}

void DemoEditor::close()
{
    button = nullptr;
    knob = nullptr;
    slider = nullptr;
    text = nullptr;
    readout = nullptr;
    AEffGUIEditor::close();
}

void DemoEditor::valueChanged(CControl* control)
{
    changedTags.push_back(control->getTag());
    if (!readout)
        return;
    char line[96];
    std::snprintf(line, sizeof line, "tag %d = %.3f", static_cast<int>(control->getTag()),
                  static_cast<double>(control->getValue()));
    readout->setText(line);
}

}  // namespace toolkit_demo
