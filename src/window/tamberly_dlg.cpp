#include "window/tamberly_dlg.h"

#include <map>

#include "app/dpi_functions.h"
#include "app/menu_location.h"
#include "app/tamberly_app.h"
#include "system/win32_system.h"
#include "window/window_geometry.h"

namespace ostrel {

namespace {
// The keyed copies are made a moment after the first paint, once the system has
// had the time to show that paint.
constexpr UINT_PTR kPrepareLooksTimer = 1;
constexpr UINT kPrepareLooksDelayMs = 150;

CTamberlyDlg& Self(CDialog& dialog) { return static_cast<CTamberlyDlg&>(dialog); }

// The pictures of one load by path: a file that several looks name is decoded once.
using LoadedPictures = std::map<std::string, ImagePtr>;

void LoadChoiceImage(const std::string& path, ImagePtr& slot, Size& size, Resolution& dpi, LoadedPictures& loaded) {
    auto found = loaded.find(path);
    if (found == loaded.end()) {
        ImagePtr image = LoadBitmapFile(path);
        if (image && AsGdiplus(image.get())->TakeLastStatus() != gdiplus::Ok)
            image.reset();
        found = loaded.emplace(path, image).first;
    }
    slot = found->second;
    if (slot) {
        ImageMeasure measure = MeasureImage(slot.get());
        size = Size{measure.width, measure.height};
        dpi = Resolution{measure.dpiX, measure.dpiY};
    }
}
} // namespace

CTamberlyDlg::CTamberlyDlg(UINT templateId, HWND parent)
    : CDialog(templateId, parent), m_menu(TheSystem(), TheApp().m_strMenuDir, TheApp().m_strBaseDir) {
    m_menu.m_strPath = LocateMenuFile(TheApp().m_lpCmdLine, TheApp().m_strBaseDir);
    m_menu.Load();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    m_hFingerCursor = LoadCursorW(instance, MAKEINTRESOURCEW(104));
    if (!m_hFingerCursor)
        m_hFingerCursor = LoadCursorA(nullptr, IDC_ARROW);
    char modulePath[261] = {};
    GetModuleFileNameA(nullptr, modulePath, 260);
    m_strCwd = modulePath;
    size_t last = FindLastChar(m_strCwd, '\\', TheSystem().LeadBytes());
    if (last != std::string::npos)
        m_strCwd.erase(last);
}

CTamberlyDlg::~CTamberlyDlg() {
    m_strCwd.clear();
    m_pBackground.reset();
}

std::string CTamberlyDlg::LocateMenuFile(std::string requested, std::string directory) {
    return ostrel::LocateMenuFile(requested, directory, TheApp().m_strBaseDir, TheSystem());
}

const CDialog::MessageEntry* CTamberlyDlg::GetMessageMap() const {
    static const MessageEntry kMap[] = {
        {WM_CREATE, [](CDialog& d, WPARAM, LPARAM, LRESULT& r) { return r = Self(d).OnCreate(), true; }},
        {WM_CLOSE, [](CDialog& d, WPARAM, LPARAM, LRESULT&) { return Self(d).OnClose(), true; }},
        {WM_QUERYDRAGICON,
         [](CDialog& d, WPARAM, LPARAM, LRESULT& r) { return r = reinterpret_cast<LRESULT>(Self(d).m_hIcon), true; }},
        {WM_RELOADMENU, [](CDialog& d, WPARAM, LPARAM, LRESULT& r) { return r = Self(d).OnReloadMenu(), true; }},
        {WM_PAINT, [](CDialog& d, WPARAM, LPARAM, LRESULT& r) { return r = 0, Self(d).OnPaint(), true; }},
        {WM_MOUSEMOVE,
         [](CDialog& d, WPARAM w, LPARAM, LRESULT& r) { return r = 0, Self(d).OnMouseMove(static_cast<UINT>(w)), true; }},
        {WM_LBUTTONDOWN,
         [](CDialog& d, WPARAM w, LPARAM, LRESULT& r) { return r = 0, Self(d).OnLButtonDown(static_cast<UINT>(w)), true; }},
        {WM_LBUTTONUP, [](CDialog& d, WPARAM, LPARAM l, LRESULT& r) { return r = 0, Self(d).OnLButtonUp(l); }},
        {WM_TIMER,
         [](CDialog& d, WPARAM w, LPARAM, LRESULT& r) {
             if (w != kPrepareLooksTimer)
                 return false;
             KillTimer(d.m_hWnd, kPrepareLooksTimer);
             return r = 0, Self(d).PrepareLooks(), true;
         }},
        {WM_KEYUP,
         [](CDialog& d, WPARAM w, LPARAM, LRESULT& r) { return r = 0, Self(d).OnKeyUp(static_cast<UINT>(w)), true; }},
        {WM_ACTIVATE,
         [](CDialog& d, WPARAM w, LPARAM, LRESULT&) {
             // Keys released elsewhere are never seen here: forget what was pressed.
             if (LOWORD(w) == WA_INACTIVE)
                 Self(d).m_keyPresses.Clear(GetTickCount());
             return false;
         }},
        {0, nullptr},
    };
    return kMap;
}

LRESULT CTamberlyDlg::OnCreate() {
    if (Default() == -1 || m_menu.m_bLoaded != 1)
        return -1;
    return 0;
}

void CTamberlyDlg::OnClose() {
    m_bClosing = TRUE;
    Default();
}

void CTamberlyDlg::OnCancel() {
    if (m_bClosing)
        EndDialog(IDCANCEL);
}

BOOL CTamberlyDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    m_pBackground = LoadBitmapFile(m_menu.m_strBitmap);
    if (!m_pBackground)
        return FALSE;
    LoadedPictures loaded;
    loaded.emplace(m_menu.m_strBitmap,
                   AsGdiplus(m_pBackground.get())->m_lastStatus == gdiplus::Ok ? m_pBackground : nullptr);
    ImageMeasure background = MeasureImage(m_pBackground.get());
    m_menu.m_nWidth = background.width;
    m_menu.m_nHeight = background.height;
    m_fBackgroundDpiX = background.dpiX;
    m_fBackgroundDpiY = background.dpiY;
    if (m_menu.m_bUseImageDpi != 0)
        ImageLogicalSize(background.width, background.height, background.dpiX, background.dpiY, 1, m_menu.m_nWidth,
                         m_menu.m_nHeight);

