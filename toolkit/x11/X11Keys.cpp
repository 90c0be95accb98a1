#include "toolkit/x11/X11Keys.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace VSTGUI {

namespace {

constexpr std::array<std::pair<KeySym, unsigned char>, 26> kVirtualKeys{{
    {XK_BackSpace, kKeyBack},  {XK_Tab, kKeyTab},         {XK_ISO_Left_Tab, kKeyTab},
    {XK_Return, kKeyReturn},   {XK_KP_Enter, kKeyEnter},  {XK_Escape, kKeyEscape},
    {XK_space, kKeySpace},     {XK_End, kKeyEnd},         {XK_Home, kKeyHome},
    {XK_Left, kKeyLeft},       {XK_Up, kKeyUp},           {XK_Right, kKeyRight},
    {XK_Down, kKeyDown},       {XK_Page_Up, kKeyPageUp},  {XK_Page_Down, kKeyPageDown},
    {XK_Insert, kKeyInsert},   {XK_Delete, kKeyDelete},   {XK_KP_Delete, kKeyDelete},
    {XK_Shift_L, kKeyShift},   {XK_Shift_R, kKeyShift},   {XK_Control_L, kKeyControl},
    {XK_Control_R, kKeyControl}, {XK_Alt_L, kKeyAlt},     {XK_Alt_R, kKeyAlt},
    {XK_KP_Left, kKeyLeft},    {XK_KP_Right, kKeyRight},
}};

// Keysyms of Latin-1 equal their code points; newer ones carry it with 0x01000000 set.
constexpr KeySym kUnicodeKeysymFlag = 0x01000000;

}  // namespace

KeyCode translateKey(XKeyEvent& event)
{
    KeyCode keyCode{};
    char buffer[8] = {};
    KeySym keysym = NoSymbol;
    XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
    if (event.state & ShiftMask)
        keyCode.modifier |= kModifierShift;
    if (event.state & ControlMask)
        keyCode.modifier |= kModifierControl;
    if (event.state & Mod1Mask)
        keyCode.modifier |= kModifierAlternate;
    for (const auto& [sym, virt] : kVirtualKeys) {
        if (sym == keysym) {
            keyCode.virt = virt;
            if (virt == kKeySpace)
                keyCode.character = ' ';
            return keyCode;
        }
    }
    if (keysym >= 0x20 && keysym <= 0xff)
        keyCode.character = static_cast<int32_t>(keysym);
    else if ((keysym & 0xff000000) == kUnicodeKeysymFlag)
        keyCode.character = static_cast<int32_t>(keysym & 0x00ffffff);
    return keyCode;
}

}  // namespace VSTGUI
