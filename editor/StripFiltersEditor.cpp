#include "editor/StripFiltersEditor.h"

#include "base/ParameterIds.h"
#include "controls/CMyTextEdit.h"
#include "controls/COnOffButtonH.h"
#include "controls/CQORHorizontalSwitch.h"
#include "controls/CQOROnOffButton.h"
#include "controls/CQORSlider.h"
#include "controls/PanelPalette.h"
#include "core/Templete.h"
#include "editor/EditorGeometry.h"
#include "editor/PanelBitmap.h"
#include "editor/PanelFont.h"
#include "toolkit/CFrame.h"
#include "toolkit/CMovieBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <tuple>

using namespace VSTGUI;

namespace {

using editor::strip::kHighPassBaseHz;
using editor::strip::kLowPassBaseHz;
constexpr double kLowPassKilohertzLow = 0.3;
constexpr double kLowPassKilohertzHigh = 30.0;
constexpr float kSliderDefault = 0.5f;

CRect imageRect(const editor::Point& origin, const CBitmap* image, int framesShown)
{
    const CCoord width = image ? image->getWidth() : 0;
    const CCoord height = image ? image->getHeight() / framesShown : 0;
    return CRect(origin.x, origin.y, origin.x + width, origin.y + height);
}

// Filter switches: wheel up switches on, wheel down off.
template <class Button>
Button* wheelSwitch(Button* button)
{
    button->setWheelDirectional(true);
    button->setWheelSigned(true);
    return button;
}

CRect sliderRect(const editor::Rect& r, const CBitmap* handle)
{
    const CCoord height = handle ? handle->getHeight() : r.height();
    return CRect(r.left, r.top, r.right, r.top + height);
}

// The number a typed frequency text stands for: the first "k" is the decimal
// point of a kilohertz figure, so "1k5" and "1500" are the same.
double typedHertz(const char* text)
{
    std::string number = text ? text : "";
    double scale = 1.0;
    const std::size_t k = number.find_first_of("kK");
    if (k != std::string::npos) {
        number[k] = '.';
        scale = 1000.0;
    }
    const double value = std::strtod(number.c_str(), nullptr) * scale;
    return value;
}

float normalised(double hertz, double baseHz)
{
    if (!(hertz > 0.0))  // negative, zero or not a number
        return 0.f;
    const double x = editor::strip::frequencyValue(hertz, baseHz);
    return static_cast<float>(std::clamp(x, 0.0, 1.0));
}

}  // namespace

StripFiltersEditor::~StripFiltersEditor() { close(); }

float StripFiltersEditor::highPassValueForText(const char* text) { return normalised(typedHertz(text), kHighPassBaseHz); }

float StripFiltersEditor::lowPassValueForText(const char* text)
{
    double hertz = typedHertz(text);
    if (hertz >= kLowPassKilohertzLow && hertz <= kLowPassKilohertzHigh)
        hertz *= 1000.0;
    return normalised(hertz, kLowPassBaseHz);
}

bool StripFiltersEditor::open(CFrame* newFrame, CBitmap* background, bool expanded)
{
    close();
    const int barHeight = expanded ? editor::kFilterStripHeight : editor::kCompactStripHeight;
    if (!createContainer(newFrame, background, barHeight))
        return false;
    if (expanded)
        openExpanded(background);
    else
        openCompact(background);
    setProcessActive(parameter(param::kProcess));
    return true;
}

void StripFiltersEditor::openCompact(CBitmap*)
{
    using namespace editor::strip;
    const auto openImage = editor::loadPanelBitmap(editor::bitmap::kOpenCloseButton);
    openClose = add(new COnOffButtonH(imageRect(kOpenCloseButton, openImage.get(), 2), editor,
                                      param::kShowFilters, openImage.get()),
                    param::kShowFilters);
    const auto captionImage = editor::loadPanelBitmap(editor::bitmap::kFilterStripCaption);
    caption = new CMovieBitmap(imageRect(kFilterCaption, captionImage.get(), 1), editor, 102, captionImage.get());
    caption->setValue(0.f);
    addView(caption);
    const auto lampImage = editor::loadPanelBitmap(editor::bitmap::kFilterStripLamp);
    filterInOut = add(wheelSwitch(new StripActiveButton(imageRect(kFilterLamp, lampImage.get(), 3), editor,
                                                        param::kProcessFilters, lampImage.get())),
                      param::kProcessFilters);
}

