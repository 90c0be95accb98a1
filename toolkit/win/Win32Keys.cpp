#include "toolkit/win/Win32Keys.h"

#include <utility>

namespace VSTGUI {

namespace {

constexpr std::pair<WPARAM, VstInt32> kVirtualKeys[] = {
    {VK_BACK, VKEY_BACK},     {VK_TAB, VKEY_TAB},       {VK_RETURN, VKEY_RETURN},   {VK_ESCAPE, VKEY_ESCAPE},
    {VK_SPACE, VKEY_SPACE},   {VK_END, VKEY_END},       {VK_HOME, VKEY_HOME},       {VK_LEFT, VKEY_LEFT},
    {VK_UP, VKEY_UP},         {VK_RIGHT, VKEY_RIGHT},   {VK_DOWN, VKEY_DOWN},       {VK_PRIOR, VKEY_PAGEUP},
    {VK_NEXT, VKEY_PAGEDOWN}, {VK_INSERT, VKEY_INSERT}, {VK_DELETE, VKEY_DELETE},   {VK_SHIFT, VKEY_SHIFT},
    {VK_CONTROL, VKEY_CONTROL}, {VK_MENU, VKEY_ALT},
};

// The numeric keypad's Enter is Return with the extended-key bit set.
constexpr LPARAM kExtendedKeyBit = 1 << 24;

}  // namespace

VstKeyCode translateKey(WPARAM virtualKey, LPARAM keyData)
{
    VstKeyCode keyCode{};
    if (GetKeyState(VK_SHIFT) < 0)
        keyCode.modifier |= MODIFIER_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        keyCode.modifier |= MODIFIER_CONTROL;
    if (GetKeyState(VK_MENU) < 0)
        keyCode.modifier |= MODIFIER_ALTERNATE;
    for (const auto& [key, virt] : kVirtualKeys) {
        if (key == virtualKey) {
            keyCode.virt = (virt == VKEY_RETURN && (keyData & kExtendedKeyBit)) ? VKEY_ENTER : virt;
            if (virt == VKEY_SPACE)
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
