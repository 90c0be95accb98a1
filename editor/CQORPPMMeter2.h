#pragma once

// The PPM meter's view: one pale needle and a red hold mark. The scale is
// printed on the panel's background behind the view.

#include "editor/CQORMeter2.h"

class CQORPPMMeter2 : public CQORMeter2 {
public:
    CQORPPMMeter2(const VSTGUI::CPoint& topLeft, VSTGUI::CControlListener* listener);

    // Linear readings relative to the reference, limited to what the scale
    // can show; a reading that is not a number keeps the previous one.
    void setReadings(float level, float hold);
    float getLevel() const { return level; }
    float getHold() const { return hold; }

    void draw(VSTGUI::CDrawContext* context) override;

    const char* getClassName() const override { return "CQORPPMMeter2"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORPPMMeter2") == 0 || CQORMeter2::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORPPMMeter2(*this); }

private:
    float level = editor::kLevelReadingRest;
    float hold = editor::kLevelReadingRest;
};
