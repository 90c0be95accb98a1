#include "toolkit/PixelBuffer.h"

#include "platform/win/WideText.h"
#include "toolkit/win/GdiplusSession.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace VSTGUI {

namespace {

constexpr Gdiplus::PixelFormat kFormat = PixelFormat32bppPARGB;

bool pngEncoder(CLSID& encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<unsigned char> storage(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height)
{
    if (width <= 0 || height <= 0 || !ensureGdiplus())
        return;
    auto* bitmap = new Gdiplus::Bitmap(width, height, kFormat);
    // A new bitmap's pixels are undefined; an image starts fully transparent.
    {
        Gdiplus::Graphics graphics(bitmap);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    }
    *this = adopt(bitmap);
}

PixelBuffer::~PixelBuffer()
{
    delete surface;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : surface(std::exchange(other.surface, nullptr)),
      width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0))
{
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    if (this != &other) {
        delete surface;
        surface = std::exchange(other.surface, nullptr);
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
    }
    return *this;
}

PixelBuffer PixelBuffer::fromPng(const unsigned char* data, std::size_t size)
{
    if (!data || size == 0 || size > UINT_MAX || !ensureGdiplus())
        return {};
    IStream* const stream = SHCreateMemStream(data, static_cast<UINT>(size));
    if (!stream)
        return {};
    // GDI+ keeps reading the stream while the decoded image lives, so the
    // pixels are copied into a bitmap of our own format before it goes.
    std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
    PixelBuffer converted;
    if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
        const auto w = static_cast<int>(decoded->GetWidth());
        const auto h = static_cast<int>(decoded->GetHeight());
        PixelBuffer target(w, h);
        if (target.isValid()) {
            Gdiplus::Graphics graphics(target.surface);
            graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
            graphics.DrawImage(decoded.get(), Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
            converted = std::move(target);
        }
    }
    decoded.reset();
    stream->Release();
    return converted;
}

PixelBuffer PixelBuffer::adopt(NativeImage* newSurface)
{
    PixelBuffer buffer;
    if (!newSurface)
        return buffer;
    if (newSurface->GetLastStatus() != Gdiplus::Ok || newSurface->GetPixelFormat() != kFormat) {
        delete newSurface;
        return buffer;
    }
    buffer.surface = newSurface;
    buffer.width = static_cast<int>(newSurface->GetWidth());
    buffer.height = static_cast<int>(newSurface->GetHeight());
    return buffer;
}

CColor PixelBuffer::getPixel(int x, int y) const
{
    if (!surface || x < 0 || y < 0 || x >= width || y >= height)
        return MakeCColor(0, 0, 0, 0);
    Gdiplus::BitmapData data{};
    Gdiplus::Rect one(x, y, 1, 1);
    if (surface->LockBits(&one, Gdiplus::ImageLockModeRead, kFormat, &data) != Gdiplus::Ok)
        return MakeCColor(0, 0, 0, 0);
    uint32_t argb = 0;
    std::memcpy(&argb, data.Scan0, sizeof argb);
    surface->UnlockBits(&data);
    const uint8_t a = static_cast<uint8_t>(argb >> 24);
    if (a == 0)
        return MakeCColor(0, 0, 0, 0);
    auto unpremultiply = [a](uint32_t c) { return static_cast<uint8_t>(((c & 0xff) * 255 + a / 2) / a); };
    return MakeCColor(unpremultiply(argb >> 16), unpremultiply(argb >> 8), unpremultiply(argb), a);
}

bool PixelBuffer::writePng(const std::string& path) const
{
    CLSID encoder{};
    if (!surface || !pngEncoder(encoder))
        return false;
    const std::wstring file = platform::toWide(path);
    return !file.empty() && surface->Save(file.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace VSTGUI
