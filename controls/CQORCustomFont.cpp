#include "controls/CQORCustomFont.h"

#include "controls/CustomFontPath.h"

#include <memory>

using namespace VSTGUI;

CQORCustomFont::CQORCustomFont(const char* name, CCoord size, int32_t style, QORCoreTextFont* platformFont)
    : CFontDesc(name, size, style), coreFont(platformFont)
{
}

CQORCustomFont::CQORCustomFont(const CQORCustomFont& other) : CFontDesc(other), coreFont(other.coreFont) {}

namespace {

struct ForgetObject {
    void operator()(CBaseObject* object) const { object->forget(); }
};

// Built at library load; the font file itself is only read on first use.
std::unique_ptr<CQORCustomFont, ForgetObject> makeSharedFont()
{
    auto* coreFont = new QORCoreTextFont(customfont::customFontPath(), CQORCustomFont::kSize, CQORCustomFont::kStyle);
    auto* font = new CQORCustomFont(CQORCustomFont::kName, CQORCustomFont::kSize, CQORCustomFont::kStyle, coreFont);
    coreFont->forget();
    return std::unique_ptr<CQORCustomFont, ForgetObject>(font);
}

const std::unique_ptr<CQORCustomFont, ForgetObject> sharedFont = makeSharedFont();

}  // namespace

CQORCustomFont* CQORCustomFont::shared() { return sharedFont.get(); }
