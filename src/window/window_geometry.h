// Where the launcher window goes and how big it is, in logical pixels (96 per inch)
// and in device pixels of a monitor's DPI; and how its images are sized and restored
// in those units.
#pragma once

#include "menu/choice.h"

namespace ostrel {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The background's logical size: its pixel size, or with UseImageDpi its pixel size
// at the resolution the file declares (96 x pixels / dpi, truncated).
void ImageLogicalSize(int pixelWidth, int pixelHeight, float dpiX, float dpiY, int useImageDpi, int& width,
                      int& height);

constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 100;
void ApplyMinimumSize(int& width, int& height);

// Centred in the full-screen client area; truncating division as the system does.
void CentredOrigin(int fullScreenWidth, int fullScreenHeight, int width, int height, int& left, int& top);

// A window larger than the full-screen area along an axis, at the monitor's `dpi` (0:
// unscaled), starts at the work area's edge along it instead of its centred place, so
// that its top-left part, where menus put their choices, is on screen. Says along
// which axes it does, for the frame to be placed there too.
struct Axes {
    bool x = false;
    bool y = false;
};
Axes KeepTopLeftOnScreen(int fullScreenWidth, int fullScreenHeight, int workLeft, int workTop, int width,
                         int height, unsigned dpi, int& left, int& top);

// The client rectangle at (left, top) of a logical size, scaled to `dpi` (0: unscaled).
Rect ClientRectForDpi(int left, int top, int width, int height, unsigned dpi);

// A client point in device pixels back to logical pixels. Negative coordinates turn
// into huge ones (unsigned arithmetic), which lie outside every choice.
void DeviceToLogical(int& x, int& y, unsigned dpi);

// The surface's DPI over the window's, which cancels the difference between the DPI
// GDI+ sizes a natural-size draw by and the window's own; 1, 1 without a window DPI.
struct Ratio {
    float x = 1.0f;
    float y = 1.0f;
};
Ratio ResolutionRatio(float surfaceDpiX, float surfaceDpiY, unsigned windowDpi);

// The resolution a paint gives an image: 96, or with UseImageDpi the one its file
// declares, times the ratio. GDI+ then draws it at its natural size over
// pixels x 96 / that base logical pixels.
Resolution NormalizedResolution(Resolution recorded, Ratio ratio, int useImageDpi);

struct FloatRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};
// A restore of the background under a logical rectangle: the rectangle widened by one
// logical pixel on every side, and where that lies in the background's own pixels.
struct RestoreRects {
    FloatRect destination;
    FloatRect source;
};
RestoreRects RestoreRectangles(int x, int y, int width, int height, int useImageDpi, float backgroundDpiX,
                               float backgroundDpiY);

} // namespace ostrel