    const int count = m_menu.GetCount();
    for (int i = 0; i < count; ++i) {
        CChoice& choice = *m_menu.GetAt(i);
        LoadChoiceImage(choice.m_strBitmap, choice.m_pBitmap, choice.m_sizeBitmap, choice.m_dpiBitmap, loaded);
        LoadChoiceImage(choice.m_strBitmapHi, choice.m_pBitmapHi, choice.m_sizeBitmapHi, choice.m_dpiBitmapHi,
                        loaded);
        LoadChoiceImage(choice.m_strBitmapPress, choice.m_pBitmapPress, choice.m_sizeBitmapPress,
                        choice.m_dpiBitmapPress, loaded);
        LoadChoiceImage(choice.m_strBitmapMemo, choice.m_pBitmapMemo, choice.m_sizeBitmapMemo, choice.m_dpiBitmapMemo,
                        loaded);
    }

    ApplyMinimumSize(m_menu.m_nWidth, m_menu.m_nHeight);

    const unsigned dpi = WindowDpi(m_hWnd);
    int left = 0, top = 0;
    RECT work = {0, 0, 0, 0};
    Axes atWorkArea;
    if (m_bCenterOnInit) {
        const int fullWidth = GetSystemMetrics(SM_CXFULLSCREEN), fullHeight = GetSystemMetrics(SM_CYFULLSCREEN);
        CentredOrigin(fullWidth, fullHeight, m_menu.m_nWidth, m_menu.m_nHeight, left, top);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        atWorkArea = KeepTopLeftOnScreen(fullWidth, fullHeight, work.left, work.top, m_menu.m_nWidth,
                                         m_menu.m_nHeight, dpi, left, top);
    } else {
        POINT origin = {0, 0};
        ClientToScreen(m_hWnd, &origin);
        left = origin.x;
        top = origin.y;
    }

