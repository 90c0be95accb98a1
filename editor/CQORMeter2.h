#pragma once

// One channel of one meter drawn as a needle instrument: needles radiating
// from a pivot below the view, a hold mark and an over LED. The view holds no
// meter logic; its full panel writes readings into it on every idle tick and
// marks it dirty. A left click reports the view to its listener with tag
// kParamClearOvers, which clears the overs and infinite holds of all meters.

#include "editor/EditorGeometry.h"
#include "toolkit/CBitmap.h"
#include "toolkit/CColor.h"
#include "toolkit/CControl.h"

namespace VSTGUI {
class CDrawContext;
}

class CQORMeter2 : public VSTGUI::CControl {
public:
    // Over states written by the panel, as the engines report them.
    static constexpr int kOverNow = 1;
    static constexpr int kOverLatched = 0;  // over since the last clear
    static constexpr int kOverNone = -1;

    // topLeft in the parent's coordinates; the geometry fixes everything else.
    CQORMeter2(const VSTGUI::CPoint& topLeft, VSTGUI::CControlListener* listener,
               const editor::MeterViewGeometry& geometry);

    // Any value above 0 is over now, below 0 none.
    void setOverState(int state);
    int getOverState() const { return overState; }
    void setShowHold(bool show) { showHold = show; }
    bool getShowHold() const { return showHold; }

    // Replaces the over LED image (three 20-pixel frames); null or an empty
    // bitmap leaves the view without one, and it then draws nothing.
    void setOverLedBitmap(VSTGUI::CBitmap* bitmap);
    VSTGUI::CBitmap* getOverLedBitmap() const { return overLed.get(); }

    const VSTGUI::CRect& getLedRect() const { return ledRect; }
    VSTGUI::CPoint getPivot() const { return VSTGUI::CPoint(pivotX, pivotY); }
    // Point at `radius` from the pivot along `angleRad` (counter-clockwise
    // from +x), centred on the pixel grid as the needles are drawn.
    VSTGUI::CPoint needlePoint(double angleRad, double radius) const;

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

    const char* getClassName() const override { return "CQORMeter2"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORMeter2") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORMeter2(*this); }

    static constexpr float kNeedleWidth = 2.4F;

protected:
    static VSTGUI::SharedPointer<VSTGUI::CBitmap> loadBitmap(int resourceId);
    // A reading that is not a number leaves `shown` as it was.
    static void limitReading(float& shown, float reading, float low, float high);

    void drawOverLed(VSTGUI::CDrawContext* context) const;
    void drawNeedle(VSTGUI::CDrawContext* context, double angleRad, float fromRadius, float toRadius,
                    const VSTGUI::CColor& color) const;
    void beginNeedles(VSTGUI::CDrawContext* context) const;

    float r0;
    float r1;
    float r2;
    float r3;
    double pivotX;
    double pivotY;
    int overState = kOverNone;
    bool showHold = false;
    VSTGUI::SharedPointer<VSTGUI::CBitmap> overLed;
    VSTGUI::CRect ledRect;
};
