// The GDI+ flat functions the launcher uses, looked up at run time in the system
// folder's gdiplus.dll: nothing beside the program can stand in for it.
#pragma once

#include <windows.h>

namespace ostrel::gdiplus {

using Status = int;
constexpr Status Ok = 0;
constexpr Status InvalidParameter = 2;
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;
struct GpFont;
struct GpBrush;
struct GpStringFormat;
struct RectF {
    float X, Y, Width, Height;
};
struct GpRect {
    INT X, Y, Width, Height;
};
struct BitmapData {
    UINT Width;
    UINT Height;
    INT Stride;
    INT PixelFormat;
    void* Scan0;
    UINT_PTR Reserved;
};
constexpr INT PixelFormat32bppARGB = 0x26200A;
constexpr UINT ImageLockModeRead = 1;
constexpr UINT ImageLockModeWrite = 2;
struct StartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
constexpr int UnitPixel = 2;
constexpr int StringAlignmentCenter = 1;
constexpr int StringAlignmentFar = 2;
constexpr int ColorAdjustTypeDefault = 0;

#define OSTREL_GDIPLUS_FUNCTIONS(X)                                                                              \
    X(GdiplusStartup, Status, (ULONG_PTR*, const StartupInput*, void*))                                          \
    X(GdiplusShutdown, void, (ULONG_PTR))                                                                        \
    X(GdipAlloc, void*, (size_t))                                                                                \
    X(GdipFree, void, (void*))                                                                                   \
    X(GdipCreateBitmapFromFile, Status, (const WCHAR*, GpImage**))                                               \
    X(GdipDisposeImage, Status, (GpImage*))                                                                      \
    X(GdipGetImageWidth, Status, (GpImage*, UINT*))                                                              \
    X(GdipGetImageHeight, Status, (GpImage*, UINT*))                                                             \
    X(GdipGetImageHorizontalResolution, Status, (GpImage*, float*))                                              \
    X(GdipGetImageVerticalResolution, Status, (GpImage*, float*))                                                \
    X(GdipBitmapSetResolution, Status, (GpImage*, float, float))                                                 \
    X(GdipCreateBitmapFromScan0, Status, (INT, INT, INT, INT, BYTE*, GpImage**))                                 \
    X(GdipBitmapLockBits, Status, (GpImage*, const GpRect*, UINT, INT, BitmapData*))                            \
    X(GdipBitmapUnlockBits, Status, (GpImage*, BitmapData*))                                                     \
    X(GdipCreateFromHDC, Status, (HDC, GpGraphics**))                                                            \
    X(GdipCreateFromHWND, Status, (HWND, GpGraphics**))                                                          \
    X(GdipDeleteGraphics, Status, (GpGraphics*))                                                                 \
    X(GdipSetPageUnit, Status, (GpGraphics*, int))                                                               \
    X(GdipSetPageScale, Status, (GpGraphics*, float))                                                            \
    X(GdipGetDpiX, Status, (GpGraphics*, float*))                                                                \
    X(GdipGetDpiY, Status, (GpGraphics*, float*))                                                                \
    X(GdipDrawImageI, Status, (GpGraphics*, GpImage*, INT, INT))                                                 \
    X(GdipDrawImageRectRect, Status,                                                                             \
      (GpGraphics*, GpImage*, float, float, float, float, float, float, float, float, int, GpImageAttributes*,  \
       void*, void*))                                                                                            \
    X(GdipDrawImageRectRectI, Status,                                                                            \
      (GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, int, GpImageAttributes*, void*, void*))    \
    X(GdipCreateImageAttributes, Status, (GpImageAttributes**))                                                  \
    X(GdipSetImageAttributesColorKeys, Status, (GpImageAttributes*, int, BOOL, DWORD, DWORD))                    \
    X(GdipDisposeImageAttributes, Status, (GpImageAttributes*))                                                  \
    X(GdipCreateFontFromLogfontA, Status, (HDC, const LOGFONTA*, GpFont**))                                      \
    X(GdipDeleteFont, Status, (GpFont*))                                                                         \
    X(GdipCreateSolidFill, Status, (DWORD, GpBrush**))                                                           \
    X(GdipDeleteBrush, Status, (GpBrush*))                                                                       \
    X(GdipCreateStringFormat, Status, (INT, LANGID, GpStringFormat**))                                           \
    X(GdipSetStringFormatAlign, Status, (GpStringFormat*, int))                                                  \
    X(GdipSetStringFormatLineAlign, Status, (GpStringFormat*, int))                                              \
    X(GdipDeleteStringFormat, Status, (GpStringFormat*))                                                         \
    X(GdipDrawString, Status,                                                                                    \
      (GpGraphics*, const WCHAR*, INT, const GpFont*, const RectF*, const GpStringFormat*, const GpBrush*))

struct Api {
#define OSTREL_DECLARE(name, result, args) result(WINAPI* name) args = nullptr;
    OSTREL_GDIPLUS_FUNCTIONS(OSTREL_DECLARE)
#undef OSTREL_DECLARE
};

// Loads gdiplus.dll from the system folder and looks up every function; false when
// the library or any function is missing.
bool Load();
void Unload();
const Api& Functions();

} // namespace ostrel::gdiplus
