#include "framework/win_app.h"

namespace ostrel {
namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::ProcessMessageFilter(int, MSG*) { return FALSE; }

LRESULT CALLBACK CWinApp::MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    CWinApp* app = AfxGetApp();
    if (code >= 0 && app && app->ProcessMessageFilter(code, reinterpret_cast<MSG*>(lParam)))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int CWinApp::Run(HINSTANCE instance, LPSTR commandTail) {
    m_hInstance = instance;
    m_lpCmdLine = commandTail ? commandTail : const_cast<LPSTR>("");
    m_hMessageFilter = SetWindowsHookExA(WH_MSGFILTER, MessageFilterHook, nullptr, GetCurrentThreadId());
    InitInstance();
    // InitInstance runs the whole interactive life in its modal dialog; no message
    // loop of the framework's own follows it.
    int exitCode = ExitInstance();
    if (m_hMessageFilter)
        UnhookWindowsHookEx(m_hMessageFilter);
    return exitCode;
}

} // namespace ostrel
