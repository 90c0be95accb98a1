#pragma once

// The product's own typeface as a toolkit font. Its platform font is always
// the QORCoreTextFont it was made with, whatever name, size or style the
// toolkit asks for; copies share it.

#include "controls/QORCoreTextFont.h"
#include "toolkit/CFontDesc.h"

class CQORCustomFont : public VSTGUI::CFontDesc {
public:
    static constexpr const char* kName = "doesn't matter";
    static constexpr double kSize = 38.0;
    static constexpr int32_t kStyle = 0;

    // Takes a reference to platformFont.
    CQORCustomFont(const char* name, VSTGUI::CCoord size, int32_t style, QORCoreTextFont* platformFont);
    CQORCustomFont(const CQORCustomFont& other);

    VSTGUI::IPlatformFont* getPlatformFont() override { return coreFont.get(); }
    QORCoreTextFont* getCoreTextFont() const { return coreFont.get(); }

    // The process-wide font, built when the library loads from the font file
    // beside the user manual.
    static CQORCustomFont* shared();

    const char* getClassName() const override { return "CQORCustomFont"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "CQORCustomFont") == 0 || VSTGUI::CFontDesc::isTypeOf(s);
    }
    VSTGUI::CBaseObject* newCopy() const override { return new CQORCustomFont(*this); }

private:
    VSTGUI::SharedPointer<QORCoreTextFont> coreFont;
};
