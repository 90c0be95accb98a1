#include "toolkit/x11/X11Keys.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace VSTGUI {

namespace {

constexpr std::array<std::pair<KeySym, unsigned char>, 26> kVirtualKeys{{
    {XK_BackSpace, VKEY_BACK},  {XK_Tab, VKEY_TAB},         {XK_ISO_Left_Tab, VKEY_TAB},
    {XK_Return, VKEY_RETURN},   {XK_KP_Enter, VKEY_ENTER},  {XK_Escape, VKEY_ESCAPE},
    {XK_space, VKEY_SPACE},     {XK_End, VKEY_END},         {XK_Home, VKEY_HOME},
    {XK_Left, VKEY_LEFT},       {XK_Up, VKEY_UP},           {XK_Right, VKEY_RIGHT},
    {XK_Down, VKEY_DOWN},       {XK_Page_Up, VKEY_PAGEUP},  {XK_Page_Down, VKEY_PAGEDOWN},
    {XK_Insert, VKEY_INSERT},   {XK_Delete, VKEY_DELETE},   {XK_KP_Delete, VKEY_DELETE},
    {XK_Shift_L, VKEY_SHIFT},   {XK_Shift_R, VKEY_SHIFT},   {XK_Control_L, VKEY_CONTROL},
    {XK_Control_R, VKEY_CONTROL}, {XK_Alt_L, VKEY_ALT},     {XK_Alt_R, VKEY_ALT},
    {XK_KP_Left, VKEY_LEFT},    {XK_KP_Right, VKEY_RIGHT},
}};

// Keysyms of Latin-1 equal their code points; newer ones carry it with 0x01000000 set.
constexpr KeySym kUnicodeKeysymFlag = 0x01000000;

}  // namespace

VstKeyCode translateKey(XKeyEvent& event)
{
    VstKeyCode keyCode{};
    char buffer[8] = {};
    KeySym keysym = NoSymbol;
    XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
    if (event.state & ShiftMask)
        keyCode.modifier |= MODIFIER_SHIFT;
    if (event.state & ControlMask)
        keyCode.modifier |= MODIFIER_CONTROL;
    if (event.state & Mod1Mask)
        keyCode.modifier |= MODIFIER_ALTERNATE;
    for (const auto& [sym, virt] : kVirtualKeys) {
        if (sym == keysym) {
            keyCode.virt = virt;
            if (virt == VKEY_SPACE)
                keyCode.character = ' ';
            return keyCode;
        }
    }
    if (keysym >= 0x20 && keysym <= 0xff)
        keyCode.character = static_cast<VstInt32>(keysym);
    else if ((keysym & 0xff000000) == kUnicodeKeysymFlag)
        keyCode.character = static_cast<VstInt32>(keysym & 0x00ffffff);
    return keyCode;
}

}  // namespace VSTGUI
