#pragma once

// The editor's base layer: it carries out the user-manual command (the
// first look at every control change is its) and remembers the current
// directory and the bank and preset file names, which it writes to the
// per-user settings when the editor object goes away.

#include "editor/AEffGUIEditor.h"
#include "toolkit/CControl.h"

#include <array>

namespace platform {
class DocumentShell;
class MessageBox;
}  // namespace platform

class CPresetSystemEditor : public AEffGUIEditor, public VSTGUI::CControlListener {
public:
    static constexpr int32_t kTagManual = 121;
    static constexpr std::size_t kPathBufferSize = 257;  // 256 characters and the terminator

    static constexpr const char* kCurrDirValue = "CurrDir";
    static constexpr const char* kCurrBankValue = "CurrBank";
    static constexpr const char* kCurrPresetValue = "CurrPreset";

    static constexpr const char* kNoApplicationText = "Make sure Acrobat Reader is installed";
    static constexpr const char* kNoApplicationCaption = "Could not open manual file";
    static constexpr const char* kOpenFailedText = "Could not open user manual";

    explicit CPresetSystemEditor(AudioEffect* effect);
    ~CPresetSystemEditor() override;

    // Tag 121 opens the manual; every other tag is the subclass's.
    void valueChanged(VSTGUI::CControl* control) override;
    // Opens the document "ManualPath" names; a failure is shown to the user.
    void openUserManual();

    const char* getCurrentDirectory() const { return currentDirectory.data(); }
    const char* getBankFileName() const { return bankFileName.data(); }
    const char* getPresetFileName() const { return presetFileName.data(); }

    // Where the manual command goes; null puts back the system's own.
    void setDocumentShell(platform::DocumentShell* shell);
    void setMessageBox(platform::MessageBox* box);

private:
    using PathBuffer = std::array<char, kPathBufferSize>;
    void writeRememberedPaths() const;

    PathBuffer currentDirectory{};
    PathBuffer bankFileName{};
    PathBuffer presetFileName{};
    platform::DocumentShell* documentShell;
    platform::MessageBox* messageBox;
};
