#include "app/tamberly_app.h"

#include "app/dpi_functions.h"
#include "app/menu_location.h"
#include "menu/storage.h"
#include "system/win32_system.h"
#include "window/gdiplus_api.h"
#include "window/tamberly_dlg.h"

namespace ostrel {

GetDpiForWindowFn g_pfnGetDpiForWindow = nullptr;
AdjustWindowRectExForDpiFn g_pfnAdjustWindowRectExForDpi = nullptr;

CTamberlyApp& TheApp() { return *static_cast<CTamberlyApp*>(AfxGetApp()); }

std::string CTamberlyApp::LocateMenuFile(std::string requested, std::string directory) {
    return ostrel::LocateMenuFile(requested, directory, m_strBaseDir, TheSystem());
}

bool CTamberlyApp::AnotherInstanceRuns() {
    m_hInstanceMapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0, 4, "TAV_OSTREL32_MAPPING");
    return m_hInstanceMapping != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

BOOL CTamberlyApp::InitInstance() {
    m_hUser32 = LoadLibraryW(L"user32.dll");
    if (m_hUser32) {
        g_pfnAdjustWindowRectExForDpi = reinterpret_cast<AdjustWindowRectExForDpiFn>(
            reinterpret_cast<void*>(GetProcAddress(m_hUser32, "AdjustWindowRectExForDpi")));
        g_pfnGetDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
            reinterpret_cast<void*>(GetProcAddress(m_hUser32, "GetDpiForWindow")));
    }

    if (!gdiplus::Load())
        return FALSE;
    gdiplus::StartupInput input = {1, nullptr, FALSE, FALSE};
    if (gdiplus::Functions().GdiplusStartup(&m_gdiplusToken, &input, nullptr) != gdiplus::Ok) {
        m_gdiplusToken = 0;
        return FALSE;
    }

    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(m_hInstance, modulePath, MAX_PATH);
    m_strBaseDir = DirectoryPart(modulePath, TheSystem().LeadBytes());

    std::string menuPath = LocateMenuFile(m_lpCmdLine, m_strBaseDir);
    m_strMenuDir = DirectoryPart(menuPath, TheSystem().LeadBytes());

    Storage storage(menuPath);
    int caption = static_cast<int>(storage.ReadInt("Caption", "General", 0));
    int multipleInstances = static_cast<int>(storage.ReadInt("MultipleInstances", "General", 0));

    if (multipleInstances == 0 && AnotherInstanceRuns())
        return FALSE;

    {
        CTamberlyDlg dialog(caption == 1 ? kTemplateWithCaption : kTemplateWithoutCaption, nullptr);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CTamberlyApp::ExitInstance() {
    if (m_hInstanceMapping)
        CloseHandle(m_hInstanceMapping);
    m_hInstanceMapping = nullptr;
    if (m_hUser32)
        FreeLibrary(m_hUser32);
    m_hUser32 = nullptr;
    g_pfnGetDpiForWindow = nullptr;
    g_pfnAdjustWindowRectExForDpi = nullptr;
    if (m_gdiplusToken)
        gdiplus::Functions().GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    return CWinApp::ExitInstance();
}

BOOL CTamberlyApp::ProcessMessageFilter(int code, MSG* msg) {
    if (msg->message == WM_KEYDOWN && m_pMainWnd && msg->hwnd == m_pMainWnd->m_hWnd)
        static_cast<CTamberlyDlg*>(m_pMainWnd)->NoteKeyDown(static_cast<UINT>(msg->wParam), msg->time);
    if (msg->message != WM_CHAR)
        return CWinApp::ProcessMessageFilter(code, msg);
    if (AdvanceReloadChord(m_bChordArmed, static_cast<unsigned>(msg->wParam)) && m_pMainWnd &&
        m_pMainWnd->m_hWnd)
        SendMessageA(m_pMainWnd->m_hWnd, WM_RELOADMENU, 0, 0);
    return TRUE;
}

} // namespace ostrel
