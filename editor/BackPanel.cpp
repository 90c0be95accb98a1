#include "editor/BackPanel.h"

#include "base/ParameterIds.h"
#include "controls/CQORCalibrationControl.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQOROnOffButton.h"
#include "controls/PanelPalette.h"
#include "core/Templete.h"
#include "editor/BackPanelKnobs.h"
#include "editor/CQORBackPanelContainer.h"
#include "editor/PanelBitmap.h"
#include "editor/PanelFont.h"
#include "meters/MeterSettingsTable.h"
#include "toolkit/CMovieBitmap.h"
#include "toolkit/CTextLabel.h"

using namespace VSTGUI;

namespace {

CRect toRect(const editor::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

bool isOn(float value) { return static_cast<int>(value + 0.5f) == 1; }

}  // namespace

BackPanel::BackPanel(Templete* effect, CControlListener* editor, int meter)
    : effect(effect), editor(editor), meter(meter)
{
}

bool BackPanel::open(CViewContainer* newParent)
{
    if (meter < 0 || meter >= editor::bitmap::kMeterCount)
        return false;
    const editor::back::Layout& layout = editor::back::kLayouts[static_cast<std::size_t>(meter)];
    if (!openWithBitmap(newParent, editor::bitmap::kBackPanel[static_cast<std::size_t>(meter)]))
        return false;
    for (std::size_t i = 0; i < layout.knobCount; ++i)
        addKnob(layout.knobs[i]);
    for (std::size_t i = 0; i < layout.switchCount; ++i)
        addSwitch(layout.switches[i]);
    addVersionLabel(layout.version);
    return true;
}

bool BackPanel::engineValue(int tag, float& value) const
{
    const MeterEngine* const engine = effect ? effect->meterEngine(meter) : nullptr;
    if (!engine)
        return false;
    value = engine->getSetting(tag);
    return true;
}

bool BackPanel::engineDisplay(int tag, char* text) const
{
    const MeterEngine* const engine = effect ? effect->meterEngine(meter) : nullptr;
    if (!engine)
        return false;
    engine->getSettingDisplay(tag, text);
    return true;
}

BackPanel::~BackPanel() { close(); }

float BackPanel::parameter(VstInt32 index) const { return effect ? effect->getParameter(index) : 0.f; }

bool BackPanel::openWithBitmap(CViewContainer* newParent, int backgroundId)
{
    const SharedPointer<CBitmap> background = editor::loadPanelBitmap(backgroundId);
    return openCommon(newParent, background.get());
}

bool BackPanel::openCommon(CViewContainer* newParent, CBitmap* background)
{
    close();
    parent = newParent;
    if (!parent || !background)
        return false;
    const CRect whole(0, 0, background->getWidth(), background->getHeight());
    container = new CQORBackPanelContainer(whole, editor, background);
    shown = 0;

    using namespace editor::back;
    const SharedPointer<CBitmap> selectorImage = editor::loadPanelBitmap(editor::bitmap::kBackCalibration);
    if (selectorImage) {
        calibrationSelector = new CQORCalibrationControl(CRect(0, 0, 1, 1), editor, param::kSettingsSource,
                                                         selectorImage.get());
        calibrationSelector->setDefaultValue(0.f);
        placeCalibration();
        container->addView(calibrationSelector);
    }
    const SharedPointer<CBitmap> sentenceImage = editor::loadPanelBitmap(editor::bitmap::kCalibrationSentence);
    if (sentenceImage) {
        calibrationSentence = new CMovieBitmap(toRect(kCalibrationSentence), editor, param::kSettingsSource,
                                               sentenceImage.get());
        calibrationSentence->setValue(parameter(param::kSettingsSource));
        container->addView(calibrationSentence);
    }
    return true;
}

// With the strips shown only the mode letters fit beside the front controls;
// without them the whole explanatory sentence is shown.
void BackPanel::placeCalibration()
{
    using namespace editor::back;
    if (calibrationSelector) {
        const int width =
            isOn(parameter(param::kShowStrips)) ? kCalibrationNarrowWidth : kCalibrationWideWidth;
        const CRect rect(kCalibration.x, kCalibration.y, kCalibration.x + width,
                         kCalibration.y + kCalibrationHeight);
        calibrationSelector->setViewSize(rect);
        calibrationSelector->setMouseableArea(rect);
        calibrationSelector->setValue(parameter(param::kSettingsSource));
        calibrationSelector->setDirty(true);
    }
    if (calibrationSentence) {
        calibrationSentence->setValue(parameter(param::kSettingsSource));
        calibrationSentence->setDirty(true);
    }
}

CTextLabel* BackPanel::makeLabel(const editor::Rect& rect, const char* text)
{
    auto* label = new CTextLabel(toRect(rect), text);
    label->setFont(editor::panelFont());
    label->setFontColor(palette::kValueText);
    label->setBackColor(palette::kClear);
    label->setFrameColor(palette::kClear);
    label->setTransparency(true);
    label->setMouseEnabled(false);
    return label;
}

void BackPanel::addKnob(const editor::back::Knob& knob)
{
    using namespace editor::back;
    const SharedPointer<CBitmap> filmStrip = editor::loadPanelBitmap(editor::bitmap::kKnobFilmStrip);
    const CRect rect(knob.origin.x, knob.origin.y, knob.origin.x + kKnobWidth, knob.origin.y + kKnobHeight);
    CAnimKnob4* control = makeBackPanelKnob(knob.kind, rect, editor, knob.tag, filmStrip.get());
    const KnobFeel feel = knobFeel(knob.kind);
    control->setDragRange(feel.dragRange);
    control->setFineDivisor(feel.fineDivisor);
    control->setWheelFineFactor(feel.wheelFineFactor);
    // Restored by a double click or kControl click.
    const SettingEntry* const setting = MeterSettingsTable::entry(knob.tag);
    control->setWheelStep(setting->wheelStep());
    control->setDefaultValue(setting->defaultValue);
    float value = 0.f;
    if (engineValue(knob.tag, value))
        control->setValue(value);
    container->addView(control);

    CTextLabel* label = nullptr;
    if (knob.label.width() > 0) {
        char text[kLabelTextSize] = "";
        engineDisplay(knob.tag, text);
        label = makeLabel(knob.label, text);
        container->addView(label);
    }
    slots.push_back({knob.tag, control, label});
}

void BackPanel::addSwitch(const editor::back::Switch& sw)
{
    const SharedPointer<CBitmap> image = editor::loadPanelBitmap(sw.image);
    const CRect rect = toRect(sw.rect);
    CControl* control = nullptr;
    if (sw.frames == 3) {
        control = new CQORHorizontalSwitch(rect, editor, sw.tag, sw.frames, rect.getHeight(), sw.frames,
                                           image.get());
    } else {
        auto* button = new CQOROnOffButton(rect, editor, sw.tag, image.get());
        button->setWheelDirectional(true);
        button->setWheelSigned(true);  // wheel up switches on
        control = button;
    }
    float value = 0.f;
    if (engineValue(sw.tag, value))
        control->setValue(value);
    container->addView(control);
    slots.push_back({sw.tag, control, nullptr});
}

void BackPanel::addVersionLabel(const editor::Rect& rect)
{
    versionLabel = makeLabel(rect, editor::back::kVersionText);
    container->addView(versionLabel);
}

void BackPanel::close()
{
    slots.clear();
    calibrationSelector = nullptr;
    calibrationSentence = nullptr;
    versionLabel = nullptr;
    shown = 0;
    if (!container)
        return;
    if (parent && parent->isChild(container))
        parent->removeView(container, true);
    container->forget();
    container = nullptr;
}

void BackPanel::show()
{
    if (!container || !parent)
        return;
    if (!parent->isChild(container)) {
        container->remember();
        parent->addView(container);
    }
    shown = 1;
    placeCalibration();
    refreshFromEngine();
    container->invalid();
}

void BackPanel::bringToFront()
{
    if (!shown || !container || !parent || !parent->isChild(container))
        return;
    parent->changeViewZOrder(container, parent->getNbViews() - 1);
}

void BackPanel::hide()
{
    if (container && parent && parent->isChild(container))
        parent->removeView(container, true);
    shown = 0;
}

void BackPanel::toggle()
{
    if (!container)
        return;
    if (!isShown()) {
        show();
        return;
    }
    hide();
    if (effect)
        effect->setParameter(kParamStoreGlobalSettings, 0.f);
}

void BackPanel::refreshFromEngine()
{
    for (const Slot& s : slots) {
        float value = 0.f;
        if (!engineValue(s.tag, value))
            continue;
        s.control->setValue(value);
        s.control->setDirty(true);
        if (s.label) {
            char text[kLabelTextSize] = "";
            engineDisplay(s.tag, text);
            s.label->setText(text);
            s.label->setDirty(true);
        }
    }
}

void BackPanel::applyValue(int tag, float value)
{
    const Slot* s = slot(tag);
    if (!s)
        return;
    s->control->setValue(value);
    s->control->setDirty(true);
    if (s->label) {
        char text[kLabelTextSize] = "";
        if (engineDisplay(tag, text)) {
            s->label->setText(text);
            s->label->setDirty(true);
        }
    }
}

void BackPanel::setParameter(VstInt32 index, float value)
{
    if (!isShown())
        return;
    if (index == param::kSettingsSource) {
        for (CControl* view : {static_cast<CControl*>(calibrationSelector), static_cast<CControl*>(calibrationSentence)})
            if (view) {
                view->setValue(value);
                view->setDirty(true);
            }
        return;
    }
    float shownValue = value;
    if (editor::back::kLayouts[static_cast<std::size_t>(meter)].showsStoredValue)
        engineValue(index, shownValue);
    applyValue(index, shownValue);
}

void BackPanel::valueChanged(CControl* control)
{
    if (!isShown() || !control || !effect)
        return;
    const int tag = control->getTag();
    if (tag != param::kSettingsSource && !ownsTag(tag))
        return;
    effect->setParameter(tag, control->getValue());
    control->setDirty(true);
}

bool BackPanel::ownsTag(int tag) const { return slot(tag) != nullptr; }

const BackPanel::Slot* BackPanel::slot(int tag) const
{
    for (const Slot& s : slots)
        if (s.tag == tag)
            return &s;
    return nullptr;
}

CControl* BackPanel::getControl(int tag) const
{
    const Slot* s = slot(tag);
    return s ? s->control : nullptr;
}

CTextLabel* BackPanel::getLabel(int tag) const
{
    const Slot* s = slot(tag);
    return s ? s->label : nullptr;
}
