#include "window/image_layer.h"

#include <vector>

#include "app/dpi_functions.h"
#include "menu/picture_header.h"
#include "system/disk_file.h"

namespace ostrel {
using namespace gdiplus;

namespace {
// UTF-16 text for GDI+, NUL-terminated; size() - 1 is its length.
std::vector<WCHAR> Widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, nullptr, 0) - 1;
    if (length <= 0)
        return std::vector<WCHAR>(1, L'\0');
    std::vector<WCHAR> wide(static_cast<size_t>(length) + 1, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, text.c_str(), -1, wide.data(), length + 1);
    return wide;
}
} // namespace

void* GdiplusImage::operator new(size_t size) noexcept { return Functions().GdipAlloc(size); }

void GdiplusImage::operator delete(void* memory) noexcept {
    if (memory)
        Functions().GdipFree(memory);
}

GdiplusImage::~GdiplusImage() {
    for (const Keyed& keyed : m_keyed)
        Functions().GdipDisposeImage(keyed.copy);
    if (m_pHandle)
        Functions().GdipDisposeImage(m_pHandle);
}

GdiplusImage* AsGdiplus(const ImageObject* image) {
    return const_cast<GdiplusImage*>(static_cast<const GdiplusImage*>(image));
}

unsigned WindowDpi(HWND window) { return g_pfnGetDpiForWindow ? g_pfnGetDpiForWindow(window) : 0; }

namespace {
// Only a file on a disk can be a picture: reading a pipe or a device could wait for
// ever. A picture decoded into pixels must declare a size the launcher decodes: a few
// bytes can declare gigabytes of pixels, and one whose size cannot be read is one a
// decoder may still find.
bool AcceptablePicture(const std::vector<WCHAR>& path) {
    DiskFile file(path.data());
    std::uint64_t size = 0;
    if (!file.IsDiskFile() || !file.Size(size) || size == 0)
        return false;
    const ReadBytes read = [&file](std::uint64_t offset, size_t length) { return file.Read(offset, length); };
    const ImageHeader header = ReadImageHeader(read, size, false);
    return !header.tooLarge && (header.sizeKnown || !header.raster);
}
} // namespace

ImagePtr LoadBitmapFile(const std::string& path) {
    std::vector<WCHAR> wide = Widen(path);
    GdiplusImage* image = new GdiplusImage;
    if (!image)
        return nullptr;
    if (AcceptablePicture(wide))
        image->m_lastStatus = Functions().GdipCreateBitmapFromFile(wide.data(), &image->m_pHandle);
    else
        image->m_lastStatus = InvalidParameter;
    if (image->m_lastStatus != Ok)
        image->m_pHandle = nullptr;
    return ImagePtr(image);
}

ImageMeasure MeasureImage(const ImageObject* image) {
    ImageMeasure measure;
    GpImage* handle = image ? AsGdiplus(image)->m_pHandle : nullptr;
    UINT width = 0, height = 0;
    float dpiX = 0.0f, dpiY = 0.0f;
    if (Functions().GdipGetImageWidth(handle, &width) != Ok)
        width = 0;
    if (Functions().GdipGetImageHeight(handle, &height) != Ok)
        height = 0;
    if (Functions().GdipGetImageHorizontalResolution(handle, &dpiX) != Ok)
        dpiX = 0.0f;
    if (Functions().GdipGetImageVerticalResolution(handle, &dpiY) != Ok)
        dpiY = 0.0f;
    measure.width = static_cast<int>(width);
    measure.height = static_cast<int>(height);
    measure.dpiX = dpiX;
    measure.dpiY = dpiY;
    return measure;
}

Surface PrepareGraphics(HDC paintDc, HWND window, bool inPaint) {
    Surface surface;
    if (inPaint)
        Functions().GdipCreateFromHDC(paintDc, &surface.graphics);
    else
        Functions().GdipCreateFromHWND(window, &surface.graphics);
    Functions().GdipSetPageUnit(surface.graphics, UnitPixel);
    surface.dpi = WindowDpi(window);
    // In a paint the scale is set after the resolution ratio has read the surface.
    if (!inPaint)
        SetPageScaleForDpi(surface);
    return surface;
}

void SetPageScaleForDpi(const Surface& surface) {
    if (surface.dpi != 0)
        Functions().GdipSetPageScale(surface.graphics, static_cast<float>(surface.dpi) / 96.0f);
}

Ratio ComputeResolutionRatio(const Surface& surface) {
    float dpiX = 0.0f, dpiY = 0.0f;
    if (surface.dpi != 0) {
        Functions().GdipGetDpiX(surface.graphics, &dpiX);
        Functions().GdipGetDpiY(surface.graphics, &dpiY);
    }
    return ResolutionRatio(dpiX, dpiY, surface.dpi);
}

void NormalizeImageResolution(ImageObject* image, Resolution recorded, Ratio ratio, int useImageDpi) {
    if (!image)
        return;
    const Resolution resolution = NormalizedResolution(recorded, ratio, useImageDpi);
    GdiplusImage* gdip = AsGdiplus(image);
    Status status = Functions().GdipBitmapSetResolution(gdip->m_pHandle, resolution.x, resolution.y);
    if (status != Ok)
        gdip->m_lastStatus = status;
}

void DrawImageAt(const Surface& surface, const ImageObject* image, int x, int y) {
    Functions().GdipDrawImageI(surface.graphics, image ? AsGdiplus(image)->m_pHandle : nullptr, x, y);
}