    DWORD style = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE));
    Rect client;
    RECT rect;
    if (dpi != 0 && g_pfnAdjustWindowRectExForDpi) {
        client = ClientRectForDpi(left, top, m_menu.m_nWidth, m_menu.m_nHeight, dpi);
        rect = RECT{client.left, client.top, client.right, client.bottom};
        g_pfnAdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi);
    } else {
        client = ClientRectForDpi(left, top, m_menu.m_nWidth, m_menu.m_nHeight, 0);
        rect = RECT{client.left, client.top, client.right, client.bottom};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    // The frame, caption and all, goes to the work area's edge along such an axis.
    if (atWorkArea.x)
        OffsetRect(&rect, work.left - rect.left, 0);
    if (atWorkArea.y)
        OffsetRect(&rect, 0, work.top - rect.top);
    MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);

    SetWindowTextA(m_hWnd, m_menu.m_strDefaultCaption.c_str());
    TheSystem().SetLauncherWindow(m_hWnd);

    SetClassLongPtrA(m_hWnd, GCLP_HCURSOR, 0);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return FALSE;
}

POINT CTamberlyDlg::GetCursorClientPoint() {
    POINT point = {0, 0};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    int x = point.x, y = point.y;
    DeviceToLogical(x, y, WindowDpi(m_hWnd));
    return POINT{x, y};
}

void CTamberlyDlg::ReloadMenu(std::string path) {
    m_menu.RemoveAllChoices();
    m_nHoverChoice = -1;
    m_bClosing = FALSE;
    m_bDrawing = FALSE;
    if (!path.empty())
        m_menu.m_strPath = path;
    m_menu.Load();
    m_pBackground.reset();
    m_bLooksPrepared = false;

    m_bCenterOnInit = FALSE;
    OnInitDialog();
    m_bCenterOnInit = TRUE;

    m_nHoverChoice = FirstChoiceAt(m_menu, CursorClientPoint());
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

// A link's menu is tried first: one that cannot be loaded leaves the menu on screen
// as it is. (The reload chord reloads whatever the file holds: it is the publisher's
// way to look at a menu being written.)
bool CTamberlyDlg::ReloadMenuFile(const std::string& path) {
    CTamberlyApp& app = TheApp();
    CIniFile trial(TheSystem(), app.m_strMenuDir, app.m_strBaseDir);
    trial.m_strPath = path;
    if (!trial.NamesBackground())
        return false;
    ReloadMenu(path);
    return true;
}

LRESULT CTamberlyDlg::OnReloadMenu() {
    if (m_nCommandsRunning > 0)
        m_bReloadPending = true;
    else
        ReloadMenu(std::string());
    return 0;
}

int CTamberlyDlg::ExecuteChoice(CChoice& choice) {
    if (m_nCommandsRunning > 0)
        return 0;
    CTamberlyApp& app = TheApp();
    DispatchContext context{TheSystem(), *this, app.m_strBaseDir, app.m_strMenuDir, m_strCwd, m_menu.m_bDebug};
    ++m_nCommandsRunning;
    int result = 0;
    try {
        result = ostrel::ExecuteChoice(choice, context);
    } catch (...) {
        result = 0;
    }
    --m_nCommandsRunning;
    if (m_bReloadPending && m_nCommandsRunning == 0) {
        m_bReloadPending = false;
        // A command that closes the launcher wins over a reload asked for meanwhile.
        if (result == 0)
            ReloadMenu(std::string());
    }
    return result;
}

void CTamberlyDlg::Close() {
    m_bClosing = TRUE;
    OnCancel();
}

// Key releases that arrived while the command started, or just after, belong to it.
void CTamberlyDlg::DropQueuedKeyReleases() {
    Sleep(100);
    MSG message;
    while (PeekMessageA(&message, m_hWnd, WM_KEYUP, WM_KEYUP, PM_REMOVE)) {
    }
    // A key that went down while the command ran has lost its release just now.
    m_keyPresses.Clear(GetTickCount());
}

bool CTamberlyDlg::OnLButtonUp(LPARAM point) {
    int x = static_cast<short>(LOWORD(point)), y = static_cast<short>(HIWORD(point));
    DeviceToLogical(x, y, WindowDpi(m_hWnd));
    int index = FirstChoiceAt(m_menu, Point{x, y});
    if (index >= 0 && ExecuteChoice(*m_menu.GetAt(index))) {
        Close();
        return true;
    }
    Default();
    return true;
}

void CTamberlyDlg::OnKeyUp(UINT virtualKey) {
    if (m_keyPresses.Released(virtualKey))
        HandleKeyUp(virtualKey, m_menu, m_nHoverChoice, *this);
}

void CTamberlyDlg::DrawChoiceBitmap(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmap)
        DrawImageKeyed(surface, choice.m_pBitmap.get(), choice.m_ptPoint.x, choice.m_ptPoint.y, choice.m_sizeBitmap.cx,
                       choice.m_sizeBitmap.cy, choice.m_crTransparency);
}

