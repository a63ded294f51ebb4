// The least a Windows program can do to show a menu: open a dialog of the
// background's size, centred, and draw the background with GDI+; when the pointer
// enters a rectangle, draw one more picture there. The benchmark measures the
// launcher against it.
//   baseline BACKGROUND [PICTURE X Y WIDTH HEIGHT]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "window/gdiplus_api.h"

namespace {
using namespace ostrel::gdiplus;

GpImage* g_background = nullptr;
GpImage* g_picture = nullptr;
RECT g_hot = {};
bool g_hovered = false;

GpImage* Load(const char* path) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    GpImage* image = nullptr;
    Functions().GdipCreateBitmapFromFile(wide, &image);
    return image;
}

INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        UINT width = 0, height = 0;
        Functions().GdipGetImageWidth(g_background, &width);
        Functions().GdipGetImageHeight(g_background, &height);
        RECT rect = {0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
        rect.left = (GetSystemMetrics(SM_CXFULLSCREEN) - rect.right) / 2;
        rect.top = (GetSystemMetrics(SM_CYFULLSCREEN) - rect.bottom) / 2;
        rect.right += rect.left;
        rect.bottom += rect.top;
        AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE, 0);
        MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        SetWindowTextA(window, "Baseline");
        return FALSE;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        GpGraphics* graphics = nullptr;
        Functions().GdipCreateFromHDC(dc, &graphics);
        Functions().GdipDrawImageI(graphics, g_background, 0, 0);
        Functions().GdipDeleteGraphics(graphics);
        EndPaint(window, &paint);
        return TRUE;
    }
    case WM_MOUSEMOVE: {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const bool inside = PtInRect(&g_hot, point) != FALSE;
        if (g_picture && !g_hovered && inside) {
            g_hovered = true;
            GpGraphics* graphics = nullptr;
            Functions().GdipCreateFromHWND(window, &graphics);
            Functions().GdipDrawImageI(graphics, g_picture, g_hot.left, g_hot.top);
            Functions().GdipDeleteGraphics(graphics);
        } else if (g_hovered && !inside) {
            g_hovered = false;
            InvalidateRect(window, &g_hot, FALSE);
        }
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2 || !Load())
        return 2;
    ULONG_PTR token = 0;
    StartupInput input = {1, nullptr, FALSE, FALSE};
    if (Functions().GdiplusStartup(&token, &input, nullptr) != Ok)
        return 2;
    g_background = Load(__argv[1]);
    if (__argc >= 7) {
        g_picture = Load(__argv[2]);
        g_hot.left = std::atoi(__argv[3]);
        g_hot.top = std::atoi(__argv[4]);
        g_hot.right = g_hot.left + std::atoi(__argv[5]);
        g_hot.bottom = g_hot.top + std::atoi(__argv[6]);
    }
    // A dialog template in memory: popup, caption, no controls.
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog.header.cx = 185;
    dialog.header.cy = 92;
    DialogBoxIndirectParamA(instance, &dialog.header, nullptr, Proc, 0);
    if (g_picture)
        Functions().GdipDisposeImage(g_picture);
    Functions().GdipDisposeImage(g_background);
    Functions().GdiplusShutdown(token);
    return 0;
}
