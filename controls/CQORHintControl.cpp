#include "controls/CQORHintControl.h"

#include "controls/CHelpHintLabel.h"

namespace VSTGUI {

void CQORHintControl::showHint(int32_t tag, float value, const int32_t* zone)
{
    if (hintLabel)
        hintLabel->showHint(tag, value, zone);
}

void CQORHintControl::clearHint()
{
    if (!hintLabel)
        return;
    hintLabel->setText("");
    hintLabel->setDirty(true);
}

}  // namespace VSTGUI
