#pragma once

// The plug-in's editor: opened by the host into its window, it owns the
// frame, the three meters' front panels (one shown) and the two strip
// editors below them, routes every control change to the effect and follows
// every parameter change of the effect back into the panels. The window is
// 586 pixels wide; its height follows "Strips", "ShowFlt" and "ShowLbl".
// All periodic work runs from the host's editor idle calls.

#include "editor/CQORMeterFULLPANEL.h"
#include "editor/ParameterMailbox.h"
#include "editor/StripLayout.h"
#include "editor/CPresetSystemEditor.h"
#include "toolkit/CBaseObject.h"
#include "toolkit/CBitmap.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class Templete;
class StripFiltersSafeEditor;
class StripLabelSafeEditor;

class TemepleteEditor : public CPresetSystemEditor {
public:
    static constexpr int kNoMeter = -1;
    static constexpr int kInitialHeight = 195;

    explicit TemepleteEditor(Templete* effect);
    ~TemepleteEditor() override;

    bool open(void* parentWindow) override;
    // The same window contents in a frame without a window, for tools and
    // tests that draw or click offscreen.
    bool openOffscreen();
    void close() override;
    void idle() override;
    // Called last by the effect's own setParameter, on the caller's thread:
    // applied at once on the editor's thread, else at the next idle.
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CControl* control) override;

    int getCurrentMeter() const { return currentMeter; }
    CQORMeterFULLPANEL* getPanel(int meter) const;
    StripFiltersSafeEditor* getFilterStrip() const { return filterStrip.get(); }
    StripLabelSafeEditor* getLabelStrip() const { return labelStrip.get(); }
    // The elapsed time (in audio blocks) the last idle handed to the panel.
    double getLastElapsedBlocks() const { return lastElapsedBlocks; }
    int getHeight() const { return rect.bottom - rect.top; }

private:
    bool openFrame(void* parentWindow);
    void applyParameter(VstInt32 index, float value);
    void selectMeter(float value);
    void layoutStrips(bool withResize);
    void resize(int height);
    void applyDeferredLayout();
    double elapsedBlocks() const;
    CQORMeterFULLPANEL* currentPanel() const { return getPanel(currentMeter); }

    // Without strip editors the window still takes the strips' heights.
    void placeStrips(const editor::StripLayout& layout);

    Templete* templete;
    VSTGUI::SharedPointer<VSTGUI::CBitmap> background;
    void* parentWindow = nullptr;
    std::array<std::unique_ptr<CQORMeterFULLPANEL>, editor::kMeterCount> panels;
    std::unique_ptr<StripFiltersSafeEditor> filterStrip;
    std::unique_ptr<StripLabelSafeEditor> labelStrip;
    int currentMeter = kNoMeter;
    // Last applied "Strips", "ShowFlt", "ShowLbl"; -1 forces the next layout.
    std::array<int, 3> stripState{-1, -1, -1};
    double lastElapsedBlocks = 0.0;
    // The thread that opened the window; no thread's id while it is closed.
    // Hosts may set parameters from the audio thread, which reads it.
    static_assert(std::atomic<std::thread::id>::is_always_lock_free, "the audio thread may take no lock");
    std::atomic<std::thread::id> editorThread{};
    ParameterMailbox otherThreadChanges;
    // Set while a control's change is being handled; meter and strip changes
    // it causes wait in the deferred fields until the handling is over.
    bool controlChanging = false;
    std::optional<float> deferredMeter;
    bool deferredLayout = false;
    // A host that opens, idles and closes the window from more than one
    // thread gets those calls one after the other (never the audio thread:
    // it only ever posts to the mailbox).
    std::recursive_mutex windowMutex;
};
