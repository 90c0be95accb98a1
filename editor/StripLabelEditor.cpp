#include "editor/StripLabelEditor.h"

#include "base/ParameterIds.h"
#include "controls/COnOffButtonH.h"
#include "controls/CQORLatencyControl.h"
#include "controls/CQORTapeLabel.h"
#include "core/Templete.h"
#include "editor/EditorGeometry.h"
#include "editor/PanelBitmap.h"
#include "editor/PanelFont.h"
#include "toolkit/CFrame.h"
#include "toolkit/CMovieBitmap.h"

#include <algorithm>
#include <string>

using namespace VSTGUI;

namespace {

constexpr int32_t kCaptionTag = 102;

CRect originRect(const editor::Point& origin, CCoord width, CCoord height)
{
    return CRect(origin.x, origin.y, origin.x + width, origin.y + height);
}

}  // namespace

StripLabelEditor::~StripLabelEditor() { close(); }

bool StripLabelEditor::open(CFrame* newFrame, CBitmap* background, bool expanded)
{
    close();
    const int barHeight = expanded ? editor::kLabelStripHeight : editor::kCompactStripHeight;
    if (!createContainer(newFrame, background, barHeight))
        return false;
    using namespace editor::strip;
    const auto openImage = editor::loadPanelBitmap(editor::bitmap::kOpenCloseButton);
    if (openImage) {
        openClose = add(new COnOffButtonH(originRect(kOpenCloseButton, openImage->getWidth(), openImage->getHeight() / 2),
                                          editor, param::kShowLabel, openImage.get()),
                        param::kShowLabel);
    }
    if (!expanded) {
        const auto captionImage = editor::loadPanelBitmap(editor::bitmap::kLabelStripCaption);
        if (captionImage) {
            caption = new CMovieBitmap(originRect(kLabelCaption, captionImage->getWidth(), captionImage->getHeight()),
                                       editor, kCaptionTag, captionImage.get());
            caption->setValue(0.f);
            addView(caption);
        }
        return true;
    }
    const auto lagImage = editor::loadPanelBitmap(editor::bitmap::kLagTimeControl);
    if (lagImage) {
        lagTime = add(new CQORLatencyControl(originRect(kLagTime, lagImage->getWidth(), kLagTimeLayerHeight), editor,
                                             param::kLagTime, lagImage.get()),
                      param::kLagTime);
        // The digits in the shipped face (at the control's own size), not a system face.
        lagTime->setDigitFont(editor::panelFont());
    }
    tapeLabel = new CQORTapeLabel(CRect(kTapeLabel.left, kTapeLabel.top, kTapeLabel.right, kTapeLabel.bottom), editor,
                                  background);
    tapeLabel->setColor2(127, 127, 127, 255);
    if (effect)
        tapeLabel->setText(effect->stripLabel().c_str());
    addView(tapeLabel);
    return true;
}

void StripLabelEditor::setParameter(VstInt32 index, float value)
{
    if (index == param::kShowLabel) {
        setValue(openClose, value);
    } else if (index == param::kLagTime) {
        setValue(lagTime, value);
    } else if (index == kParamLabelChanged && tapeLabel && effect) {
        tapeLabel->setText(effect->stripLabel().c_str());
        tapeLabel->setDirty(true);
    }
}

void StripLabelEditor::valueChanged(CControl* control)
{
    if (!control || !effect)
        return;
    const VstInt32 tag = control->getTag();
    if (tag == param::kLagTime) {
        float value = control->getValue();
        if (lagTime && control == lagTime && lagTime->wasDoubleClicked()) {
            lagTime->clearDoubleClicked();
            const double latency = effect->outputLatencySec() * kSecondsToLagTime;
            value = static_cast<float>(latency > 0.0 ? std::min(latency, 1.0) : 0.0);
        }
        effect->setParameterAutomated(param::kLagTime, value);
        control->setDirty(true);
    } else if (tag == kParamLabelChanged && control == tapeLabel) {
        const std::string text = std::string(tapeLabel->getText()).substr(0, kMaxLabelCharacters);
        effect->setStripLabel(text.c_str());
        effect->setParameterAutomated(kParamLabelChanged, 0.f);
    }
}

void StripLabelEditor::idle()
{
    if (tapeLabel)
        tapeLabel->animationStep();
}

void StripLabelEditor::forgetControls()
{
    openClose = nullptr;
    caption = nullptr;
    lagTime = nullptr;
    tapeLabel = nullptr;
}

void StripLabelEditor::handHintLabel(CHelpHintLabel* label)
{
    if (openClose)
        openClose->setHintLabel(label);
}
