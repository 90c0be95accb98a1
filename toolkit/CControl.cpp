#include "toolkit/CControl.h"

#include "toolkit/CFrame.h"

#include <algorithm>

namespace VSTGUI {

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag)
{
    if (background)
        setBackground(background);
}

CControl::CControl(const CControl& other)
    : CView(other),
      listener(other.listener),
      tag(other.tag),
      value(other.value),
      oldValue(other.oldValue),
      defaultValue(other.defaultValue),
      vmin(other.vmin),
      vmax(other.vmax),
      wheelInc(other.wheelInc),
      backOffset(other.backOffset)
{
}

float CControl::getValueNormalized() const
{
    const float range = getRange();
    if (range == 0.f)
        return 0.f;
    return std::clamp((value - vmin) / range, 0.f, 1.f);
}

void CControl::setValueNormalized(float normalized)
{
    setValue(vmin + getRange() * std::clamp(normalized, 0.f, 1.f));
}

void CControl::bounceValue()
{
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

bool CControl::checkDefaultValue(CButtonState button)
{
    if (!button.isLeftButton() || button.getModifierState() != kDefaultValueModifier)
        return false;
    const float defValue = getDefaultValue();
    if (defValue != getValue()) {
        beginEdit();
        setValue(defValue);
        valueChanged();
        endEdit();
    }
    return true;
}

void CControl::valueChanged()
{
    if (listener)
        listener->valueChanged(this);
}

void CControl::beginEdit()
{
    if (++editing != 1)
        return;
    if (CFrame* frame = getFrame()) {
        frame->setFocusView(this);
        frame->beginEdit(tag);
    }
    if (listener)
        listener->controlBeginEdit(this);
}

void CControl::endEdit()
{
    if (editing == 0 || --editing != 0)
        return;
    if (CFrame* frame = getFrame())
        frame->endEdit(tag);
    if (listener)
        listener->controlEndEdit(this);
}

bool CControl::isDirty() const { return oldValue != value || CView::isDirty(); }

void CControl::setDirty(bool val)
{
    CView::setDirty(val);
    if (val)
        oldValue = (value != -1.f) ? -1.f : 0.f;
    else
        oldValue = value;
}

// A control taken out of the frame mid-edit must still close its edit,
// or the host would wait for an end that never comes.
bool CControl::removed(CView* parent)
{
    if (editing > 0) {
        editing = 1;
        endEdit();
    }
    return CView::removed(parent);
}

}  // namespace VSTGUI
