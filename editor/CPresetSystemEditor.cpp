#include "editor/CPresetSystemEditor.h"

#include "platform/DocumentShell.h"
#include "platform/ManualPath.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "toolkit/CFrame.h"

#include <unistd.h>

CPresetSystemEditor::CPresetSystemEditor(AudioEffect* effect)
    : AEffGUIEditor(effect),
      documentShell(&platform::DocumentShell::system()),
      messageBox(&platform::MessageBox::system())
{
    // A directory longer than the buffer is left out rather than cut short.
    if (!getcwd(currentDirectory.data(), currentDirectory.size()))
        currentDirectory.fill('\0');
}

CPresetSystemEditor::~CPresetSystemEditor() { writeRememberedPaths(); }

void CPresetSystemEditor::writeRememberedPaths() const
{
    const std::unique_ptr<platform::SettingsKey> key = platform::SettingsKey::create(platform::kSettingsKeyPath);
    if (!key)
        return;
    key->setString(kCurrDirValue, currentDirectory.data());
    key->setString(kCurrBankValue, bankFileName.data());
    key->setString(kCurrPresetValue, presetFileName.data());
}

void CPresetSystemEditor::setDocumentShell(platform::DocumentShell* shell)
{
    documentShell = shell ? shell : &platform::DocumentShell::system();
}

void CPresetSystemEditor::setMessageBox(platform::MessageBox* box)
{
    messageBox = box ? box : &platform::MessageBox::system();
}

void CPresetSystemEditor::valueChanged(VSTGUI::CControl* control)
{
    if (!effect || !control)
        return;
    if (control->getTag() == kTagManual)
        openUserManual();
}

void CPresetSystemEditor::openUserManual()
{
    const std::string path = platform::manualPathToOpen();
    void* parent = frame ? frame->getSystemWindow() : nullptr;
    switch (documentShell->openDocument(parent, path)) {
    case platform::OpenDocumentResult::Opened:
        return;
    case platform::OpenDocumentResult::NoApplication:
        messageBox->show(parent, kNoApplicationText, kNoApplicationCaption);
        return;
    case platform::OpenDocumentResult::Failed:
        messageBox->show(parent, kOpenFailedText, "");
        return;
    }
}
