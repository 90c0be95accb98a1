#include "platform/MessageBox.h"

#include "platform/win/WideText.h"

#include <windows.h>
// windows.h maps MessageBox to MessageBoxW, which would rename our class.
#undef MessageBox

namespace platform {

namespace {

class WindowsMessageBox : public MessageBox {
public:
    void show(void* parentWindow, const std::string& text, const std::string& caption) override
    {
        const std::wstring wideText = toWide(text);
        const std::wstring wideCaption = toWide(caption);
        MessageBoxW(static_cast<HWND>(parentWindow), wideText.c_str(), wideCaption.c_str(), MB_OK | MB_ICONERROR);
    }
};

}  // namespace

MessageBox& MessageBox::system()
{
    static WindowsMessageBox box;
    return box;
}

}  // namespace platform
