#pragma once

// The one-line hint of a front panel: the hint controls ask it for the text
// that belongs to (tag, value, zone) and it shows that text.

#include "toolkit/CTextLabel.h"

#include <cstdint>

namespace VSTGUI {

class CHelpHintLabel : public CTextLabel {
public:
    explicit CHelpHintLabel(const CRect& size);

    // zone matters only for the meter selector (tag 3): 0 left arrow,
    // 1 right arrow, 2 middle or outside.
    void showHint(int32_t tag, float value, const int32_t* zone = nullptr);

    // The text for (tag, value, zone); empty for tags without a hint.
    static const char* hintText(int32_t tag, float value, const int32_t* zone);
};

}  // namespace VSTGUI
