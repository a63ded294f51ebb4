// Loading, measuring and drawing the menu's bitmaps with GDI+, in logical pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "menu/choice.h"
#include "window/gdiplus_api.h"
#include "window/window_geometry.h"

namespace ostrel {

class GdiplusImage : public ImageObject {
public:
    // The memory comes from GDI+'s own allocator; null when it has none to give.
    static void* operator new(size_t size) noexcept;
    static void operator delete(void* memory) noexcept;
    ~GdiplusImage() override;

    gdiplus::GpImage* m_pHandle = nullptr;
    gdiplus::Status m_lastStatus = gdiplus::Ok;
    // Copies with a key colour made transparent, one per key, for keyed draws: GDI+
    // applies a colour key pixel by pixel at every draw, which makes hovering slow.
    struct Keyed {
        Colour key;
        gdiplus::GpImage* copy;
    };
    std::vector<Keyed> m_keyed;
    gdiplus::GpImage* KeyedWith(Colour key) const {
        for (const Keyed& keyed : m_keyed)
            if (keyed.key == key)
                return keyed.copy;
        return nullptr;
    }
    gdiplus::Status TakeLastStatus() {
        gdiplus::Status status = m_lastStatus;
        m_lastStatus = gdiplus::Ok;
        return status;
    }
};

GdiplusImage* AsGdiplus(const ImageObject* image);

struct ImageMeasure {
    int width = 0;
    int height = 0;
    float dpiX = 0.0f;
    float dpiY = 0.0f;
};

struct Surface {
    gdiplus::GpGraphics* graphics = nullptr;
    unsigned dpi = 0;
};
// A picture that is no file on a disk, or that declares more pixels than the launcher
// decodes (or a size that cannot be read), is refused before GDI+ sees it: it loads
// as a picture that cannot be read.
ImagePtr LoadBitmapFile(const std::string& path);
ImageMeasure MeasureImage(const ImageObject* image);
Surface PrepareGraphics(HDC paintDc, HWND window, bool inPaint);
Ratio ComputeResolutionRatio(const Surface& surface);
void SetPageScaleForDpi(const Surface& surface);
void NormalizeImageResolution(ImageObject* image, Resolution recorded, Ratio ratio, int useImageDpi);
void DrawImageAt(const Surface& surface, const ImageObject* image, int x, int y);
void DrawImageKeyed(const Surface& surface, const ImageObject* image, int x, int y, int width, int height,
                    Colour key);
// Makes the keyed copy ahead of the first keyed draw.
void PrepareKeyed(const ImageObject* image, Colour key);
void RestoreBackground(const Surface& surface, const ImageObject* background, int x, int y, int width, int height,
                       int useImageDpi, float backgroundDpiX, float backgroundDpiY);
DWORD ToArgb(Colour colour);
void DrawTextLine(const Surface& surface, HDC paintDc, const std::string& text, Colour colour,
                  const gdiplus::RectF& layout);
void DeleteSurface(Surface& surface);

// The window's DPI when the system can tell it, else 0.
unsigned WindowDpi(HWND window);

} // namespace ostrel
