// The application object: prepares DPI and GDI+, finds the menu file, keeps a
// second instance out, runs the launcher dialog and releases everything at exit.
#pragma once

#include <windows.h>

#include <string>

#include "framework/win_app.h"

namespace ostrel {

constexpr UINT kTemplateWithCaption = 102;
constexpr UINT kTemplateWithoutCaption = 103;
constexpr UINT WM_RELOADMENU = WM_USER + 1;

class CTamberlyApp : public CWinApp {
public:
    CTamberlyApp() = default;
    ~CTamberlyApp() override = default;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ProcessMessageFilter(int code, MSG* msg) override;
    virtual std::string LocateMenuFile(std::string requested, std::string directory);

    std::string m_strBaseDir;
    std::string m_strMenuDir;
    int m_bChordArmed = FALSE;
    HANDLE m_hInstanceMapping = nullptr;
    HMODULE m_hUser32 = nullptr;
    ULONG_PTR m_gdiplusToken = 0;

private:
    bool AnotherInstanceRuns();
};

CTamberlyApp& TheApp();

} // namespace ostrel
