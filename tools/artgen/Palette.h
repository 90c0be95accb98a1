#pragma once

// The colours of the one visual family every image belongs to.

namespace artgen {

struct Rgb {
    double r;
    double g;
    double b;
};

constexpr Rgb hex(unsigned value)
{
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

namespace palette {
constexpr Rgb kPanelTop = hex(0x2C2E31);
constexpr Rgb kPanelBottom = hex(0x1D1E21);
constexpr Rgb kStripTop = hex(0x25272A);
constexpr Rgb kStripBottom = hex(0x18191B);
constexpr Rgb kEdgeHighlight = hex(0x4A4D52);
constexpr Rgb kEdgeShadow = hex(0x101113);
constexpr Rgb kCaption = hex(0xCFC8C0);
constexpr Rgb kCaptionDim = hex(0x8E8984);
constexpr Rgb kEngraveShadow = hex(0x0B0B0C);
constexpr Rgb kDisplayWell = hex(0x121315);

constexpr Rgb kVuAccent = hex(0xE8A33D);
constexpr Rgb kRmsAccent = hex(0x3FB8A0);
constexpr Rgb kPpmAccent = hex(0xE8623D);
constexpr Rgb kProcessGreen = hex(0x5BD26A);
constexpr Rgb kLedOff = hex(0x3A1A16);

constexpr Rgb kVuPrint = hex(0x1A1A1A);
constexpr Rgb kVuRed = hex(0xB8281E);
constexpr Rgb kRmsFaceTop = hex(0x12302F);
constexpr Rgb kRmsFaceBottom = hex(0x0E2326);
constexpr Rgb kRmsPrint = hex(0xD9E7E4);
constexpr Rgb kRmsWarm = hex(0xE0913F);
constexpr Rgb kPpmFace = hex(0x121212);
constexpr Rgb kPpmPrint = hex(0xEFEFEF);
constexpr Rgb kPpmZone = hex(0xE8623D);
constexpr Rgb kTape = hex(0xEDE6D3);
}  // namespace palette

// Backlight colours of the VU scale, warm to cold.
constexpr Rgb kVuBacklight[5] = {hex(0xF5D592), hex(0xF4E3B4), hex(0xF1ECDC), hex(0xE3ECF1), hex(0xD3E4F6)};

}  // namespace artgen
