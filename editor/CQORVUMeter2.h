#pragma once

// The VU meter's view: its own backlit scale (one of five brightness frames),
// a dark needle and a red hold mark, with the bottom strip of the scale drawn
// again over the needle's root.

#include "editor/CQORMeter2.h"

class CQORVUMeter2 : public CQORMeter2 {
public:
    CQORVUMeter2(const VSTGUI::CPoint& topLeft, VSTGUI::CControlListener* listener);

    // Needle readings, 1.44 at full scale; limited to -0.05..1.5, and a
    // reading that is not a number keeps the previous one.
    void setReadings(float needle, float hold);
    float getNeedle() const { return needle; }
    float getHold() const { return hold; }

    // Backlight step 0..4 (limited), the frame of the scale image shown.
    void setBacklight(int index);
    int getBacklight() const { return backlight; }
    // The step the backlight setting (0..1) selects.
    static int backlightForSetting(float setting);

    // Replaces the scale image (five 122-pixel frames); null or an empty
    // bitmap leaves the view without one, and it then draws nothing.
    void setScaleBitmap(VSTGUI::CBitmap* bitmap);
    VSTGUI::CBitmap* getScaleBitmap() const { return scale.get(); }

    void draw(VSTGUI::CDrawContext* context) override;

    const char* getClassName() const override { return "CQORVUMeter2"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORVUMeter2") == 0 || CQORMeter2::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORVUMeter2(*this); }

private:
    float needle = editor::kVuReadingLow;
    float hold = editor::kVuReadingLow;
    int backlight = 0;
    VSTGUI::SharedPointer<VSTGUI::CBitmap> scale;
    VSTGUI::CRect coverRect;
};
