#include <windows.h>

#include "app/tamberly_app.h"

namespace {
ostrel::CTamberlyApp theApp;

// Before anything else: DLLs that the program loads later come from the system
// folder only, never from the program's folder or the current directory.
void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return;
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryWFn = BOOL(WINAPI*)(LPCWSTR);
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    auto setDirectory =
        reinterpret_cast<SetDllDirectoryWFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")));
    if (setDefault)
        setDefault(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
    if (setDirectory)
        setDirectory(L"");
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    RestrictDllSearch();
    return theApp.Run(instance, commandTail);
}
