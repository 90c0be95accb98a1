#pragma once

// A view with a value: it reports changes to its listener and brackets user
// edits with beginEdit/endEdit, which the frame forwards to the editor (and
// so to the host) with the control's tag as the parameter index.
//
// A control is dirty while its value differs from the value it last drew,
// so setting a value is enough to have it redrawn at the next idle.

#include "toolkit/CView.h"

namespace VSTGUI {

class CControl;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CControl* control) = 0;
    virtual void controlBeginEdit(CControl*) {}
    virtual void controlEndEdit(CControl*) {}
};

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);
    CControl(const CControl& other);

    virtual void setValue(float val) { value = val; }
    virtual float getValue() const { return value; }
    virtual void setMin(float val) { vmin = val; }
    virtual void setMax(float val) { vmax = val; }
    float getRange() const { return vmax - vmin; }
    virtual void setDefaultValue(float val) { defaultValue = val; }
    virtual float getDefaultValue() const { return defaultValue; }
    float getValueNormalized() const;
    void setValueNormalized(float normalized);
    // Keeps the value within minimum and maximum.
    virtual void bounceValue();
    // A left click with the default-value modifier restores the default value
    // (as one complete edit); answers whether the click was such a click.
    virtual bool checkDefaultValue(CButtonState button);

    virtual void setTag(int32_t val) { tag = val; }
    virtual int32_t getTag() const { return tag; }
    virtual void setListener(CControlListener* l) { listener = l; }
    CControlListener* getListener() const { return listener; }
    virtual void valueChanged();
    // Nested brackets count: only the outermost pair reaches the editor.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }

    void setBackOffset(const CPoint& offset) { backOffset = offset; }
    const CPoint& getBackOffset() const { return backOffset; }
    virtual void setWheelInc(float val) { wheelInc = val; }

    bool isDirty() const override;
    void setDirty(bool val = true) override;
    bool removed(CView* parent) override;

    const char* getClassName() const override { return "CControl"; }
    bool isTypeOf(const char* s) const override { return std::strcmp(s, "CControl") == 0 || CView::isTypeOf(s); }

protected:
    CControlListener* listener;
    int32_t tag;
    float value = 0.f;
    float oldValue = 1.f;
    float defaultValue = 0.5f;
    float vmin = 0.f;
    float vmax = 1.f;
    float wheelInc = 0.1f;
    CPoint backOffset;

private:
    int32_t editing = 0;
};

// A control whose bitmap stacks its images vertically.
class IMultiBitmapControl {
public:
    virtual ~IMultiBitmapControl() = default;
    virtual void setHeightOfOneImage(const CCoord& height) { heightOfOneImage = height; }
    virtual void setNumSubPixmaps(int32_t count) { subPixmaps = count; }
    virtual int32_t getNumSubPixmaps() const { return subPixmaps; }

protected:
    CCoord heightOfOneImage = 0;
    int32_t subPixmaps = 0;
};

}  // namespace VSTGUI
