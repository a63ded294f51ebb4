// A gdiplus.dll such as an attacker would put beside the launcher on a medium: when
// anything loads it, it leaves the file "planted-dll-was-loaded.txt" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
        while (length > 0 && path[length - 1] != '\\')
            --length;
        path[length] = '\0';
        lstrcatA(path, "planted-dll-was-loaded.txt");
        HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (marker != INVALID_HANDLE_VALUE)
            CloseHandle(marker);
    }
    return TRUE;
}

// Looks like GDI+ to whoever asks by name.
extern "C" __declspec(dllexport) int WINAPI GdiplusStartup(void*, const void*, void*) { return 1; }