// The hover, pressed and memo images go through the key only when the product gave
// its own TransparencyColor.
void CTamberlyDlg::DrawKeyedOrNatural(const Surface& surface, CChoice& choice, const ImageObject* image, Point at,
                                      Size size) {
    if (choice.m_bTransparency)
        DrawImageKeyed(surface, image, at.x, at.y, size.cx, size.cy, choice.m_crTransparency);
    else
        DrawImageAt(surface, image, at.x, at.y);
}

void CTamberlyDlg::DrawChoiceBitmapHi(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmapHi)
        DrawKeyedOrNatural(surface, choice, choice.m_pBitmapHi.get(), choice.m_ptPoint, choice.m_sizeBitmapHi);
}

// Guarded by the hover image: without one a choice has no pressed look either.
void CTamberlyDlg::DrawChoiceBitmapPress(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmapHi)
        DrawKeyedOrNatural(surface, choice, choice.m_pBitmapPress.get(), choice.m_ptPoint, choice.m_sizeBitmapPress);
}

void CTamberlyDlg::DrawChoiceMemo(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmapMemo)
        DrawKeyedOrNatural(surface, choice, choice.m_pBitmapMemo.get(), choice.m_ptPointMemo, choice.m_sizeBitmapMemo);
}

void CTamberlyDlg::RestoreMemoArea(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmapMemo)
        RestoreBackground(surface, m_pBackground.get(), choice.m_ptPointMemo.x, choice.m_ptPointMemo.y,
                          choice.m_sizeBitmapMemo.cx, choice.m_sizeBitmapMemo.cy, m_menu.m_bUseImageDpi,
                          m_fBackgroundDpiX, m_fBackgroundDpiY);
}

// Covers the hover image's size: a choice without a hover image keeps its normal image.
void CTamberlyDlg::RestoreChoiceArea(const Surface& surface, CChoice& choice) {
    if (choice.m_pBitmap || choice.m_pBitmapHi)
        RestoreBackground(surface, m_pBackground.get(), choice.m_ptPoint.x, choice.m_ptPoint.y,
                          choice.m_sizeBitmapHi.cx, choice.m_sizeBitmapHi.cy, m_menu.m_bUseImageDpi, m_fBackgroundDpiX,
                          m_fBackgroundDpiY);
}

// A redraw that finds a drawing in progress (one cut short on this thread) does not
// draw over it, recur or wait: it leaves the look to the next paint, which reads the
// hover index, and asks for that paint.
bool CTamberlyDlg::BeginRedraw(Surface& surface) {
    if (m_bDrawing) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return false;
    }
    m_bDrawing = TRUE;
    surface = PrepareGraphics(nullptr, m_hWnd, false);
    return true;
}

void CTamberlyDlg::EndRedraw(Surface& surface) {
    m_bDrawing = FALSE;
    DeleteSurface(surface);
}

void CTamberlyDlg::DrawChoiceNormal(CChoice& choice) {
    Surface surface;
    if (!BeginRedraw(surface))
        return;
    RestoreMemoArea(surface, choice);
    if (choice.m_pBitmap)
        RestoreChoiceArea(surface, choice);
    DrawChoiceBitmap(surface, choice);
    EndRedraw(surface);
}

