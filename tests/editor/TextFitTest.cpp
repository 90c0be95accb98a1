// Every text the panels print at run time fits its box in the face the
// library ships: each hint of the hint table in the hint line, and every
// value text (back panel labels, versions, trim, frequencies, reference) at
// every value its parameter can take, measured with the label's own font.

#include "controls/CFrontReferenceControl.h"
#include "controls/CHelpHintLabel.h"
#include "controls/CQORTapeLabel.h"
#include "controls/ControlLayout.h"
#include "core/EditorFactory.h"
#include "core/ParameterIds.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/PanelFont.h"
#include "editor/TemepleteEditor.h"
#include "toolkit/CFrame.h"
#include "toolkit/CTextLabel.h"
#include "toolkit/IPlatformFont.h"
#include "tools/vsthost/PluginHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace VSTGUI;

// A text fits when a pixel of the box stays free on either side.
constexpr double kMarginPx = 1.0;
constexpr int kValueSteps = 50;

double widthIn(CFontRef font, const char* text)
{
    IFontPainter* painter = font ? font->getFontPainter() : nullptr;
    return painter ? painter->getStringWidth(nullptr, text) : 0.0;
}

void collectLabels(CViewContainer* container, std::vector<CTextLabel*>& labels)
{
    for (int32_t i = 0; i < container->getNbViews(); ++i) {
        CView* view = container->getView(i);
        if (auto* inner = dynamic_cast<CViewContainer*>(view))
            collectLabels(inner, labels);
        // The tape label holds the user's own words in the tape face.
        else if (auto* label = dynamic_cast<CTextLabel*>(view); label && !dynamic_cast<CQORTapeLabel*>(view))
            labels.push_back(label);
    }
}

class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::hostState().reset();
        effect = std::make_unique<Templete>(host::hostCallback, makeTemepleteEditor);
        editor = dynamic_cast<TemepleteEditor*>(effect->getEditor());
        ASSERT_NE(editor, nullptr);
        for (VstInt32 index : {param::kShowStrips, param::kShowFilters, param::kShowLabel})
            effect->setParameter(index, 1.0F);
        effect->setParameter(param::kMeter, 0.0F);
        ASSERT_TRUE(editor->openOffscreen());
    }
    void TearDown() override { effect.reset(); }

    // Every text label now in the window, and the front reference text.
    void expectEveryShownTextFits(const std::string& when)
    {
        std::vector<CTextLabel*> labels;
        collectLabels(editor->getFrame(), labels);
        for (CTextLabel* label : labels) {
            const double room = label->getViewSize().getWidth() - 2 * label->getTextInset().x - 2 * kMarginPx;
            EXPECT_LE(widthIn(label->getFont(), label->getText()), room)
                << '"' << label->getText() << "\" (" << when << ")";
        }
        const CFrontReferenceControl* reference = editor->getPanel(editor->getCurrentMeter())->getControls().reference;
        ASSERT_NE(reference, nullptr);
        const double room = reference->getViewSize().getWidth() - controllayout::kReferenceTextInsetLeft -
                            controllayout::kReferenceTextInsetRight - 2 * kMarginPx;
        // The panel gives the reference control the panel font.
        EXPECT_LE(widthIn(editor::panelFont(), reference->getText()), room)
            << '"' << reference->getText() << "\" (" << when << ")";
    }

    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;
};

TEST_F(TextFit, EveryHintOfTheTableFitsTheHintLine)
{
    struct HintCase {
        int32_t tag;
        std::vector<float> values;
        std::vector<int32_t> zones;
    };
    const HintCase cases[] = {
        {0, {0.0F}, {}},        {1, {0.0F}, {}},         {68, {0.0F}, {}},       {6, {0.0F, 1.0F}, {}},
        {7, {0.0F, 1.0F}, {}},  {8, {0.0F}, {}},         {11, {0.0F}, {}},       {14, {0.0F}, {}},
        {70, {0.0F}, {}},       {71, {0.0F}, {}},        {15, {0.0F, 1.0F}, {}}, {72, {0.0F}, {}},
        {83, {0.0F}, {}},       {93, {0.0F}, {}},        {121, {0.0F}, {}},
        {3, {0.0F, 0.5F, 1.0F}, {0, 1}},  // zone 2 (the middle) shows no hint
    };
    for (int meter = 0; meter < 3; ++meter) {
        CHelpHintLabel* hint = editor->getPanel(meter)->getControls().hint;
        ASSERT_NE(hint, nullptr);
        const double room = hint->getViewSize().getWidth() - 2 * hint->getTextInset().x - 2 * kMarginPx;
        for (const HintCase& c : cases)
            for (float value : c.values)
                for (std::size_t z = 0; z < std::max<std::size_t>(1, c.zones.size()); ++z) {
                    const int32_t* zone = c.zones.empty() ? nullptr : &c.zones[z];
                    hint->showHint(c.tag, value, zone);
                    EXPECT_GT(std::string(hint->getText()).size(), 0U) << "tag " << c.tag;
                    EXPECT_LE(widthIn(hint->getFont(), hint->getText()), room) << '"' << hint->getText() << '"';
                }
    }
}

TEST_F(TextFit, EveryValueTextFitsItsBoxOverItsWholeRange)
{
    struct Sweep {
        int meter;
        std::vector<VstInt32> indices;
    };
    const Sweep sweeps[] = {
        {0, {param::kTrim, param::kHighPassFrequency, param::kLowPassFrequency, 83, 84, 85}},
        {1, {72, 73, 74, 75, 76}},
        {2, {93, 94, 95, 96}},
    };
    for (const Sweep& sweep : sweeps) {
        effect->setParameter(param::kMeter, sweep.meter * 0.5F);
        for (bool back : {false, true}) {
            BackPanel* panel = editor->getPanel(sweep.meter)->getBackPanel();
            ASSERT_NE(panel, nullptr);
            if (panel->isShown() != back)
                panel->toggle();
            for (VstInt32 index : sweep.indices)
                for (int step = 0; step <= kValueSteps; ++step) {
                    const float value = static_cast<float>(step) / kValueSteps;
                    effect->setParameter(index, value);
                    expectEveryShownTextFits("parameter " + std::to_string(index) + " at " + std::to_string(value));
                }
        }
        if (editor->getPanel(sweep.meter)->getBackPanel()->isShown())
            editor->getPanel(sweep.meter)->getBackPanel()->toggle();
    }
}

}  // namespace
