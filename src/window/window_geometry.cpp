#include "window/window_geometry.h"

namespace ostrel {

void ImageLogicalSize(int pixelWidth, int pixelHeight, float dpiX, float dpiY, int useImageDpi, int& width,
                      int& height) {
    if (!useImageDpi) {
        width = pixelWidth;
        height = pixelHeight;
        return;
    }
    auto logical = [](int pixels, float dpi) {
        float value = static_cast<float>(static_cast<long long>(pixels) * 96) / dpi;
        // A resolution of 0 gives no usable size: let the minimum take over.
        if (!(value == value) || value >= 2147483647.0f || value <= -2147483648.0f)
            return 0;
        return static_cast<int>(value);
    };
    width = logical(pixelWidth, dpiX);
    height = logical(pixelHeight, dpiY);
}

void ApplyMinimumSize(int& width, int& height) {
    if (width < kMinimumWidth)
        width = kMinimumWidth;
    if (height < kMinimumHeight)
        height = kMinimumHeight;
}

void CentredOrigin(int fullScreenWidth, int fullScreenHeight, int width, int height, int& left, int& top) {
    left = (fullScreenWidth - width) / 2;
    top = (fullScreenHeight - height) / 2;
}

Axes KeepTopLeftOnScreen(int fullScreenWidth, int fullScreenHeight, int workLeft, int workTop, int width,
                         int height, unsigned dpi, int& left, int& top) {
    const long long scale = dpi != 0 ? dpi : 96;
    Axes moved;
    moved.x = width * scale / 96 > fullScreenWidth;
    moved.y = height * scale / 96 > fullScreenHeight;
    if (moved.x)
        left = workLeft;
    if (moved.y)
        top = workTop;
    return moved;
}

Rect ClientRectForDpi(int left, int top, int width, int height, unsigned dpi) {
    Rect rect{left, top, left + width, top + height};
    if (dpi != 0) {
        rect.right = static_cast<int>(static_cast<unsigned>(left) + static_cast<unsigned>(width) * dpi / 96u);
        rect.bottom = static_cast<int>(static_cast<unsigned>(top) + static_cast<unsigned>(height) * dpi / 96u);
    }
    return rect;
}

void DeviceToLogical(int& x, int& y, unsigned dpi) {
    if (dpi == 0)
        return;
    x = static_cast<int>(static_cast<unsigned>(x) * 96u / dpi);
    y = static_cast<int>(static_cast<unsigned>(y) * 96u / dpi);
}

Ratio ResolutionRatio(float surfaceDpiX, float surfaceDpiY, unsigned windowDpi) {
    Ratio ratio;
    if (windowDpi != 0) {
        ratio.x = surfaceDpiX / static_cast<float>(windowDpi);
        ratio.y = surfaceDpiY / static_cast<float>(windowDpi);
    }
    return ratio;
}

Resolution NormalizedResolution(Resolution recorded, Ratio ratio, int useImageDpi) {
    float baseX = 96.0f, baseY = 96.0f;
    if (useImageDpi) {
        baseX = recorded.x;
        baseY = recorded.y;
    }
    return Resolution{baseX * ratio.x, baseY * ratio.y};
}

RestoreRects RestoreRectangles(int x, int y, int width, int height, int useImageDpi, float backgroundDpiX,
                               float backgroundDpiY) {
    RestoreRects rects;
    FloatRect& d = rects.destination;
    d = FloatRect{static_cast<float>(x - 1), static_cast<float>(y - 1), static_cast<float>(width + 2),
                  static_cast<float>(height + 2)};
    rects.source = d;
    if (useImageDpi) {
        rects.source = FloatRect{d.x * backgroundDpiX / 96.0f, d.y * backgroundDpiY / 96.0f,
                                 d.width * backgroundDpiX / 96.0f, d.height * backgroundDpiY / 96.0f};
    }
    return rects;
}

} // namespace ostrel
