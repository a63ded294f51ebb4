// Tells the end-to-end tests what Windows itself says about the screen and about a
// window found by its title: the system metrics the launcher centres against, and
// the client rectangle in screen coordinates.
//   winprobe OUTFILE metrics
//   winprobe OUTFILE window TITLE
//   winprobe OUTFILE loadlibrary NAME  LoadLibraryA(NAME) with the default search
//   winprobe OUTFILE box TITLE      the texts of a message box: its title, then the
//                                  text of each child window (message, buttons)
// Writes "key=value" lines to OUTFILE (a GUI program has no console to print to).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Coordinates as the system has them, not scaled for a program unaware of DPI.
    using SetProcessDpiAwareFn = BOOL(WINAPI*)();
    if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
        auto aware = reinterpret_cast<SetProcessDpiAwareFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
        if (aware)
            aware();
    }
    int argc = __argc;
    char** argv = __argv;
    if (argc < 3)
        return 2;
    FILE* out = std::fopen(argv[1], "w");
    if (!out)
        return 2;
    int status = 0;
    if (std::strcmp(argv[2], "metrics") == 0) {
        std::fprintf(out, "cxfullscreen=%d\ncyfullscreen=%d\ncxscreen=%d\ncyscreen=%d\n",
                     GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    } else if (std::strcmp(argv[2], "window") == 0 && argc >= 4) {
        HWND window = FindWindowA(nullptr, argv[3]);
        if (!window) {
            status = 1;
        } else {
            RECT client, outer;
            GetClientRect(window, &client);
            POINT origin = {0, 0};
            ClientToScreen(window, &origin);
            GetWindowRect(window, &outer);
            LONG style = GetWindowLongA(window, GWL_STYLE);
            std::fprintf(out, "client=%d,%d,%d,%d\nwindow=%ld,%ld,%ld,%ld\ncaption=%d\n", static_cast<int>(origin.x),
                         static_cast<int>(origin.y), static_cast<int>(client.right), static_cast<int>(client.bottom),
                         outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                         (style & WS_CAPTION) == WS_CAPTION ? 1 : 0);
        }
    } else if (std::strcmp(argv[2], "loadlibrary") == 0 && argc >= 4) {
        std::fprintf(out, "loaded=%d\n", LoadLibraryA(argv[3]) != nullptr ? 1 : 0);
    } else if (std::strcmp(argv[2], "box") == 0 && argc >= 4) {
        HWND box = FindWindowA("#32770", argv[3]);
        if (!box) {
            status = 1;
        } else {
            HWND owner = GetWindow(box, GW_OWNER);
            char ownerTitle[256] = {};
            if (owner)
                GetWindowTextA(owner, ownerTitle, sizeof ownerTitle);
            std::fprintf(out, "owner=%s\n", ownerTitle);
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char text[2048] = {};
                GetWindowTextA(child, text, sizeof text);
                for (char* c = text; *c; ++c)
                    if (*c == '\n')
                        *c = '\x1F'; // one line per child; the test turns it back
                std::fprintf(out, "child=%s\n", text);
            }
        }
    } else {
        status = 2;
    }
    std::fclose(out);
    return status;
}
