#include "window/gdiplus_api.h"

namespace ostrel::gdiplus {
namespace {
Api g_api;
HMODULE g_module = nullptr;

// Only the copy in the system folder: never one from the program's own folder or
// the current directory, where anyone who can write to the medium could put one.
HMODULE LoadFromSystemFolder() {
    HMODULE module = LoadLibraryExW(L"gdiplus.dll", nullptr, 0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
    if (module)
        return module;
    WCHAR path[MAX_PATH + 16];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    lstrcatW(path, L"\\gdiplus.dll");
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
} // namespace

bool Load() {
    if (g_module)
        return true;
    HMODULE module = LoadFromSystemFolder();
    if (!module)
        return false;
    Api api;
    bool complete = true;
#define OSTREL_LOOKUP(name, result, args)                                                                        \
    api.name = reinterpret_cast<result(WINAPI*) args>(reinterpret_cast<void*>(GetProcAddress(module, #name)));  \
    complete = complete && api.name != nullptr;
    OSTREL_GDIPLUS_FUNCTIONS(OSTREL_LOOKUP)
#undef OSTREL_LOOKUP
    if (!complete) {
        FreeLibrary(module);
        return false;
    }
    g_api = api;
    g_module = module;
    return true;
}

void Unload() {
    if (g_module)
        FreeLibrary(g_module);
    g_module = nullptr;
    g_api = Api();
}

const Api& Functions() { return g_api; }

} // namespace ostrel::gdiplus
