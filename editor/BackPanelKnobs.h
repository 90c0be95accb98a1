#pragma once

// The stepped knobs of the back panels: the value is reduced to one of a few
// positions and each position shows a fixed frame of the common film strip,
// so a knob with four settings points at four marks printed on the panel.

#include "controls/CAnimKnob4.h"
#include "editor/EditorGeometry.h"

#include <array>
#include <cstddef>

namespace VSTGUI {

class CSteppedKnob : public CAnimKnob4 {
public:
    CSteppedKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip,
                 const int* frames, std::size_t positions);

    void draw(CDrawContext* context) override;
    // 0 .. positions - 1 for the current value.
    int32_t position() const;
    int32_t shownFrame() const;

private:
    const int* frames;
    std::size_t positions;
};

class CRmsLedRefKnob : public CSteppedKnob {
public:
    CRmsLedRefKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip)
        : CSteppedKnob(size, listener, tag, filmStrip, editor::back::kRmsLedReferenceFrames.data(),
                       editor::back::kRmsLedReferenceFrames.size())
    {
    }
};

class CRmsOverLedKnob : public CSteppedKnob {
public:
    CRmsOverLedKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip)
        : CSteppedKnob(size, listener, tag, filmStrip, editor::back::kRmsOversFrames.data(),
                       editor::back::kRmsOversFrames.size())
    {
    }
};

class CVuOverLedKnob : public CSteppedKnob {
public:
    CVuOverLedKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip)
        : CSteppedKnob(size, listener, tag, filmStrip, editor::back::kVuPpmOversFrames.data(),
                       editor::back::kVuPpmOversFrames.size())
    {
    }
};

class CPpmOverLedKnob : public CVuOverLedKnob {
public:
    using CVuOverLedKnob::CVuOverLedKnob;
};

class CVuLedRefKnob : public CSteppedKnob {
public:
    CVuLedRefKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip)
        : CSteppedKnob(size, listener, tag, filmStrip, editor::back::kVuPpmLedReferenceFrames.data(),
                       editor::back::kVuPpmLedReferenceFrames.size())
    {
    }
};

class CPpmLedRefKnob : public CVuLedRefKnob {
public:
    using CVuLedRefKnob::CVuLedRefKnob;
};

class CVuBackLitKnob : public CSteppedKnob {
public:
    CVuBackLitKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip)
        : CSteppedKnob(size, listener, tag, filmStrip, editor::back::kVuBacklightFrames.data(),
                       editor::back::kVuBacklightFrames.size())
    {
    }
};

// The knob class that belongs to a kind; the plain kind is a CAnimKnob4.
CAnimKnob4* makeBackPanelKnob(editor::back::KnobKind kind, const CRect& size, CControlListener* listener,
                              int32_t tag, CBitmap* filmStrip);

}  // namespace VSTGUI
