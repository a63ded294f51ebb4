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