void StripFiltersEditor::openExpanded(CBitmap* background)
{
    using namespace editor::strip;
    const auto inOutImage = editor::loadPanelBitmap(editor::bitmap::kFilterInOutButton);
    filterInOut = add(wheelSwitch(new StripActiveButton(imageRect(kFilterInOutButton, inOutImage.get(), 3), editor,
                                                        param::kProcessFilters, inOutImage.get())),
                      param::kProcessFilters);
    const auto openImage = editor::loadPanelBitmap(editor::bitmap::kOpenCloseButton);
    openClose = add(new COnOffButtonH(imageRect(kOpenCloseButton, openImage.get(), 2), editor,
                                      param::kShowFilters, openImage.get()),
                    param::kShowFilters);
    const auto onImage = editor::loadPanelBitmap(editor::bitmap::kFilterOnButton);
    highPassOn = add(wheelSwitch(new CQOROnOffButtonAH(imageRect(kHighPassOnButton, onImage.get(), 2), editor,
                                                       param::kHighPassStatus, onImage.get())),
                     param::kHighPassStatus);
    lowPassOn = add(wheelSwitch(new CQOROnOffButtonAH(imageRect(kLowPassOnButton, onImage.get(), 2), editor,
                                                      param::kLowPassStatus, onImage.get())),
                    param::kLowPassStatus);

    const auto handle = editor::loadPanelBitmap(editor::bitmap::kFilterFrequencyHandle);
    for (auto [slider, rect, tag] : {std::tuple{&highPassSlider, kHighPassSlider, param::kHighPassFrequency},
                                     std::tuple{&lowPassSlider, kLowPassSlider, param::kLowPassFrequency}}) {
        *slider = new CQORSliderAH(sliderRect(rect, handle.get()), editor, tag, CPoint(0, 0), kFrequencyHandleRange,
                                   handle.get(), nullptr, CPoint(0, 0), kLeft | kHorizontal);
        (*slider)->setDefaultValue(kSliderDefault);
        (*slider)->setFineFactor(editor::kSliderFineFactor);
        add(*slider, tag);
    }

    const auto slopeImage = editor::loadPanelBitmap(editor::bitmap::kFilterSlopeSwitch);
    for (auto [slope, origin, tag] : {std::tuple{&highPassSlope, kHighPassSlope, param::kHighPassSlope},
                                      std::tuple{&lowPassSlope, kLowPassSlope, param::kLowPassSlope}}) {
        const CRect rect = imageRect(origin, slopeImage.get(), 2);
        *slope = new CQORHorizontalSwitchAH(rect, editor, tag, 2, rect.getHeight(), 2, slopeImage.get());
        (*slope)->setMin(0.f);
        (*slope)->setMax(1.f);
        add(*slope, tag);
    }

    highPassText = makeFrequencyText(kHighPassTextTag, background, param::kHighPassFrequency);
    lowPassText = makeFrequencyText(kLowPassTextTag, background, param::kLowPassFrequency);
}

CMyTextEditAH* StripFiltersEditor::makeFrequencyText(VstInt32 tag, CBitmap* background, VstInt32 frequencyIndex)
{
    auto* text = new CMyTextEditAH(CRect(0, 0, editor::strip::kFrequencyTextWidth, editor::strip::kFrequencyTextHeight),
                                   editor, tag, displayText(frequencyIndex).c_str(), background, true);
    text->setFont(editor::frequencyFont());
    text->setFontColor(palette::kFilterText);
    // Typed text in the colour the field shows its value in: black would vanish on the dark strip.
    text->setColor1(palette::kFilterText.red, palette::kFilterText.green, palette::kFilterText.blue,
                    palette::kFilterText.alpha);
    text->setColor2(127, 127, 127, 255);
    text->setColor3(255, 255, 255, 255);
    placeFrequencyText(text, frequencyIndex, parameter(frequencyIndex));
    addView(text);
    return text;
}

void StripFiltersEditor::placeFrequencyText(CMyTextEditAH* text, VstInt32 frequencyIndex, float value)
{
    if (!text)
        return;
    using namespace editor::strip;
    const int offset = frequencyIndex == param::kHighPassFrequency ? kHighPassTextOffset : kLowPassTextOffset;
    const int left = static_cast<int>(kFrequencyTextTravel * value + offset);
    text->setViewSize(CRect(left, 0, left + kFrequencyTextWidth, kFrequencyTextHeight));
    text->setMouseableArea(text->getViewSize());
    text->setText(displayText(frequencyIndex).c_str());
    text->setDirty(true);
}

