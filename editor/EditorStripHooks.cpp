// Where the editor meets its two strip holders: each keeps a compact and an
// expanded bar per meter and shows the one the layout and the meter ask for.

#include "editor/CQORMeterFULLPANEL.h"
#include "editor/StripFiltersSafeEditor.h"
#include "editor/StripLabelSafeEditor.h"
#include "editor/TemepleteEditor.h"

void TemepleteEditor::createStripEditors()
{
    destroyStripEditors();
    filterStrip = new StripFiltersSafeEditor(templete, this);
    labelStrip = new StripLabelSafeEditor(templete, this);
    filterStrip->open(frame);
    labelStrip->open(frame);
    const std::array<VSTGUI::CHelpHintLabel*, editor::kMeterCount> hints{
        panels[0] ? panels[0]->getHintLabel() : nullptr, panels[1] ? panels[1]->getHintLabel() : nullptr,
        panels[2] ? panels[2]->getHintLabel() : nullptr};
    filterStrip->setHintLabels(hints[0], hints[1], hints[2]);
    labelStrip->setHintLabels(hints[0], hints[1], hints[2]);
}

void TemepleteEditor::destroyStripEditors()
{
    if (labelStrip)
        labelStrip->close();
    if (filterStrip)
        filterStrip->close();
    delete labelStrip;
    delete filterStrip;
    filterStrip = nullptr;
    labelStrip = nullptr;
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

void TemepleteEditor::setStripsProcessActive(float value)
{
    if (filterStrip)
        filterStrip->setProcessActive(value);
}

void TemepleteEditor::forwardParameterToStrips(VstInt32 index, float value)
{
    if (labelStrip)
        labelStrip->setParameter(index, value);
    if (filterStrip)
        filterStrip->setParameter(index, value);
}

void TemepleteEditor::forwardControlToStrips(VSTGUI::CControl* control)
{
    if (labelStrip)
        labelStrip->valueChanged(control);
    if (filterStrip)
        filterStrip->valueChanged(control);
}

void TemepleteEditor::idleStrips()
{
    if (labelStrip)
        labelStrip->idle();
}
