#include "toolkit/win/Win32Keys.h"

#include <utility>

namespace VSTGUI {

namespace {

constexpr std::pair<WPARAM, int32_t> kVirtualKeys[] = {
    {VK_BACK, kKeyBack},     {VK_TAB, kKeyTab},       {VK_RETURN, kKeyReturn},   {VK_ESCAPE, kKeyEscape},
    {VK_SPACE, kKeySpace},   {VK_END, kKeyEnd},       {VK_HOME, kKeyHome},       {VK_LEFT, kKeyLeft},
    {VK_UP, kKeyUp},         {VK_RIGHT, kKeyRight},   {VK_DOWN, kKeyDown},       {VK_PRIOR, kKeyPageUp},
    {VK_NEXT, kKeyPageDown}, {VK_INSERT, kKeyInsert}, {VK_DELETE, kKeyDelete},   {VK_SHIFT, kKeyShift},
    {VK_CONTROL, kKeyControl}, {VK_MENU, kKeyAlt},
};

// The numeric keypad's Enter is Return with the extended-key bit set.
constexpr LPARAM kExtendedKeyBit = 1 << 24;

}  // namespace

KeyCode translateKey(WPARAM virtualKey, LPARAM keyData)
{
    KeyCode keyCode{};
    if (GetKeyState(VK_SHIFT) < 0)
        keyCode.modifier |= kModifierShift;
    if (GetKeyState(VK_CONTROL) < 0)
        keyCode.modifier |= kModifierControl;
    if (GetKeyState(VK_MENU) < 0)
        keyCode.modifier |= kModifierAlternate;
    for (const auto& [key, virt] : kVirtualKeys) {
        if (key == virtualKey) {
            keyCode.virt = (virt == kKeyReturn && (keyData & kExtendedKeyBit)) ? kKeyEnter : virt;
            if (virt == kKeySpace)
                keyCode.character = ' ';
            return keyCode;
        }
    }
    // The character the key makes with the current modifiers and layout.
    BYTE keyboard[256] = {};
    if (!GetKeyboardState(keyboard))
        return keyCode;
    wchar_t text[4] = {};
    const UINT scanCode = static_cast<UINT>((keyData >> 16) & 0xff);
    // Flag 4: leave the keyboard's dead-key state alone.
    if (ToUnicode(static_cast<UINT>(virtualKey), scanCode, keyboard, text, 4, 4) == 1 && text[0] >= 0x20)
        keyCode.character = text[0];
    return keyCode;
}

}  // namespace VSTGUI
