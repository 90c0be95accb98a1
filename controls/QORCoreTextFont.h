#pragma once

// The platform font of the product's own typeface: the font file is opened
// privately with FreeType (nothing is installed or registered with the
// system) on the first draw or measure, and its glyph outlines are filled
// with cairo; on Windows it is a GDI+ private font collection drawn with
// GDI+. Until then, and when the file cannot be used, the metrics are
// unknown (-1.0), nothing is drawn and every width is 0.
//
// Sizes follow the typeface's design: the em is (size - 9.5) points at
// 96 dpi, so the 38.0 font draws with an em of 28.5 pt = 38 px.

#include "toolkit/IPlatformFont.h"

#include <memory>
#include <string>

class QORCoreTextFont : public VSTGUI::IPlatformFont, public VSTGUI::IFontPainter {
public:
    // One style only: a later flag replaces an earlier one.
    enum Style : int { kRegular = 0, kBold = 1, kItalic = 2, kUnderline = 4 };

    static constexpr double kEmReductionPt = 9.5;
    static constexpr double kScreenDpi = 96.0;
    static constexpr double kPointsPerInch = 72.0;
    static constexpr std::size_t kMaxPathCharacters = 1024;
    static constexpr const char* kFaceName = "QORValdora";

    // styleFlags are the toolkit's CTxtFace flags.
    QORCoreTextFont(const std::string& path, double size, int32_t styleFlags);
    ~QORCoreTextFont() override;
    QORCoreTextFont(const QORCoreTextFont&) = delete;
    QORCoreTextFont& operator=(const QORCoreTextFont&) = delete;

    // Em size in points times the face's cell ascent, cell descent or line
    // spacing over its em height; -1.0 before first use or without a face.
    double getAscent() const override;
    double getDescent() const override;
    double getLeading() const override;
    double getCapHeight() const override { return -1.0; }
    VSTGUI::IFontPainter* getPainter() override { return this; }

    // `point` is the left end of the baseline; the text cell's top is put
    // at point.y + 1 - font height, as the label layouts expect.
    void drawString(VSTGUI::CDrawContext* context, const char* utf8, const VSTGUI::CPoint& point,
                    bool antialias = true) override;
    VSTGUI::CCoord getStringWidth(VSTGUI::CDrawContext* context, const char* utf8, bool antialias = true) override;

    double getSize() const { return size; }
    double getEmSizePt() const { return size - kEmReductionPt; }
    double getEmSizePx() const { return getEmSizePt() * kScreenDpi / kPointsPerInch; }
    // Line spacing in pixels; -1.0 while metrics are unknown.
    double getHeightPx() const;
    // True once the first use has loaded the face.
    bool isLoaded() const { return face != nullptr; }

    static Style styleFromFlags(int32_t styleFlags);

private:
    struct Face;
    Face* ensureFace();

    std::string path;
    double size;
    Style style;
    bool loadTried = false;
    std::unique_ptr<Face> face;
};
