#pragma once

// A short message to the user, with a caption. Shown without holding up the
// caller: written to standard error and, where a desktop helper exists, in
// an error dialog of its own.

#include <string>

namespace platform {

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(void* parentWindow, const std::string& text, const std::string& caption) = 0;

    // The process's real message box (stderr, then zenity or xmessage).
    static MessageBox& system();
};

}  // namespace platform
