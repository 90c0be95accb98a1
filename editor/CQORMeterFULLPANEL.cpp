#include "editor/CQORMeterFULLPANEL.h"

#include "base/ParameterIds.h"
#include "base/ParameterSteps.h"
#include "controls/CFrontReferenceControl.h"
#include "controls/CHelpHintLabel.h"
#include "controls/CMyTextEdit.h"
#include "controls/CQORCalibrationControl.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQORMeterSelectorControl.h"
#include "controls/CQOROnOffButton.h"
#include "controls/CQORSlider.h"
#include "controls/CQSKickButtonH.h"
#include "controls/PanelPalette.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/CPresetSystemEditor.h"
#include "editor/CQORMeter2.h"
#include "editor/PanelFont.h"
#include "meters/MeanSquare.h"
#include "meters/MeterReading.h"
#include "meters/MeterSettingsTable.h"
#include "meters/SettingDisplay.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CFrame.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/CViewContainer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

using namespace VSTGUI;

namespace {

constexpr float kTrimRangeDb = 20.0F;
constexpr float kTrimValuePerDb = 0.025F;  // 40 dB over the 0..1 range
constexpr float kTrimDefault = 0.5F;
constexpr float kReferenceFineDivisor = 10.0F;
constexpr float kReferenceWheelFineFactor = 0.1F;

constexpr int kTwoFrames = 2;
constexpr int kThreeFrames = 3;

CRect rectFrom(const editor::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

// A control of the bitmap's width and one frame's height at `origin`.
CRect frameRect(const editor::Point& origin, const CBitmap& bitmap, int frames)
{
    return CRect(origin.x, origin.y, origin.x + bitmap.getWidth(), origin.y + bitmap.getHeight() / frames);
}

// Loads a resource image; the caller hands it to a control and forgets it.
CBitmap* loadBitmap(int id) { return new CBitmap(CResourceDescription(id)); }

}  // namespace

CQORMeterFULLPANEL::CQORMeterFULLPANEL(CControlListener* editor, Templete* effect, const FrontPanelStyle& style)
    : effect(effect), editor(editor), style(style)
{
}

CQORMeterFULLPANEL::~CQORMeterFULLPANEL() { close(); }

float CQORMeterFULLPANEL::parameter(VstInt32 index) const { return effect ? effect->getParameter(index) : 0.0F; }

bool CQORMeterFULLPANEL::isShown() const { return frame && container && frame->isChild(container); }

// ---------------------------------------------------------------------------
// open, close, show, hide

bool CQORMeterFULLPANEL::open(CFrame* newFrame)
{
    if (opened || !newFrame)
        return false;
    frame = newFrame;
    CBitmap* const background = loadBitmap(editor::bitmap::kFrontPanel[static_cast<std::size_t>(style.meter)]);
    container = new CViewContainer(CRect(0, 0, editor::kEditorWidth, editor::kFrontPanelHeight), nullptr, background);
    addCommonControls(background);
    background->forget();

    addMeterControls();
    addViews();
    addReferenceControl();
    // The meter's settings back panel, built on the same frame; without one
    // the full panel works on its own.
    backPanel = style.makeBackPanel ? style.makeBackPanel(effect, editor) : nullptr;
    if (backPanel)
        backPanel->open(frame);
    opened = true;
    return true;
}

void CQORMeterFULLPANEL::addCommonControls(CBitmap* panelImage)
{
    namespace front = editor::front;
    namespace bitmap = editor::bitmap;

    controls.hint = new CHelpHintLabel(rectFrom(front::kHintLine));
    controls.hint->setFont(editor::panelFont());
    controls.hint->setFontColor(palette::kFrontText);
    controls.hint->setTransparency(true);
    controls.hint->setStyle(kNoFrame);
    container->addView(controls.hint);

    CBitmap* image = loadBitmap(bitmap::kFrontCalibration);
    controls.calibration = new CQORCalibrationControl(frameRect(front::kCalibration, *image, kThreeFrames), editor,
                                                      param::kSettingsSource, image);
    image->forget();
    controls.calibration->setValue(parameter(param::kSettingsSource));
    container->addView(controls.calibration);

    image = loadBitmap(bitmap::kMeterSelector);
    controls.meterSelector =
        new CQORMeterSelectorControl(frameRect(front::kMeterSelector, *image, kThreeFrames), editor, image);
    image->forget();
    controls.meterSelector->setValue(parameter(param::kMeter));
    controls.meterSelector->setHintLabel(controls.hint);
    container->addView(controls.meterSelector);

    image = loadBitmap(bitmap::kTrimHandle);
    const CRect trimRect(front::kTrimSlider.left, front::kTrimSlider.top, front::kTrimSlider.left + image->getWidth(),
                         front::kTrimSlider.bottom);
    // The handle's offset is relative to the slider's own rectangle.
    controls.trimSlider = new CQORSliderAH(trimRect, editor, param::kTrim, CPoint(0, 0), front::kTrimSlider.height(),
                                           image, nullptr, CPoint(0, 0), kBottom | kVertical);
    image->forget();
    controls.trimSlider->setDefaultValue(kTrimDefault);
    controls.trimSlider->setFineFactor(editor::kSliderFineFactor);
    controls.trimSlider->setValue(parameter(param::kTrim));
    controls.trimSlider->setHintLabel(controls.hint);
    container->addView(controls.trimSlider);

    // Typing shows the same shipped face as the shown value, not a system face by name.
    controls.trimText = new CMyTextEditAH(rectFrom(front::kTrimText), editor, kTagTrimText, "", panelImage, true);
    controls.trimText->setFont(editor::panelFont());
    controls.trimText->setFontColor(palette::kFrontText);
    controls.trimText->setStyle(kNoFrame);
    // Typed digits in the colour the field shows its value in: black would vanish on the dark panel.
    controls.trimText->setColor1(palette::kFrontText.red, palette::kFrontText.green, palette::kFrontText.blue, palette::kFrontText.alpha);
    controls.trimText->setColor2(127, 127, 127, 255);
    controls.trimText->setColor3(255, 255, 255, 255);
    controls.trimText->setHintLabel(controls.hint);
    container->addView(controls.trimText);
    setTrimText();
    setTrimActive(parameter(param::kProcess));

    image = loadBitmap(bitmap::kProcessButton);
    controls.process =
        new CQOROnOffButtonH(frameRect(front::kProcessButton, *image, kTwoFrames), editor, param::kProcess, image);
    image->forget();
    controls.process->setValue(parameter(param::kProcess));
    controls.process->setHintLabel(controls.hint);
    container->addView(controls.process);

    image = loadBitmap(bitmap::kOpenCloseButton);
    controls.strips =
        new CQOROnOffButtonH(frameRect(front::kStripsButton, *image, kTwoFrames), editor, param::kShowStrips, image);
    image->forget();
    controls.strips->setValue(parameter(param::kShowStrips));
    controls.strips->setHintLabel(controls.hint);
    container->addView(controls.strips);

    image = loadBitmap(bitmap::kManualButton);
    const CRect manualRect = frameRect(front::kManualButton, *image, kThreeFrames);
    controls.manual =
        new CQSKickButtonH(manualRect, editor, CPresetSystemEditor::kTagManual, manualRect.getHeight(), image);
    image->forget();
    controls.manual->setHintLabel(controls.hint);
    container->addView(controls.manual);
}

void CQORMeterFULLPANEL::addMeterControls()
{
    namespace front = editor::front;
    namespace bitmap = editor::bitmap;
    const auto meterIndex = static_cast<std::size_t>(style.meter);

    CBitmap* image = loadBitmap(bitmap::kLrMsSwitch[meterIndex]);
    controls.lrMs = new CQOROnOffButton(frameRect(front::kLrMsSwitch, *image, kTwoFrames), editor, param::kMidSide, image);
    image->forget();
    // Wheel up switches to M/S, wheel down back to L/R.
    controls.lrMs->setWheelDirectional(true);
    controls.lrMs->setWheelSigned(true);
    controls.lrMs->setValue(parameter(param::kMidSide));
    container->addView(controls.lrMs);

    const std::array<std::pair<const editor::Rect*, bitmap::Id>, 2> captions{{
        {&front::kLeftCaption, bitmap::kLeftCaption[meterIndex]},
        {&front::kRightCaption, bitmap::kRightCaption[meterIndex]},
    }};
    std::array<CMovieBitmap*, 2> made{};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        image = loadBitmap(captions[i].second);
        const CRect rect = rectFrom(*captions[i].first);
        made[i] = new CMovieBitmap(rect, editor, kTagCaption, kTwoFrames, rect.getHeight(), image);
        image->forget();
        made[i]->setValue(parameter(param::kMidSide));
        container->addView(made[i]);
    }
    controls.leftCaption = made[0];
    controls.rightCaption = made[1];

