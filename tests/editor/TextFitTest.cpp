// Every text the panels print at run time fits its box in the face the
// library ships: each hint of the hint table in the hint line, and every
// value text (back panel labels, versions, trim, frequencies, reference) at
// every value its parameter can take, measured with the label's own font.

#include "base/ParameterIds.h"
#include "controls/CFrontReferenceControl.h"
#include "controls/CHelpHintLabel.h"
#include "controls/ControlLayout.h"
#include "controls/CQORTapeLabel.h"
#include "core/EditorFactory.h"
#include "core/Templete.h"
#include "editor/BackPanel.h"
#include "editor/PanelFont.h"
#include "editor/TemepleteEditor.h"
#include "tests/editor/OffscreenEditor.h"
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

constexpr double kMarginPx = 1.0;  // a pixel of the box stays free on either side
constexpr int kValueSteps = 50;

void expectFits(CFontRef font, const char* text, double boxWidth, const std::string& when)
{
    IFontPainter* painter = font ? font->getFontPainter() : nullptr;
    ASSERT_NE(painter, nullptr);
    EXPECT_LE(painter->getStringWidth(nullptr, text), boxWidth - 2 * kMarginPx) << '"' << text << "\" " << when;
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

double textRoom(const CTextLabel& label) { return label.getViewSize().getWidth() - 2 * label.getTextInset().x; }

class TextFit : public OffscreenEditor {
protected:
    void SetUp() override { openWith({param::kShowStrips, param::kShowFilters, param::kShowLabel}); }

    // Every text label now in the window, and the front reference text.
    void expectEveryShownTextFits(const std::string& when)
    {
        std::vector<CTextLabel*> labels;
        collectLabels(editor->getFrame(), labels);
        for (CTextLabel* label : labels)
            expectFits(label->getFont(), label->getText(), textRoom(*label), when);
        const CFrontReferenceControl* reference = editor->getPanel(editor->getCurrentMeter())->getControls().reference;
        ASSERT_NE(reference, nullptr);
        // The panel gives the reference control the panel font.
        expectFits(editor::panelFont(), reference->getText(),
                   reference->getViewSize().getWidth() - controllayout::kReferenceTextInsetLeft -
                       controllayout::kReferenceTextInsetRight,
                   when);
    }
};

TEST_F(TextFit, EveryHintOfTheTableFitsTheHintLine)
{
    // Tags with a hint; the text depends on the value for 6, 7 and 15, on the
    // value and the hovered arrow (zones 0 and 1) for the meter selector, 3.
    const int32_t tags[] = {0, 1, 3, 6, 7, 8, 11, 14, 15, 68, 70, 71, 72, 83, 93, 121};
    for (int meter = 0; meter < 3; ++meter) {
        CHelpHintLabel* hint = editor->getPanel(meter)->getControls().hint;
        ASSERT_NE(hint, nullptr);
        for (int32_t tag : tags)
            for (float value : {0.0F, 0.5F, 1.0F})
                for (int32_t zone : {0, 1}) {
                    hint->showHint(tag, value, &zone);
                    EXPECT_FALSE(std::string(hint->getText()).empty()) << "tag " << tag;
                    expectFits(hint->getFont(), hint->getText(), textRoom(*hint), "in the hint line");
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
        BackPanel* panel = editor->getPanel(sweep.meter)->getBackPanel();
        ASSERT_NE(panel, nullptr);
        for (int side = 0; side < 2; ++side) {  // front panel, then back panel
            for (VstInt32 index : sweep.indices)
                for (int step = 0; step <= kValueSteps; ++step) {
                    effect->setParameter(index, static_cast<float>(step) / kValueSteps);
                    expectEveryShownTextFits("(parameter " + std::to_string(index) + ", step " +
                                             std::to_string(step) + ")");
                }
            panel->toggle();
        }
    }
}

}  // namespace