std::string StripFiltersEditor::displayText(VstInt32 index) const
{
    char text[64] = "";
    if (effect)
        effect->getParameterDisplay(index, text);
    return text;
}

void StripFiltersEditor::showAt(const CPoint& point)
{
    StripEditor::showAt(point);
    if (!container || !shown)
        return;
    setValue(filterInOut, parameter(param::kProcessFilters));
    setValue(openClose, parameter(param::kShowFilters));
    setValue(highPassOn, parameter(param::kHighPassStatus));
    setValue(lowPassOn, parameter(param::kLowPassStatus));
    setValue(highPassSlider, parameter(param::kHighPassFrequency));
    setValue(lowPassSlider, parameter(param::kLowPassFrequency));
    setValue(highPassSlope, parameter(param::kHighPassSlope));
    setValue(lowPassSlope, parameter(param::kLowPassSlope));
    placeFrequencyText(highPassText, param::kHighPassFrequency, parameter(param::kHighPassFrequency));
    placeFrequencyText(lowPassText, param::kLowPassFrequency, parameter(param::kLowPassFrequency));
    setProcessActive(parameter(param::kProcess));
    container->invalid();
}

void StripFiltersEditor::setProcessActive(float value)
{
    const int32_t active = static_cast<int32_t>(value + 0.5f);
    auto apply = [active](auto* control) {
        if (control) {
            control->setActive(active);
            control->setDirty(true);
        }
    };
    apply(filterInOut);
    apply(highPassSlider);
    apply(lowPassSlider);
    apply(highPassText);
    apply(lowPassText);
    apply(highPassOn);
    apply(lowPassOn);
    apply(highPassSlope);
    apply(lowPassSlope);
}

void StripFiltersEditor::setParameter(VstInt32 index, float value)
{
    switch (index) {
    case param::kShowFilters:
        setValue(openClose, value);
        break;
    case param::kProcessFilters:
        setValue(filterInOut, value);
        break;
    case param::kHighPassStatus:
        setValue(highPassOn, value);
        break;
    case param::kLowPassStatus:
        setValue(lowPassOn, value);
        break;
    case param::kHighPassSlope:
        setValue(highPassSlope, value);
        break;
    case param::kLowPassSlope:
        setValue(lowPassSlope, value);
        break;
    case param::kHighPassFrequency:
        setValue(highPassSlider, value);
        placeFrequencyText(highPassText, index, value);
        if (container)
            container->invalid();
        break;
    case param::kLowPassFrequency:
        setValue(lowPassSlider, value);
        placeFrequencyText(lowPassText, index, value);
        if (container)
            container->invalid();
        break;
    default:
        break;
    }
}

void StripFiltersEditor::valueChanged(CControl* control)
{
    if (!shown || !control || !effect)
        return;
    const VstInt32 tag = control->getTag();
    if (tag >= param::kShowFilters && tag <= param::kLowPassFrequency) {
        effect->setParameterAutomated(tag, control->getValue());
        control->setDirty(true);
    } else if (tag == kHighPassTextTag && highPassText) {
        typedChange(param::kHighPassFrequency, highPassValueForText(highPassText->getText()));
    } else if (tag == kLowPassTextTag && lowPassText) {
        typedChange(param::kLowPassFrequency, lowPassValueForText(lowPassText->getText()));
    }
}

// A typed value is one complete edit of its parameter for the host.
void StripFiltersEditor::typedChange(VstInt32 index, float value)
{
    effect->beginEdit(index);
    effect->setParameterAutomated(index, value);
    effect->endEdit(index);
}

void StripFiltersEditor::forgetControls()
{
    filterInOut = nullptr;
    openClose = nullptr;
    caption = nullptr;
    highPassOn = nullptr;
    lowPassOn = nullptr;
    highPassSlider = nullptr;
    lowPassSlider = nullptr;
    highPassSlope = nullptr;
    lowPassSlope = nullptr;
    highPassText = nullptr;
    lowPassText = nullptr;
}

void StripFiltersEditor::handHintLabel(CHelpHintLabel* label)
{
    for (CQORHintControl* control : std::initializer_list<CQORHintControl*>{
             filterInOut, openClose, highPassOn, lowPassOn, highPassSlider, lowPassSlider, highPassSlope,
             lowPassSlope, highPassText, lowPassText})
        if (control)
            control->setHintLabel(label);
}