    image = loadBitmap(bitmap::kHoldSwitch[meterIndex]);
    const CRect holdRect = frameRect(front::kHoldSwitch, *image, kThreeFrames);
    controls.hold =
        new CQORHorizontalSwitch(holdRect, editor, param::kHold, kThreeFrames, holdRect.getHeight(), kThreeFrames, image);
    image->forget();
    controls.hold->setValue(parameter(param::kHold));
    container->addView(controls.hold);
}

void CQORMeterFULLPANEL::addViews()
{
    const bool showHold = param::threeState(parameter(param::kHold)) != 0;
    controls.leftView = createView(CPoint(editor::kLeftViewOrigin.x, editor::kLeftViewOrigin.y));
    controls.rightView = createView(CPoint(editor::kRightViewOrigin.x, editor::kRightViewOrigin.y));
    for (CQORMeter2* view : {controls.leftView, controls.rightView}) {
        if (!view)
            continue;
        view->setShowHold(showHold);
        container->addView(view);
    }
}

void CQORMeterFULLPANEL::addReferenceControl()
{
    CBitmap* const image = loadBitmap(editor::bitmap::kFrontReferenceCaption);
    const CRect rect = frameRect(editor::front::kReferenceControl, *image, kTwoFrames);
    controls.reference = new CFrontReferenceControl(rect, editor, style.referenceTag, image);
    image->forget();
    controls.reference->setFont(editor::panelFont());
    const SettingEntry& reference = *MeterSettingsTable::entry(style.referenceTag);
    controls.reference->setDefaultValue(reference.defaultValue);
    controls.reference->setDragRange(style.referenceDragRange);
    controls.reference->setFineDivisor(kReferenceFineDivisor);
    controls.reference->setWheelStep(reference.wheelStep());
    controls.reference->setWheelFineFactor(kReferenceWheelFineFactor);
    controls.reference->setValue(parameter(style.referenceTag));
    controls.reference->setHintLabel(controls.hint);
    refreshReferenceText();
    // The panel keeps the creation reference, so the control survives being
    // taken out of the container while the strips are hidden.
    referenceInContainer = false;
    setReferenceShown(parameter(param::kShowStrips) > 0.5F);
}

