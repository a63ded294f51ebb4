// The modal dialog base: one window procedure decodes each message once and routes
// it through the derived class's message table; what the table does not handle gets
// the dialog manager's default processing.
#pragma once

#include <windows.h>

namespace ostrel {

class CDialog {
public:
    CDialog(UINT templateId, HWND parent);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    INT_PTR DoModal();
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    void EndDialog(int result);

    HWND m_hWnd = nullptr;

protected:
    // A handler returns true when it handled the message, with its result in `result`.
    using Handler = bool (*)(CDialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);
    struct MessageEntry {
        UINT message;
        Handler handler;
    };
    // Ends with an entry whose handler is null.
    virtual const MessageEntry* GetMessageMap() const;

    // The default processing of the message being handled.
    LRESULT Default();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept { return FALSE; }
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nTemplateId;
    HWND m_hWndParent;
    WNDPROC m_pfnDefault = nullptr;
    MSG m_current = {};
};

} // namespace ostrel
