#pragma once

// The meter selector under the meters: the arrow zones at both ends step
// through VU, RMS and PPM (wrapping around), the middle opens or closes the
// back panel through a hidden tag-65 button handed to the listener, and the
// lit arrow follows the mouse. Its tag is always 3 ("Meter").

#include "controls/CQORHintControl.h"
#include "controls/CQOROnOffButton.h"
#include "toolkit/CControl.h"

#include <memory>

namespace VSTGUI {

class CQORMeterSelectorControl : public CControl, public CQORHintControl {
public:
    static constexpr int32_t kTag = 3;
    static constexpr int32_t kBackPanelTag = 65;
    enum Zone : int32_t { kLeftZone = 0, kRightZone = 1, kMiddleZone = 2 };

    // background: three frames of the view's height (plain, left arrow lit, right arrow lit).
    CQORMeterSelectorControl(const CRect& size, CControlListener* listener, CBitmap* background);
    CQORMeterSelectorControl(const CQORMeterSelectorControl& other);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
    using CControl::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    void setTag(int32_t) override {}

    int32_t getHoverZone() const { return hoverZone; }
    // The frame draw picks for the hover zone.
    int32_t frameIndex() const;
    CQOROnOffButton* getBackPanelButton() const { return backPanelButton.get(); }

    const char* getClassName() const override { return "CQORMeterSelectorControl"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORMeterSelectorControl") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORMeterSelectorControl(*this); }

private:
    struct Forget {
        void operator()(CBaseObject* object) const { object->forget(); }
    };

    int32_t zoneAt(const CPoint& where) const;

    std::unique_ptr<CQOROnOffButton, Forget> backPanelButton;
    int32_t leftBoundary;
    int32_t rightBoundary;
    int32_t hoverZone = kMiddleZone;
};

}  // namespace VSTGUI
