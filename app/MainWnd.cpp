#include "app/MainWnd.h"

#include <shellapi.h>

#include "resources/resource.h"
#include "store/SettingsStore.h"
#include "toolkit/Application.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"

const wchar_t MainWindowClassName[] = L"ApplicationManagerWindowClass";

namespace
{
const wchar_t ProgramName[] = L"Pathmoor";
constexpr UINT TrayIconId = 1;

NOTIFYICONDATAW MakeTrayIconData(HWND window)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = TrayIconId;
    return data;
}
} // namespace

CMainWnd::CMainWnd() = default;

CMainWnd::~CMainWnd() = default;

CMainWnd* CMainWnd::Instance(CMainWnd* mainWnd)
{
    static CMainWnd* const instance = mainWnd;
    return instance;
}

RECT CMainWnd::GetInitialGeometry() const
{
    const int cx = GetSystemMetrics(SM_CXFULLSCREEN);
    const int cy = GetSystemMetrics(SM_CYFULLSCREEN);
    const int width = cx / 2;
    const int height = cy / 2;
    RECT geometry = {cx / 2 - width / 2, cy / 2 - height / 2, width, height};

    const RECT& stored = m_settings.m_windowRect;
    // A place on a screen that is no longer attached would leave the window unreachable.
    if (stored.right != stored.left && MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) != nullptr)
        geometry = {stored.left, stored.top, stored.right - stored.left, stored.bottom - stored.top};
    return geometry;
}

bool CMainWnd::Create()
{
    const HINSTANCE instance = CApplication::Instance().GetInstanceHandle();

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CWindow::StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PATHMOOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindowClassName;
    if (!RegisterClassW(&windowClass))
    {
        MessageBoxW(nullptr, LoadResString(IDS_CREATE_CLASS_FAILED).c_str(), ProgramName, MB_OK);
        return false;
    }

    LoadSettings(m_settings);
    const RECT geometry = GetInitialGeometry();

    HWND window = CreateWindowExW(0, MainWindowClassName, ProgramName,
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, geometry.left,
                                  geometry.top, geometry.right, geometry.bottom, nullptr, nullptr,
                                  instance, this);
    if (window == nullptr)
    {
        MessageBoxW(nullptr, LoadResString(IDS_CREATE_WINDOW_FAILED).c_str(), ProgramName, MB_OK);
        return false;
    }
    Attach(window);

    ShowWindow(window, m_settings.m_maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    AddTrayIcon();
    return true;
}

void CMainWnd::AddTrayIcon()
{
    NOTIFYICONDATAW data = MakeTrayIconData(GetHwnd());
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    m_trayIcon = LoadIconW(CApplication::Instance().GetInstanceHandle(),
                           MAKEINTRESOURCEW(IDI_PATHMOOR));
    data.hIcon = m_trayIcon;
    lstrcpynW(data.szTip, ProgramName, ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
}

void CMainWnd::RemoveTrayIcon()
{
    if (m_trayIcon != nullptr)
    {
        DestroyIcon(m_trayIcon);
        m_trayIcon = nullptr;
    }
    NOTIFYICONDATAW data = MakeTrayIconData(GetHwnd());
    Shell_NotifyIconW(NIM_DELETE, &data);
}

WPARAM CMainWnd::RunMessageLoop()
{
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (CApplication::Instance().PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return msg.wParam;
}

void CMainWnd::ShowMainWindow()
{
    SetForegroundWindow(GetHwnd());
    ShowWindow(GetHwnd(), SW_SHOW);
    ShowWindow(GetHwnd(), SW_RESTORE);
}

LRESULT CMainWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        return OnShutDown(true);
    case WM_ENDSESSION:
        return OnShutDown(wParam != FALSE);
    case WM_PAINT:
        return OnPaint();
    case WM_RESTOREAPP:
        return OnRestoreApp();
    default:
        return DefWindowProcW(GetHwnd(), msg, wParam, lParam);
    }
}

void CMainWnd::LayoutPages()
{
}

void CMainWnd::OnCatalogueChanged()
{
    LayoutPages();
}

CPageWindow* CMainWnd::GetPageOfWindow(HWND) const
{
    return nullptr;
}

LRESULT CMainWnd::OnCreate()
{
    return 0;
}

// WM_DESTROY and WM_ENDSESSION share this. When the end of the session was
// cancelled (WM_ENDSESSION with FALSE) the data is saved, but the program
// keeps running with its tray icon: the user has not asked it to stop.
LRESULT CMainWnd::OnShutDown(bool ending)
{
    SaveWindowPlacement(GetHwnd());
    if (!ending)
        return 0;
    RemoveTrayIcon();
    PostQuitMessage(0);
    return 0;
}

LRESULT CMainWnd::OnPaint()
{
    CScopedPaint paint(GetHwnd());
    CScopedGdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    FillRect(paint.Get(), &client, white.Get());
    return 0;
}

LRESULT CMainWnd::OnRestoreApp()
{
    ShowMainWindow();
    return 0;
}
