// Where the launcher window goes and how big it is, in logical pixels (96 per inch)
// and in device pixels of a monitor's DPI.
#pragma once

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

// The client rectangle at (left, top) of a logical size, scaled to `dpi` (0: unscaled).
Rect ClientRectForDpi(int left, int top, int width, int height, unsigned dpi);

// A client point in device pixels back to logical pixels. Negative coordinates turn
// into huge ones (unsigned arithmetic), which lie outside every choice.
void DeviceToLogical(int& x, int& y, unsigned dpi);

} // namespace ostrel
