#pragma once

// A font whose face is read from font file bytes in memory (EmbeddedFont)
// instead of looked up by name: copies made for another size or style, as a
// draw context makes them, keep the face.

#include "toolkit/CFontDesc.h"

#include <cstddef>

namespace VSTGUI {

class EmbeddedFontDesc : public CFontDesc {
public:
    // The bytes must outlive the font and its copies (they are the library's own).
    EmbeddedFontDesc(const char* name, CCoord size, const unsigned char* fileBytes, std::size_t fileSize);

    IPlatformFont* getPlatformFont() override;

    const char* getClassName() const override { return "EmbeddedFontDesc"; }
    bool isTypeOf(const char* s) const override
    {
        return std::strcmp(s, "EmbeddedFontDesc") == 0 || CFontDesc::isTypeOf(s);
    }
    CBaseObject* newCopy() const override { return new EmbeddedFontDesc(*this); }

private:
    const unsigned char* fileBytes;
    std::size_t fileSize;
};

}  // namespace VSTGUI
