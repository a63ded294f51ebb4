// The launcher window: a dialog without controls that shows the menu's background
// with the choices drawn on it.
#pragma once

#include <windows.h>

#include <string>

#include "commands/dispatch.h"
#include "framework/dialog.h"
#include "menu/ini_file.h"
#include "window/image_layer.h"
#include "window/keyboard.h"
#include "window/pointer.h"

namespace ostrel {

class CTamberlyDlg : public CDialog, private PointerSurface, private KeyboardSurface, private DispatchHost {
public:
    CTamberlyDlg(UINT templateId, HWND parent);
    ~CTamberlyDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    virtual std::string LocateMenuFile(std::string requested, std::string directory);

    void ReloadMenu(std::string path);
    POINT GetCursorClientPoint();
    // A key went down in the launcher window (seen by the message filter, before the
    // dialog manager takes Enter and Escape for itself).
    void NoteKeyDown(UINT virtualKey, DWORD time) { m_keyPresses.Pressed(virtualKey, time); }
    // Runs a choice's command; non-zero when the launcher is to close.
    int ExecuteChoice(CChoice& choice) override;

    CIniFile m_menu;
    HICON m_hIcon = nullptr;
    HCURSOR m_hFingerCursor = nullptr;
    ImagePtr m_pBackground;
    float m_fBackgroundDpiX = 0.0f;
    float m_fBackgroundDpiY = 0.0f;
    int m_nHoverChoice = -1;
    BOOL m_bClosing = FALSE;
    BOOL m_bDrawing = FALSE;
    BOOL m_bButtonDown = FALSE;
    BOOL m_bCenterOnInit = TRUE;
    std::string m_strCwd;

protected:
    const MessageEntry* GetMessageMap() const override;

private:
    LRESULT OnCreate();
    void OnClose();
    LRESULT OnReloadMenu();
    void OnPaint();
    void OnMouseMove(UINT flags);
    void OnLButtonDown(UINT flags);
    bool OnLButtonUp(LPARAM point);
    void OnKeyUp(UINT virtualKey);

    // What the keys and dispatch need of the window.
    void DropQueuedKeyReleases() override;
    void Close() override;
    bool ReloadMenuFile(const std::string& path) override;
    std::string LocateMenu(const std::string& requested, const std::string& directory) override {
        return LocateMenuFile(requested, directory);
    }

    // While a command runs (its boxes keep the window's messages flowing), another
    // activation is ignored and a reload of the chord waits for the command to end,
    // so that the choice in use is never freed under it.
    // Once the menu is on screen, the keyed pictures are prepared for quick redraws.
    bool m_bLooksPrepared = false;
    void PrepareLooks();
    int m_nCommandsRunning = 0;
    bool m_bReloadPending = false;
    KeyPressGate m_keyPresses;

    // Single-choice redraws, straight onto the window.
    void DrawChoiceNormal(CChoice& choice) override;
    void DrawChoiceActive(CChoice& choice, bool keepPrevious, bool pressed) override;
    bool BeginRedraw(Surface& surface);
    void EndRedraw(Surface& surface);

    void DrawChoiceBitmap(const Surface& surface, CChoice& choice);
    void DrawChoiceBitmapHi(const Surface& surface, CChoice& choice);
    void DrawChoiceBitmapPress(const Surface& surface, CChoice& choice);
    void DrawChoiceMemo(const Surface& surface, CChoice& choice);
    void DrawKeyedOrNatural(const Surface& surface, CChoice& choice, const ImageObject* image, Point at, Size size);
    void RestoreMemoArea(const Surface& surface, CChoice& choice);
    void RestoreChoiceArea(const Surface& surface, CChoice& choice);

    // What the pointer handling needs of the window.
    bool IsActiveWindow() override { return GetActiveWindow() == m_hWnd; }
    Point CursorClientPoint() override;
    void SetArrowCursor() override { SetCursor(LoadCursorA(nullptr, IDC_ARROW)); }
    void SetFingerCursor() override { SetCursor(m_hFingerCursor); }
    bool CursorIsFinger() override { return GetCursor() == m_hFingerCursor; }
};

} // namespace ostrel
