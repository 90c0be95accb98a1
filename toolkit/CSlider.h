#pragma once

// A slider: a handle bitmap that travels `rangeHandle` pixels over an
// optional background. Vertical sliders with kBottom have their maximum at
// the top. A press puts the handle's centre under the mouse and drags it;
// the zoom modifier drags finer.

#include "toolkit/CControl.h"

namespace VSTGUI {

enum CSliderStyle : int32_t {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kTop = 1 << 4,
    kBottom = 1 << 5,
};

class CSlider : public CControl {
public:
    // Handle travel from iMinPos to iMaxPos (absolute pixels along the axis).
    CSlider(const CRect& size, CControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
            CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
            int32_t style = kLeft | kHorizontal);
    // Handle at offsetHandle inside the view; _rangeHandle includes the handle's own size.
    CSlider(const CRect& size, CControlListener* listener, int32_t tag, const CPoint& offsetHandle,
            int32_t _rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
            int32_t style = kLeft | kHorizontal);
    CSlider(const CSlider& other);
    ~CSlider() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    using CControl::onWheel;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    virtual void setHandle(CBitmap* handle);
    CBitmap* getHandle() const { return pHandle; }
    void setOffsetHandle(const CPoint& val);
    void setOffset(const CPoint& val) { offset = val; }
    const CPoint& getOffset() const { return offset; }
    int32_t getStyle() const { return style; }

    const char* getClassName() const override { return "CSlider"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "CSlider") == 0 || CControl::isTypeOf(s); }
    CBaseObject* newCopy() const override { return new CSlider(*this); }

protected:
    bool isHorizontal() const { return (style & kHorizontal) != 0; }
    bool isInverted() const { return (style & (kRight | kBottom)) != 0; }
    CRect handleRect() const;

    CPoint offset;
    CPoint offsetHandle;
    CBitmap* pHandle = nullptr;
    int32_t style;
    CCoord widthOfSlider = 1;
    CCoord heightOfSlider = 1;
    CCoord rangeHandle = 0;
    CCoord minTmp = 0;
    CCoord maxTmp = 0;
    CCoord minPos = 0;
    CCoord widthControl;
    CCoord heightControl;
    float zoomFactor = 10.f;
    CCoord delta = 0;
    float oldVal = 0;
    CButtonState oldButton;
};

}  // namespace VSTGUI