void CQORMeterFULLPANEL::setReferenceShown(bool shown)
{
    if (!container || !controls.reference || shown == referenceInContainer)
        return;
    if (shown) {
        controls.reference->remember();
        container->addView(controls.reference);
    } else {
        container->removeView(controls.reference, true);
    }
    referenceInContainer = shown;
}

void CQORMeterFULLPANEL::close()
{
    if (!container)
        return;
    opened = false;
    if (backPanel)
        backPanel->close();
    backPanel.reset();
    if (frame && frame->isChild(container))
        frame->removeView(container, true);
    if (controls.reference) {
        setReferenceShown(false);
        controls.reference->forget();
    }
    controls = FrontControls{};
    container->forget();
    container = nullptr;
    frame = nullptr;
}

void CQORMeterFULLPANEL::show()
{
    if (!opened || !frame || isShown())
        return;
    container->remember();
    frame->addView(container);
    controls.meterSelector->setValue(parameter(param::kMeter));
    controls.trimSlider->setValue(parameter(param::kTrim));
    setTrimText();
    setTrimActive(parameter(param::kProcess));
    controls.process->setValue(parameter(param::kProcess));
    controls.calibration->setValue(parameter(param::kSettingsSource));
    controls.strips->setValue(parameter(param::kShowStrips));
    container->invalid();
}

void CQORMeterFULLPANEL::hide()
{
    // A back panel left open would cover the next meter and take its tag 65.
    if (backPanel && backPanel->isShown())
        backPanel->hide();
    if (!opened || !isShown())
        return;
    frame->removeView(container, true);
}

// ---------------------------------------------------------------------------
// parameters and controls

void CQORMeterFULLPANEL::setTrimActive(float processValue)
{
    const int active = param::twoState(processValue);
    if (controls.trimSlider) {
        controls.trimSlider->setActive(active);
        controls.trimSlider->setDirty();
    }
    if (controls.trimText) {
        controls.trimText->setActive(active);
        controls.trimText->setDirty();
    }
}

