#pragma once

// A CParamDisplay that shows a text of its own instead of its value.

#include "toolkit/CParamDisplay.h"

#include <string>

namespace VSTGUI {

class CTextLabel : public CParamDisplay {
public:
    CTextLabel(const CRect& size, const char* txt = nullptr, CBitmap* background = nullptr, int32_t style = 0);

    virtual void setText(const char* txt);
    virtual const char* getText() const { return text.c_str(); }
    void draw(CDrawContext* context) override;

    const char* getClassName() const override { return "CTextLabel"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CTextLabel") == 0 || CParamDisplay::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CTextLabel(*this); }

protected:
    std::string text;
};

}  // namespace VSTGUI
