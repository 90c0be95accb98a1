#pragma once

// The RMS meter's view: a brown RMS needle with a black core, a cream peak
// needle with a red tip, and a red hold mark. The scale is printed on the
// panel's background behind the view.

#include "editor/CQORMeter2.h"

class CQORRMSMeter2 : public CQORMeter2 {
public:
    CQORRMSMeter2(const VSTGUI::CPoint& topLeft, VSTGUI::CControlListener* listener);

    // Linear readings relative to the reference, limited to what the scale
    // can show; a reading that is not a number keeps the previous one.
    void setReadings(float level, float hold, float rms);
    float getLevel() const { return level; }
    float getHold() const { return hold; }
    float getRms() const { return rms; }

    void draw(VSTGUI::CDrawContext* context) override;

    const char* getClassName() const override { return "CQORRMSMeter2"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORRMSMeter2") == 0 || CQORMeter2::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new CQORRMSMeter2(*this); }

private:
    float level = editor::kLevelReadingRest;
    float hold = editor::kLevelReadingRest;
    float rms = editor::kLevelReadingRest;
};
