#include "framework/dialog.h"

namespace ostrel {
namespace {
CDialog* g_pCreating = nullptr;
HHOOK g_hCreationHook = nullptr;
const char kDialogProperty[] = "ostrel.dialog";
} // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_nTemplateId(templateId), m_hWndParent(parent) {}

CDialog::~CDialog() = default;

const CDialog::MessageEntry* CDialog::GetMessageMap() const {
    static const MessageEntry kEmpty[] = {{0, nullptr}};
    return kEmpty;
}

// The dialog window is subclassed as soon as it exists, before WM_NCCREATE, so that
// WM_CREATE passes through the message table as well.
LRESULT CALLBACK CDialog::CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_CREATEWND && g_pCreating) {
        CDialog* dialog = g_pCreating;
        g_pCreating = nullptr;
        HWND window = reinterpret_cast<HWND>(wParam);
        dialog->m_hWnd = window;
        SetPropA(window, kDialogProperty, dialog);
        dialog->m_pfnDefault =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    }
    return CallNextHookEx(g_hCreationHook, code, wParam, lParam);
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    g_pCreating = this;
    g_hCreationHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nTemplateId), m_hWndParent, DialogProc, 0);
    if (g_hCreationHook)
        UnhookWindowsHookEx(g_hCreationHook);
    g_hCreationHook = nullptr;
    g_pCreating = nullptr;
    m_hWnd = nullptr;
    return result;
}

void CDialog::EndDialog(int result) {
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::Default() {
    return CallWindowProcA(m_pfnDefault, m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    MSG previous = m_current;
    m_current.hwnd = m_hWnd;
    m_current.message = message;
    m_current.wParam = wParam;
    m_current.lParam = lParam;
    LRESULT result = 0;
    bool handled = false;
    for (const MessageEntry* entry = GetMessageMap(); entry->handler; ++entry) {
        if (entry->message == message) {
            handled = entry->handler(*this, wParam, lParam, result);
            break;
        }
    }
    if (!handled && message == WM_COMMAND && HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK)
            OnOK();
        else
            OnCancel();
        handled = true;
    }
    if (!handled && message == WM_INITDIALOG) {
        result = OnInitDialog();
        handled = true;
    }
    if (!handled)
        result = Default();
    m_current = previous;
    return result;
}

LRESULT CALLBACK CDialog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CDialog* dialog = static_cast<CDialog*>(GetPropA(window, kDialogProperty));
    if (!dialog)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = dialog->m_pfnDefault;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(window, kDialogProperty);
        dialog->m_hWnd = nullptr;
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    try {
        return dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace ostrel
