#pragma once

// A key as views receive it. The numbering follows the plug-in interface's,
// so the editor binding hands host keys over field by field.

#include <cstdint>

namespace VSTGUI {

// Special keys set `virt`; printable keys set `character` to their Unicode code point.
struct KeyCode {
    int32_t character = 0;
    unsigned char virt = 0;      // VirtualKey
    unsigned char modifier = 0;  // KeyModifier bits
};

enum VirtualKey : unsigned char {
    kKeyBack = 1, kKeyTab, kKeyClear, kKeyReturn, kKeyPause, kKeyEscape, kKeySpace,
    kKeyNext, kKeyEnd, kKeyHome, kKeyLeft, kKeyUp, kKeyRight, kKeyDown, kKeyPageUp,
    kKeyPageDown, kKeySelect, kKeyPrint, kKeyEnter, kKeySnapshot, kKeyInsert, kKeyDelete,
    kKeyHelp, kKeyNumpad0, kKeyNumpad1, kKeyNumpad2, kKeyNumpad3, kKeyNumpad4, kKeyNumpad5,
    kKeyNumpad6, kKeyNumpad7, kKeyNumpad8, kKeyNumpad9, kKeyMultiply, kKeyAdd, kKeySeparator,
    kKeySubtract, kKeyDecimal, kKeyDivide, kKeyF1, kKeyF2, kKeyF3, kKeyF4, kKeyF5, kKeyF6,
    kKeyF7, kKeyF8, kKeyF9, kKeyF10, kKeyF11, kKeyF12, kKeyNumLock, kKeyScroll, kKeyShift,
    kKeyControl, kKeyAlt, kKeyEquals,
};

enum KeyModifier : unsigned char {
    kModifierShift = 1 << 0,
    kModifierAlternate = 1 << 1,
    kModifierCommand = 1 << 2,
    kModifierControl = 1 << 3,
};

}  // namespace VSTGUI