// What the colour key does, done once: GDI+ reads the Windows RGB value as ARGB, so a
// pixel goes when its red, green and blue equal the key's low three bytes in that
// order; alpha is not compared.
void PrepareKeyed(const ImageObject* image, Colour key) {
    GdiplusImage* gdip = AsGdiplus(image);
    if (!gdip || !gdip->m_pHandle || gdip->KeyedWith(key))
        return;
    UINT width = 0, height = 0;
    Functions().GdipGetImageWidth(gdip->m_pHandle, &width);
    Functions().GdipGetImageHeight(gdip->m_pHandle, &height);
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return;
    GpImage* copy = nullptr;
    if (Functions().GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0,
                                              PixelFormat32bppARGB, nullptr, &copy) != Ok)
        return;
    const GpRect rect = {0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    BitmapData source = {}, target = {};
    bool done = false;
    if (Functions().GdipBitmapLockBits(gdip->m_pHandle, &rect, ImageLockModeRead, PixelFormat32bppARGB, &source) == Ok) {
        if (Functions().GdipBitmapLockBits(copy, &rect, ImageLockModeWrite, PixelFormat32bppARGB, &target) == Ok) {
            const DWORD rgb = key & 0x00FFFFFFu;
            for (UINT row = 0; row < height; ++row) {
                const DWORD* in = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(source.Scan0) +
                                                                  static_cast<INT_PTR>(row) * source.Stride);
                DWORD* out = reinterpret_cast<DWORD*>(static_cast<BYTE*>(target.Scan0) +
                                                      static_cast<INT_PTR>(row) * target.Stride);
                for (UINT column = 0; column < width; ++column)
                    out[column] = (in[column] & 0x00FFFFFFu) == rgb ? 0u : in[column];
            }
            Functions().GdipBitmapUnlockBits(copy, &target);
            done = true;
        }
        Functions().GdipBitmapUnlockBits(gdip->m_pHandle, &source);
    }
    if (!done) {
        Functions().GdipDisposeImage(copy);
        return;
    }
    gdip->m_keyed.push_back(GdiplusImage::Keyed{key, copy});
}

void DrawImageKeyed(const Surface& surface, const ImageObject* image, int x, int y, int width, int height,
                    Colour key) {
    GdiplusImage* gdip = AsGdiplus(image);
    if (GpImage* keyed = gdip ? gdip->KeyedWith(key) : nullptr) {
        Functions().GdipDrawImageRectRectI(surface.graphics, keyed, x, y, width, height, 0, 0, width, height,
                                           UnitPixel, nullptr, nullptr, nullptr);
        return;
    }
    GpImageAttributes* attributes = nullptr;
    Functions().GdipCreateImageAttributes(&attributes);
    // The key goes in unchanged: GDI+ reads the Windows RGB value as ARGB.
    Functions().GdipSetImageAttributesColorKeys(attributes, ColorAdjustTypeDefault, TRUE, key, key);
    Functions().GdipDrawImageRectRectI(surface.graphics, image ? AsGdiplus(image)->m_pHandle : nullptr, x, y, width,
                                       height, 0, 0, width, height, UnitPixel, attributes, nullptr, nullptr);
    Functions().GdipDisposeImageAttributes(attributes);
}

void RestoreBackground(const Surface& surface, const ImageObject* background, int x, int y, int width, int height,
                       int useImageDpi, float backgroundDpiX, float backgroundDpiY) {
    const RestoreRects rects =
        RestoreRectangles(x, y, width, height, useImageDpi, backgroundDpiX, backgroundDpiY);
    const FloatRect &d = rects.destination, &s = rects.source;
    Functions().GdipDrawImageRectRect(
        surface.graphics, background ? AsGdiplus(background)->m_pHandle : nullptr, d.x, d.y, d.width,
        d.height, s.x, s.y, s.width, s.height, UnitPixel, nullptr, nullptr, nullptr);
}

DWORD ToArgb(Colour colour) {
    DWORD red = colour & 0xFFu, green = (colour >> 8) & 0xFFu, blue = (colour >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

void DrawTextLine(const Surface& surface, HDC paintDc, const std::string& text, Colour colour,
                  const RectF& layout) {
    LOGFONTA logFont = {};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof logFont, &logFont, 0);
    GpFont* font = nullptr;
    Functions().GdipCreateFontFromLogfontA(paintDc, &logFont, &font);
    GpBrush* brush = nullptr;
    Functions().GdipCreateSolidFill(ToArgb(colour), &brush);
    GpStringFormat* format = nullptr;
    Functions().GdipCreateStringFormat(0, 0, &format);
    Functions().GdipSetStringFormatAlign(format, StringAlignmentCenter);
    Functions().GdipSetStringFormatLineAlign(format, StringAlignmentFar);
    std::vector<WCHAR> wide = Widen(text);
    if (wide.size() > 1)
        Functions().GdipDrawString(surface.graphics, wide.data(), static_cast<INT>(wide.size() - 1), font, &layout,
                                   format, brush);
    if (format)
        Functions().GdipDeleteStringFormat(format);
    if (brush)
        Functions().GdipDeleteBrush(brush);
    if (font)
        Functions().GdipDeleteFont(font);
}

void DeleteSurface(Surface& surface) {
    if (surface.graphics)
        Functions().GdipDeleteGraphics(surface.graphics);
    surface.graphics = nullptr;
}

} // namespace ostrel