void CTamberlyDlg::DrawChoiceActive(CChoice& choice, bool keepPrevious, bool pressed) {
    Surface surface;
    if (!BeginRedraw(surface))
        return;
    if (!keepPrevious && m_nHoverChoice >= 0) {
        CChoice& previous = *m_menu.GetAt(m_nHoverChoice);
        RestoreMemoArea(surface, previous);
        RestoreChoiceArea(surface, previous);
        DrawChoiceBitmap(surface, previous);
        m_nHoverChoice = -1;
    }
    DrawChoiceMemo(surface, choice);
    RestoreChoiceArea(surface, choice);
    if (pressed && choice.m_pBitmapPress)
        DrawChoiceBitmapPress(surface, choice);
    else
        DrawChoiceBitmapHi(surface, choice);
    EndRedraw(surface);
}

Point CTamberlyDlg::CursorClientPoint() {
    POINT point = GetCursorClientPoint();
    return Point{point.x, point.y};
}

void CTamberlyDlg::OnMouseMove(UINT flags) {
    HandleMouseMove(m_menu, m_nHoverChoice, m_bButtonDown != FALSE, (flags & MK_LBUTTON) != 0, *this);
}

void CTamberlyDlg::OnLButtonDown(UINT flags) {
    m_bButtonDown = TRUE;
    OnMouseMove(flags);
    m_bButtonDown = FALSE;
    Default();
}

void CTamberlyDlg::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    m_bDrawing = TRUE;
    Surface surface = PrepareGraphics(dc, m_hWnd, true);
    Ratio ratio = ComputeResolutionRatio(surface);
    SetPageScaleForDpi(surface);

    NormalizeImageResolution(m_pBackground.get(), Resolution{m_fBackgroundDpiX, m_fBackgroundDpiY}, ratio,
                             m_menu.m_bUseImageDpi);
    DrawImageAt(surface, m_pBackground.get(), 0, 0);

    const int count = m_menu.GetCount();
    for (int i = 0; i < count; ++i) {
        CChoice& choice = *m_menu.GetAt(i);
        NormalizeImageResolution(choice.m_pBitmap.get(), choice.m_dpiBitmap, ratio, m_menu.m_bUseImageDpi);
        NormalizeImageResolution(choice.m_pBitmapHi.get(), choice.m_dpiBitmapHi, ratio, m_menu.m_bUseImageDpi);
        NormalizeImageResolution(choice.m_pBitmapMemo.get(), choice.m_dpiBitmapMemo, ratio, m_menu.m_bUseImageDpi);
        NormalizeImageResolution(choice.m_pBitmapPress.get(), choice.m_dpiBitmapPress, ratio,
                                 m_menu.m_bUseImageDpi);
        if (i != m_nHoverChoice) {
            DrawChoiceBitmap(surface, choice);
        } else if (choice.m_strCommand == "tavnop") {
            DrawChoiceBitmap(surface, choice);
            DrawChoiceMemo(surface, choice);
        } else {
            DrawChoiceBitmapHi(surface, choice);
            DrawChoiceMemo(surface, choice);
            SetCursor(m_hFingerCursor);
        }
    }

    DrawTextLine(surface, dc, m_menu.m_strCopyright, m_menu.m_crForeground,
                 gdiplus::RectF{0.0f, 0.0f, static_cast<float>(m_menu.m_nWidth), static_cast<float>(m_menu.m_nHeight)});
    m_bDrawing = FALSE;
    DeleteSurface(surface);
    EndPaint(m_hWnd, &paint);
    if (!m_bLooksPrepared) {
        m_bLooksPrepared = true;
        SetTimer(m_hWnd, kPrepareLooksTimer, kPrepareLooksDelayMs, nullptr);
    }
}

void CTamberlyDlg::PrepareLooks() {
    for (const auto& choice : m_menu.m_arrChoices) {
        PrepareKeyed(choice->m_pBitmap.get(), choice->m_crTransparency);
        if (choice->m_bTransparency) {
            PrepareKeyed(choice->m_pBitmapHi.get(), choice->m_crTransparency);
            PrepareKeyed(choice->m_pBitmapPress.get(), choice->m_crTransparency);
            PrepareKeyed(choice->m_pBitmapMemo.get(), choice->m_crTransparency);
        }
    }
}

} // namespace ostrel