void CQORMeterFULLPANEL::setTrimText()
{
    if (!controls.trimText || !effect)
        return;
    std::array<char, 64> text{};
    effect->getParameterDisplay(param::kTrim, text.data());
    controls.trimText->setText(text.data());
}

void CQORMeterFULLPANEL::refreshReferenceText()
{
    if (!controls.reference || !effect)
        return;
    std::array<char, settingdisplay::kTextSize + 1> text{};
    if (const MeterEngine* const engine = effect->meterEngine(style.meter))
        engine->getSettingDisplay(style.referenceTag, text.data());
    controls.reference->setText(text.data());
    controls.reference->setDirty();
}

void CQORMeterFULLPANEL::refresh(double elapsedBlocks)
{
    MeterEngine* const engine = isOpen() && effect ? effect->meterEngine(style.meter) : nullptr;
    if (!engine)
        return;
    const std::array<CQORMeter2*, 2> views{controls.leftView, controls.rightView};
    for (int channel = 0; channel < 2; ++channel) {
        CQORMeter2* const view = views[static_cast<std::size_t>(channel)];
        if (!view)
            continue;
        const double level = engine->readValue(elapsedBlocks, MeterReading::Level, channel);
        double hold = engine->readValue(elapsedBlocks, MeterReading::Hold, channel);
        // Hold mode "oo": the hold mark keeps the highest reading.
        if (engine->holdMode() == HoldMode::kInfinite)
            hold = engine->applyInfiniteHold(channel, hold);
        const double rms = MeanSquare::rms(engine->readValue(elapsedBlocks, MeterReading::MeanSquare, channel));
        showReadings(*view, level, hold, rms);
        view->setOverState(static_cast<int>(engine->readOverState(channel)));
        view->setDirty();
    }
    engine->followGlobalSettings();
}

void CQORMeterFULLPANEL::setParameter(VstInt32 index, float value)
{
    if (!opened)
        return;
    switch (index) {
    case param::kProcess:
        controls.process->setValue(value);
        setTrimActive(value);
        break;
    case param::kTrim:
        controls.trimSlider->setValue(value);
        setTrimText();
        break;
    case param::kSettingsSource:
        controls.calibration->setValue(value);
        break;
    case param::kMeter:
        controls.meterSelector->setValue(value);
        break;
    case param::kMidSide:
        controls.lrMs->setValue(value);
        controls.leftCaption->setValue(value);
        controls.rightCaption->setValue(value);
        break;
    case param::kHold:
        for (CQORMeter2* view : {controls.leftView, controls.rightView})
            if (view)
                view->setShowHold(param::threeState(value) != 0);
        controls.hold->setValue(value);
        break;
    case param::kShowStrips:
        controls.strips->setValue(value);
        setReferenceShown(param::twoState(value) != 0);
        break;
    default:
        break;
    }
    if (index == style.referenceTag) {
        controls.reference->setValue(value);
        refreshReferenceText();
    }
    if (backPanel && backPanel->isShown())
        backPanel->setParameter(index, value);
}

float CQORMeterFULLPANEL::trimValueFromText(const char* text)
{
    float dB = text ? std::strtof(text, nullptr) : 0.0F;
    if (!std::isfinite(dB))  // "inf", "nan" and overflows are no decimal number of dB
        dB = 0.0F;
    const float value = (dB + kTrimRangeDb) * kTrimValuePerDb;
    if (!(value >= 0.0F))  // below the range, or not a number
        return 0.0F;
    return std::min(value, 1.0F);
}

void CQORMeterFULLPANEL::valueChanged(CControl* control)
{
    if (!opened || !control || !effect)
        return;
    const int32_t tag = control->getTag();
    if (tag == kTagBackPanel) {
        if (backPanel)
            backPanel->toggle();
    } else if (tag == kParamClearOvers) {
        effect->setParameter(kParamClearOvers, 0.0F);
    } else if (tag == kTagTrimText && controls.trimText) {
        // A typed value is one complete edit of the trim for the host.
        effect->beginEdit(param::kTrim);
        effect->setParameterAutomated(param::kTrim, trimValueFromText(controls.trimText->getText()));
        effect->endEdit(param::kTrim);
    } else if (tag == style.referenceTag) {
        effect->setParameter(tag, control->getValue());
        control->setDirty();
    }
    if (backPanel)
        backPanel->valueChanged(control);
}
