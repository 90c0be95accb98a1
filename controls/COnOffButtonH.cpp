#include "controls/COnOffButtonH.h"

namespace VSTGUI {

CMouseEventResult COnOffButtonH::onMouseEntered(CPoint&, const CButtonState&)
{
    showHint(tag, value);
    return kMouseEventHandled;
}

CMouseEventResult COnOffButtonH::onMouseExited(CPoint&, const CButtonState&)
{
    clearHint();
    return kMouseEventHandled;
}

}  // namespace VSTGUI
