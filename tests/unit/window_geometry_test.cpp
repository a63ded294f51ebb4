#include <gtest/gtest.h>

#include "window/window_geometry.h"

using namespace ostrel;

TEST(WindowGeometry, LogicalSizeOfTheBackground) {
    struct Case {
        int pixelsX, pixelsY;
        float dpiX, dpiY;
        int useImageDpi;
        int width, height; // after the minimum
    } cases[] = {
        {640, 480, 96, 96, 0, 640, 480},  {640, 480, 72, 72, 0, 640, 480},   {300, 50, 96, 96, 0, 400, 100},
        {400, 300, 48, 48, 1, 800, 600},  {200, 100, 192, 192, 1, 400, 100}, {300, 300, 72, 72, 1, 400, 400},
        {500, 300, 0, 0, 1, 400, 100},    {0, 0, 0, 0, 0, 400, 100},
    };
    for (const Case& c : cases) {
        int w = 0, h = 0;
        ImageLogicalSize(c.pixelsX, c.pixelsY, c.dpiX, c.dpiY, c.useImageDpi, w, h);
        ApplyMinimumSize(w, h);
        EXPECT_EQ(w, c.width) << c.pixelsX << "x" << c.pixelsY << " at " << c.dpiX;
        EXPECT_EQ(h, c.height) << c.pixelsX << "x" << c.pixelsY << " at " << c.dpiY;
    }
}

TEST(WindowGeometry, CentredAndScaled) {
    int left = 0, top = 0;
    CentredOrigin(1024, 745, 640, 480, left, top);
    EXPECT_EQ(left, 192);
    EXPECT_EQ(top, 132);
    CentredOrigin(300, 200, 641, 480, left, top); // larger than the screen: truncation toward zero
    EXPECT_EQ(left, -170);
    EXPECT_EQ(top, -140);

    Rect unscaled = ClientRectForDpi(192, 132, 640, 480, 0);
    EXPECT_EQ(unscaled.right - unscaled.left, 640);
    Rect scaled = ClientRectForDpi(192, 132, 640, 480, 144);
    EXPECT_EQ(scaled.left, 192);
    EXPECT_EQ(scaled.right - scaled.left, 960);
    EXPECT_EQ(scaled.bottom - scaled.top, 720);
}

// A window that fits stays centred; along an axis where it does not, at the monitor's
// DPI, it starts at the work area's edge.
TEST(WindowGeometry, LargeWindowsStartAtTheWorkArea) {
    struct Case {
        int width, height;
        unsigned dpi;
        int left, top;
    } cases[] = {
        {640, 480, 0, 192, 132},   {1024, 745, 0, 0, 0},    // just fits: centred at 0, 0
        {1025, 480, 0, 8, 132},    {640, 746, 0, 192, 20},  {1500, 1200, 0, 8, 20},
        {640, 480, 144, 192, 132}, {800, 480, 144, 8, 132}, // 1,200 device pixels wide
    };
    for (const Case& c : cases) {
        int left = 0, top = 0;
        CentredOrigin(1024, 745, c.width, c.height, left, top);
        Axes moved = KeepTopLeftOnScreen(1024, 745, 8, 20, c.width, c.height, c.dpi, left, top);
        EXPECT_EQ(moved.x, c.left == 8);
        EXPECT_EQ(moved.y, c.top == 20);
        EXPECT_EQ(left, c.left) << c.width << "x" << c.height << " at " << c.dpi;
        EXPECT_EQ(top, c.top) << c.width << "x" << c.height << " at " << c.dpi;
    }
}

TEST(WindowGeometry, PointerBackToLogicalPixels) {
    int x = 150, y = 75;
    DeviceToLogical(x, y, 144);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    x = -3, y = 10;
    DeviceToLogical(x, y, 144);
    EXPECT_GT(static_cast<unsigned>(x), 1000000u); // left of the window: far outside every choice
    x = 7, y = 9;
    DeviceToLogical(x, y, 0);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
}

namespace {
// How large Windows' GDI+ draws an image at its natural size: by the surface's DPI
// and the resolution set on the image, whatever the page scale.
float NaturalDevicePixels(int pixels, float surfaceDpi, float resolution) {
    return static_cast<float>(pixels) * surfaceDpi / resolution;
}
} // namespace

TEST(WindowGeometry, NaturalSizeDrawsCoverTheirLogicalSizeAtEveryDpi) {
    struct Case {
        int pixels;
        float fileDpi;
        int useImageDpi;
        float surfaceDpi;
        unsigned windowDpi;
        float device; // pixels x 96 / base logical pixels, at the window's DPI
    } cases[] = {
        {100, 96, 0, 96, 144, 150},  // a per-monitor window at 144 dpi on a 96-dpi system
        {100, 72, 0, 96, 144, 150},  // the file's resolution counts only with UseImageDpi
        {100, 192, 1, 96, 144, 75},  // with it, 50 logical pixels
        {100, 48, 1, 144, 144, 300}, // the surface already at the window's DPI
        {100, 96, 0, 96, 96, 100},
        {100, 72, 0, 96, 0, 100}, // no window DPI: no ratio, one logical pixel a pixel
    };
    for (const Case& c : cases) {
        Ratio ratio = ResolutionRatio(c.surfaceDpi, c.surfaceDpi, c.windowDpi);
        Resolution set = NormalizedResolution(Resolution{c.fileDpi, c.fileDpi}, ratio, c.useImageDpi);
        EXPECT_NEAR(NaturalDevicePixels(c.pixels, c.surfaceDpi, set.x), c.device, 0.01)
            << c.fileDpi << " dpi file, surface " << c.surfaceDpi << ", window " << c.windowDpi;
        EXPECT_NEAR(NaturalDevicePixels(c.pixels, c.surfaceDpi, set.y), c.device, 0.01);
    }
}

TEST(WindowGeometry, RestoresWidenByOnePixelAndReadTheBackgroundAtItsResolution) {
    struct Case {
        int x, y, width, height, useImageDpi;
        float backgroundDpi;
        FloatRect destination, source;
    } cases[] = {
        {40, 120, 100, 30, 0, 96, {39, 119, 102, 32}, {39, 119, 102, 32}},
        {40, 120, 100, 30, 0, 48, {39, 119, 102, 32}, {39, 119, 102, 32}}, // without UseImageDpi
        {40, 120, 100, 30, 1, 48, {39, 119, 102, 32}, {19.5f, 59.5f, 51, 16}},
        {40, 120, 100, 30, 1, 192, {39, 119, 102, 32}, {78, 238, 204, 64}},
        {40, 120, 0, 0, 0, 96, {39, 119, 2, 2}, {39, 119, 2, 2}},           // a 0 x 0 hover size
        {6, 1, 94, 94, 1, 100, {5, 0, 96, 96}, {5.20833349f, 0, 100, 100}}, // 5 x 100 / 96, multiplied first
    };
    for (const Case& c : cases) {
        RestoreRects rects =
            RestoreRectangles(c.x, c.y, c.width, c.height, c.useImageDpi, c.backgroundDpi, c.backgroundDpi);
        const FloatRect* got[] = {&rects.destination, &rects.source};
        const FloatRect* want[] = {&c.destination, &c.source};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " at " << c.backgroundDpi << " dpi, "
                                            << (i == 0 ? "destination" : "source"));
            EXPECT_EQ(got[i]->x, want[i]->x);
            EXPECT_EQ(got[i]->y, want[i]->y);
            EXPECT_EQ(got[i]->width, want[i]->width);
            EXPECT_EQ(got[i]->height, want[i]->height);
        }
    }
}
