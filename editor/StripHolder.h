#pragma once

// The six bars of one strip kind (compact and expanded, for each meter) and
// which of them is on screen: at most one at a time. Every bar hears every
// parameter change, so switching the meter shows controls already in step.

#include "base/VstInterface.h"
#include "editor/EditorGeometry.h"
#include "editor/PanelBitmap.h"
#include "toolkit/CFrame.h"

#include <array>
#include <memory>

class Templete;

namespace VSTGUI {
class CControl;
class CControlListener;
class CHelpHintLabel;
}  // namespace VSTGUI

template <class Bar>
class StripHolder {
public:
    StripHolder(Templete* effect, VSTGUI::CControlListener* editor, const editor::bitmap::PerMeter& expandedImages)
        : editor(editor), effect(effect), expandedImages(expandedImages)
    {
    }

    bool open(VSTGUI::CFrame* frame)
    {
        close();
        for (int meter = 0; meter < editor::kMeterCount; ++meter) {
            const auto index = static_cast<std::size_t>(meter);
            compactBars[index] = std::make_unique<Bar>(effect, editor);
            const auto compactImage = editor::loadPanelBitmap(editor::bitmap::kCompactStrip[index]);
            compactBars[index]->open(frame, compactImage.get(), false);
            expandedBars[index] = std::make_unique<Bar>(effect, editor);
            const auto expandedImage = editor::loadPanelBitmap(expandedImages[index]);
            expandedBars[index]->open(frame, expandedImage.get(), true);
        }
        return true;
    }

    void close()
    {
        forEachBar([](Bar& bar) { bar.close(); });
        for (auto& bar : compactBars)
            bar.reset();
        for (auto& bar : expandedBars)
            bar.reset();
    }

    void showExpanded(const VSTGUI::CPoint& position, int meter) { showForm(position, meter, false); }
    void showCompact(const VSTGUI::CPoint& position, int meter) { showForm(position, meter, true); }

    void setParameter(VstInt32 index, float value)
    {
        forEachBar([index, value](Bar& bar) { bar.setParameter(index, value); });
    }

    void valueChanged(VSTGUI::CControl* control)
    {
        if (Bar* bar = currentBar())
            bar->valueChanged(control);
    }

    // VU pair, RMS pair, PPM pair.
    void setHintLabels(VSTGUI::CHelpHintLabel* vu, VSTGUI::CHelpHintLabel* rms, VSTGUI::CHelpHintLabel* ppm)
    {
        const std::array<VSTGUI::CHelpHintLabel*, editor::kMeterCount> labels{vu, rms, ppm};
        for (std::size_t meter = 0; meter < labels.size(); ++meter) {
            if (compactBars[meter])
                compactBars[meter]->setHintLabel(labels[meter]);
            if (expandedBars[meter])
                expandedBars[meter]->setHintLabel(labels[meter]);
        }
    }

    Bar* getBar(int meter, bool expanded) const
    {
        if (!isMeter(meter))
            return nullptr;
        const auto index = static_cast<std::size_t>(meter);
        return expanded ? expandedBars[index].get() : compactBars[index].get();
    }
    Bar* currentBar() const { return getBar(currentMeter, !compact); }
    bool isCompact() const { return compact; }
    int getCurrentMeter() const { return currentMeter; }

protected:
    static bool isMeter(int meter) { return meter >= 0 && meter < editor::kMeterCount; }

    template <class Action>
    void forEachBar(Action&& action)
    {
        for (auto* bars : {&compactBars, &expandedBars})
            for (auto& bar : *bars)
                if (bar)
                    action(*bar);
    }

    VSTGUI::CControlListener* editor;
    Templete* effect;

private:
    void showForm(const VSTGUI::CPoint& position, int meter, bool asCompact)
    {
        compact = asCompact;
        currentMeter = meter;
        forEachBar([](Bar& bar) { bar.hide(); });
        if (Bar* bar = currentBar())
            bar->showAt(position);
    }

    editor::bitmap::PerMeter expandedImages;
    std::array<std::unique_ptr<Bar>, editor::kMeterCount> expandedBars;
    std::array<std::unique_ptr<Bar>, editor::kMeterCount> compactBars;
    bool compact = true;
    int currentMeter = -1;
};
