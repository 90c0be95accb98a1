#include "controls/CQSKickButtonH.h"

namespace VSTGUI {

CMouseEventResult CQSKickButtonH::onMouseEntered(CPoint& where, const CButtonState& buttons)
{
    showHint(tag, 0.f);
    return CQSKickButton::onMouseEntered(where, buttons);
}

CMouseEventResult CQSKickButtonH::onMouseExited(CPoint& where, const CButtonState& buttons)
{
    clearHint();
    return CQSKickButton::onMouseExited(where, buttons);
}

}  // namespace VSTGUI
