#pragma once

// A control that shows its value as text over a background bitmap or a
// filled, framed rectangle.

#include "toolkit/CColor.h"
#include "toolkit/CControl.h"
#include "toolkit/CDrawContext.h"
#include "toolkit/CFontDesc.h"

namespace VSTGUI {

enum CParamDisplayStyle : int32_t {
    kShadowText = 1 << 2,
    k3DIn = 1 << 3,
    k3DOut = 1 << 4,
    kNoTextStyle = 1 << 7,
    kNoDrawStyle = 1 << 8,
    kNoFrame = 1 << 11,
};

using CParamDisplayValueToStringProc = bool (*)(float value, char utf8String[256], void* userData);

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    CParamDisplay(const CParamDisplay& other);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;

    // Takes a reference to the font.
    virtual void setFont(CFontRef fontID);
    CFontRef getFont() const { return fontID; }
    virtual void setFontColor(const CColor& color);
    CColor getFontColor() const { return fontColor; }
    virtual void setBackColor(const CColor& color);
    virtual void setFrameColor(const CColor& color);
    virtual void setStyle(int32_t val);
    int32_t getStyle() const { return style; }
    const CPoint& getTextInset() const { return textInset; }
    void setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData = nullptr);

    const char* getClassName() const override { return "CParamDisplay"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CParamDisplay") == 0 || CControl::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CParamDisplay(*this); }

protected:
    virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
    virtual void drawText(CDrawContext* context, const char* string);

    CParamDisplayValueToStringProc valueToString = nullptr;
    void* valueToStringUserData = nullptr;
    CHoriTxtAlign horiTxtAlign = kCenterText;
    int32_t style;
    uint8_t valuePrecision = 2;
    CFontRef fontID;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor = kGreyCColor;
    CPoint textInset;
    bool bAntialias = true;
};

}  // namespace VSTGUI
