#include "editor/BackPanelKnobs.h"

#include "toolkit/CBitmap.h"

#include <algorithm>

namespace VSTGUI {

CSteppedKnob::CSteppedKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* filmStrip,
                           const int* frames, std::size_t positions)
    : CAnimKnob4(size, listener, tag, editor::back::kKnobFrames, editor::back::kKnobHeight, filmStrip),
      frames(frames),
      positions(positions)
{
}

int32_t CSteppedKnob::position() const
{
    const float last = static_cast<float>(positions - 1);
    const float scaled = last * getValueNormalized() + 0.5f;
    if (!(scaled >= 0.f))  // below the range or not a number
        return 0;
    return static_cast<int32_t>(std::min(scaled, last));
}

int32_t CSteppedKnob::shownFrame() const { return frames[static_cast<std::size_t>(position())]; }

void CSteppedKnob::draw(CDrawContext* context)
{
    if (CBitmap* bitmap = getDrawBackground())
        bitmap->draw(context, size, CPoint(0, shownFrame() * heightOfOneImage));
    setDirty(false);
}

CAnimKnob4* makeBackPanelKnob(editor::back::KnobKind kind, const CRect& size, CControlListener* listener,
                              int32_t tag, CBitmap* filmStrip)
{
    using editor::back::KnobKind;
    switch (kind) {
    case KnobKind::rmsLedReference:
        return new CRmsLedRefKnob(size, listener, tag, filmStrip);
    case KnobKind::rmsOvers:
        return new CRmsOverLedKnob(size, listener, tag, filmStrip);
    case KnobKind::vuPpmOvers:
        return new CVuOverLedKnob(size, listener, tag, filmStrip);
    case KnobKind::vuPpmLedReference:
        return new CVuLedRefKnob(size, listener, tag, filmStrip);
    case KnobKind::vuBacklight:
        return new CVuBackLitKnob(size, listener, tag, filmStrip);
    case KnobKind::plain:
        break;
    }
    return new CAnimKnob4(size, listener, tag, editor::back::kKnobFrames, editor::back::kKnobHeight, filmStrip);
}

}  // namespace VSTGUI
