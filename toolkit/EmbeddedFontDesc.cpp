#include "toolkit/EmbeddedFontDesc.h"

#include "toolkit/EmbeddedFont.h"

namespace VSTGUI {

EmbeddedFontDesc::EmbeddedFontDesc(const char* name, CCoord size, const unsigned char* fileBytes,
                                   std::size_t fileSize)
    : CFontDesc(name, size, kNormalFace), fileBytes(fileBytes), fileSize(fileSize)
{
}

IPlatformFont* EmbeddedFontDesc::getPlatformFont()
{
    if (!currentPlatformFont()) {
        auto* face = new EmbeddedFont(fileBytes, fileSize, getSize());
        setPlatformFont(face);
        face->forget();
    }
    return currentPlatformFont();
}

}  // namespace VSTGUI
