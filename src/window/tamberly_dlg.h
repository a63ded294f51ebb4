// The launcher window: a dialog without controls that shows the menu's background
// with the choices drawn on it.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "menu/ini_file.h"
#include "window/image_layer.h"

namespace ostrel {

class CTamberlyDlg : public CDialog {
public:
    CTamberlyDlg(UINT templateId, HWND parent);
    ~CTamberlyDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    virtual std::string LocateMenuFile(std::string requested, std::string directory);

    void ReloadMenu(std::string path);
    POINT GetCursorClientPoint();

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
    void DrawChoiceBitmap(const Surface& surface, CChoice& choice);
    void DrawChoiceBitmapHi(const Surface& surface, CChoice& choice);
    void DrawChoiceMemo(const Surface& surface, CChoice& choice);
};

} // namespace ostrel
