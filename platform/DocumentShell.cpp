#include "platform/DocumentShell.h"

#include "platform/DetachedProcess.h"

#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kOpener = "xdg-open";

class XdgDocumentShell : public DocumentShell {
public:
    OpenDocumentResult openDocument(void*, const std::string& path) override
    {
        // The opener reports a missing file only after we stopped waiting for it.
        if (path.empty() || access(path.c_str(), R_OK) != 0)
            return OpenDocumentResult::Failed;
        if (!isProgramAvailable(kOpener))
            return OpenDocumentResult::NoApplication;
        return launchDetached({kOpener, path}) ? OpenDocumentResult::Opened : OpenDocumentResult::Failed;
    }
};

}  // namespace

DocumentShell& DocumentShell::system()
{
    static XdgDocumentShell shell;
    return shell;
}

}  // namespace platform
