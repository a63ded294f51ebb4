// The application object base: the entry point runs InitInstance, then ExitInstance;
// a thread message-filter hook hands the input of every modal loop to
// ProcessMessageFilter.
#pragma once

#include <windows.h>

namespace ostrel {

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    // TRUE when the message is consumed.
    virtual BOOL ProcessMessageFilter(int code, MSG* msg);

    // The entry point's whole work; returns the process exit code.
    int Run(HINSTANCE instance, LPSTR commandTail);

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    CDialog* m_pMainWnd = nullptr;

private:
    static LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    HHOOK m_hMessageFilter = nullptr;
};

CWinApp* AfxGetApp();

} // namespace ostrel
