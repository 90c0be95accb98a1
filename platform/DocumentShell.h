#pragma once

// Opening a document with the user's preferred application, the way a file
// manager's "open" does. The user interface thread never waits for the
// application.

#include <string>

namespace platform {

enum class OpenDocumentResult {
    Opened,
    NoApplication,  // nothing on this system can open documents
    Failed,         // no such document, or the opener could not start
};

class DocumentShell {
public:
    virtual ~DocumentShell() = default;
    virtual OpenDocumentResult openDocument(void* parentWindow, const std::string& path) = 0;

    // The process's real shell (xdg-open).
    static DocumentShell& system();
};

}  // namespace platform
