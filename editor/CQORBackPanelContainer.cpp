#include "editor/CQORBackPanelContainer.h"

#include "controls/CQOROnOffButton.h"
#include "toolkit/CControl.h"

namespace VSTGUI {

CQORBackPanelContainer::CQORBackPanelContainer(const CRect& size, CControlListener* listener, CBitmap* background)
    : CViewContainer(size, nullptr, background),
      listener(listener),
      closeButton(new CQOROnOffButton(size, listener, kCloseTag, nullptr))
{
    closeButton->setValue(1.f);
}

CQORBackPanelContainer::~CQORBackPanelContainer() { closeButton->forget(); }

CMouseEventResult CQORBackPanelContainer::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    const CMouseEventResult result = CViewContainer::onMouseDown(where, buttons);
    if (result != kMouseEventNotHandled && result != kMouseEventNotImplemented)
        return result;
    if (listener)
        listener->valueChanged(closeButton);
    return kMouseEventHandled;
}

}  // namespace VSTGUI
