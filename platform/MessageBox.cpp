#include "platform/MessageBox.h"

#include "platform/DetachedProcess.h"

#include <cstdio>

namespace platform {

namespace {

class DesktopMessageBox : public MessageBox {
public:
    void show(void*, const std::string& text, const std::string& caption) override
    {
        if (caption.empty())
            std::fprintf(stderr, "%s\n", text.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        if (isProgramAvailable("zenity"))
            launchDetached({"zenity", "--error", "--title=" + caption, "--text=" + text});
        else if (isProgramAvailable("xmessage"))
            launchDetached({"xmessage", "-center", caption.empty() ? text : caption + ": " + text});
    }
};

}  // namespace

MessageBox& MessageBox::system()
{
    static DesktopMessageBox box;
    return box;
}

}  // namespace platform
