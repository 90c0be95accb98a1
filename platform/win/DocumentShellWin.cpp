#include "platform/DocumentShell.h"

#include "platform/win/WideText.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

namespace platform {

namespace {

class WindowsDocumentShell : public DocumentShell {
public:
    OpenDocumentResult openDocument(void* parentWindow, const std::string& path) override
    {
        const std::wstring file = toWide(path);
        if (file.empty())
            return OpenDocumentResult::Failed;
        HINSTANCE const result =
            ShellExecuteW(static_cast<HWND>(parentWindow), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        // Values above 32 mean success; the others are error codes.
        const auto code = reinterpret_cast<std::intptr_t>(result);
        if (code > 32)
            return OpenDocumentResult::Opened;
        if (code == SE_ERR_NOASSOC || code == SE_ERR_ASSOCINCOMPLETE)
            return OpenDocumentResult::NoApplication;
        return OpenDocumentResult::Failed;
    }
};

}  // namespace

DocumentShell& DocumentShell::system()
{
    static WindowsDocumentShell shell;
    return shell;
}

}  // namespace platform
