#include "app/MainWnd.h"

#include <shellapi.h>

#include <new>
#include <utility>

#include "app/AboutBox.h"
#include "app/ColumnPlacer.h"
#include "app/FirstLaunchCatalogue.h"
#include "app/FoldersPane.h"
#include "app/MainWindowPlace.h"
#include "app/PageWindow.h"
#include "app/RowPlacement.h"
#include "app/ShortcutsToolbar.h"
#include "app/TrayIcon.h"
#include "dialogs/KeyShortcutsDialog.h"
#include "catalogue/Catalogue.h"
#include "catalogue/NameOrder.h"
#include "catalogue/RunningScan.h"
#include "resources/resource.h"
#include "store/CatalogueReader.h"
#include "store/CatalogueChange.h"
#include "store/CatalogueStore.h"
#include "store/CatalogueWriter.h"
#include "store/SettingsStore.h"
#include "toolkit/Application.h"
#include "toolkit/KeyShortcutEdit.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/DpiScale.h"
#include "toolkit/Scoped.h"
#include "toolkit/Utilities.h"
#include "views/CategoryItemWindow.h"
#include "views/ListItemWindow.h"

const wchar_t MainWindowClassName[] = L"ApplicationManagerWindowClass";

namespace
{
const wchar_t ProgramName[] = L"Pathmoor";
constexpr UINT_PTR ScanTimerId = 0;
constexpr UINT ScanPeriodMs = 5000;
constexpr int ShowWindowHotKeyId = 0;
constexpr int MinimumWidth = 600;
constexpr int MinimumHeight = 400;

constexpr int ToolbarHeight = 22;
constexpr int TabStripBottom = 48;
constexpr int PageTop = 49;
constexpr int PaneWidth = 140;

// A measure of 96 DPI at the window's scale.
template <typename TMeasure> TMeasure Scaled(TMeasure design)
{
    return CDpiScale::Current().Scale(design);
}

void PlaceChild(HWND child, const RECT& rect)
{
    MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// The shell sends this after its taskbar was (re)created, e.g. after explorer restarted.
const UINT TaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

} // namespace

CMainWnd::CMainWnd()
    : m_toolbar(std::make_unique<CShortcutsToolbar>()), m_catalogue(std::make_unique<CCatalogue>()),
      m_catalogueDialogs(std::make_unique<CCatalogueDialogs>(*m_catalogue))
{
    m_catalogue->SetListener(this);
}

CMainWnd::~CMainWnd()
{
    // The editor's field goes with the catalogue and must not call back into this.
    CKeyShortcutEdit::SetFocusListener(nullptr);
    if (IRowHost::Current() == this)
        IRowHost::SetCurrent(nullptr);
    // In this order: the dialogs work on the catalogue, whose rows live in the pages.
    m_catalogueDialogs.reset();
    m_catalogue.reset();
    m_toolbar.reset();
    m_foldersPane.reset();
    m_pages.clear();
}

CMainWnd* CMainWnd::Instance(CMainWnd* mainWnd)
{
    // The rows reach the window of the run through what it provides them.
    static CMainWnd* const instance = [mainWnd]
    {
        IRowHost::SetCurrent(mainWnd);
        return mainWnd;
    }();
    return instance;
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
    CListItemWindow::RegisterListItemClass();

    LoadSettings(m_settings);
    CDpiScale::MakeCurrent(CDpiScale::ForSystem());
    const CMainWindowPlace place(m_settings.m_windowRect,
                                 Scaled(SIZE{MinimumWidth, MinimumHeight}));
    const RECT& rect = place.GetScreenRect();

    HWND window = CreateWindowExW(
        0, MainWindowClassName, ProgramName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, this);
    if (window == nullptr)
    {
        MessageBoxW(nullptr, LoadResString(IDS_CREATE_WINDOW_FAILED).c_str(), ProgramName, MB_OK);
        return false;
    }
    Attach(window);

    place.Show(window, m_settings.m_maximized);
    CTrayIcon::Add(GetHwnd());
    return true;
}

WPARAM CMainWnd::RunMessageLoop()
{
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (CApplication::Instance().PreTranslateMessage(&msg))
            continue;
        if (m_hotKeyDialog && IsDialogMessageW(m_hotKeyDialog->GetHwnd(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return msg.wParam;
}

// Brought back, the window is ready for a new search: typing replaces the last one.
void CMainWnd::ShowMainWindow()
{
    SetForegroundWindow(GetHwnd());
    ShowWindow(GetHwnd(), SW_SHOW);
    ShowWindow(GetHwnd(), SW_RESTORE);
    m_toolbar->FocusSearchBox();
}

bool CMainWnd::PreTranslateMessage(MSG* msg)
{
    return m_input.PreTranslateMessage(*msg);
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
    case WM_SIZE:
        return OnSize(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(lParam);
    case WM_DPICHANGED:
        return OnDpiChanged(wParam, lParam);
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_HOTKEY:
        return OnHotKey(wParam, lParam);
    case WM_RESTOREAPP:
        return OnRestoreApp();
    case WM_TRAYICON:
        return OnTrayIcon(wParam, lParam);
    case WM_SAVECATALOGUE:
        return OnSaveCatalogue();
    case WM_GUIOBJECTCOUNT:
        return OwnedGuiObjects(static_cast<GuiObjectKind>(wParam));
    default:
        if (msg == TaskbarCreatedMessage && msg != 0)
            return OnTaskbarCreated();
        return DefWindowProcW(GetHwnd(), msg, wParam, lParam);
    }
}

LRESULT CMainWnd::OnCreate()
{
    // First, so that an entry of an older store that brings the same combination does not
    // take it.
    RegisterShowWindowHotKey();
    CKeyShortcutEdit::SetFocusListener(this);
    CDpiScale::MakeCurrent(CDpiScale::ForWindow(GetHwnd()));

    // The store is read while the windows that will show it are made.
    RecoverCatalogueStore();
    m_reader = std::make_unique<CCatalogueReader>();
    const HWND window = GetHwnd();
    m_writer = std::make_unique<CCatalogueWriter>(
        [window] { PostMessageW(window, WM_SAVECATALOGUE, 0, 0); });
    CreateChildren();
    LoadCatalogue();
    m_catalogue->RegisterAllHotKeys();
    // No layout here: the WM_SIZE that window creation sends next lays the pages out.
    SetTimer(GetHwnd(), ScanTimerId, ScanPeriodMs, nullptr);
    if (m_settings.m_firstLaunch && HoldsNoStoredCategory(*m_catalogue))
        CreateFirstLaunchCatalogue();
    return 0;
}

void CMainWnd::CreateChildren()
{
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    const int toolbarHeight = Scaled(ToolbarHeight);
    const int paneWidth = Scaled(PaneWidth);
    m_toolbar->Create(RECT{client.left, client.top, client.right, client.top + toolbarHeight},
                      GetHwnd());

    m_tabControl.Create(RECT{client.left, toolbarHeight, client.right, Scaled(TabStripBottom)},
                        GetHwnd(), this);
    m_tabControl.AddTab(LoadResString(IDS_APPLICATIONS_TAB));
    m_tabControl.AddTab(LoadResString(IDS_SHORTCUTS_TAB));
    m_tabControl.m_selected = 0;
    InvalidateRect(m_tabControl.GetHwnd(), nullptr, FALSE);

    const RECT pageRect = {0, Scaled(PageTop), client.right - paneWidth, client.bottom};
    CCategorizedList* lists[] = {&m_catalogue->m_applications, &m_catalogue->m_shortcuts};
    for (int kind = 0; kind < 2; ++kind)
    {
        m_pages.push_back(std::make_unique<CPageWindow>(lists[kind], kind));
        m_pages.back()->Create(pageRect, GetHwnd());
        lists[kind]->m_parentWindow = m_pages.back()->GetHwnd();
    }
    m_currentPage = 0;
    ShowWindow(m_pages[0]->GetHwnd(), SW_SHOW);

    m_foldersPane = std::make_unique<CFoldersPane>(&m_catalogue->m_folders);
    m_foldersPane->Create(
        RECT{client.right - paneWidth, Scaled(PageTop), client.right, client.bottom}, GetHwnd());
    m_catalogue->m_folders.m_parentWindow = m_foldersPane->GetHwnd();
}

CPageWindow* CMainWnd::GetPage(int index) const
{
    return index >= 0 && index < static_cast<int>(m_pages.size()) ? m_pages[index].get() : nullptr;
}

CPageWindow* CMainWnd::GetPageOfWindow(HWND parent) const
{
    for (const auto& page : m_pages)
        if (page->GetHwnd() == parent)
            return page.get();
    if (m_foldersPane && m_foldersPane->GetHwnd() == parent)
        return m_foldersPane.get();
    return nullptr;
}

// WM_DESTROY and WM_ENDSESSION share this. When the end of the session was
// cancelled (WM_ENDSESSION with FALSE) the data is saved, but the program
// keeps running with its tray icon: the user has not asked it to stop.
LRESULT CMainWnd::OnShutDown(bool ending)
{
    SaveWindowPlacement(GetHwnd());
    if (ending)
    {
        CTrayIcon::Remove(GetHwnd());
        m_hotKeyDialog.reset();
    }
    // Every change is stored as it happens; only one left out is stored now, with the rest.
    FlushStore();
    if (m_writer && m_writer->NeedsWholeSave())
    {
        OnSaveCatalogue();
        FlushStore();
    }
    if (ending)
        PostQuitMessage(0);
    return 0;
}

LRESULT CMainWnd::OnSize(WPARAM type)
{
    if (type == SIZE_MINIMIZED)
    {
        // Minimised, the program lives in the notification area only.
        ShowWindow(GetHwnd(), SW_MINIMIZE);
        ShowWindow(GetHwnd(), SW_HIDE);
        return 0;
    }
    ResizeChildren();
    LayoutPages();
    return 0;
}

// Every child takes its whole place, so a change of scale moves and sizes them all.
void CMainWnd::ResizeChildren()
{
    if (m_pages.empty() || m_foldersPane == nullptr)
        return;
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const int toolbarHeight = Scaled(ToolbarHeight);
    const int pageTop = Scaled(PageTop);
    const int paneWidth = Scaled(PaneWidth);
    PlaceChild(m_toolbar->GetHwnd(), RECT{0, 0, width, toolbarHeight});
    PlaceChild(m_tabControl.GetHwnd(), RECT{0, toolbarHeight, width, Scaled(TabStripBottom)});
    // Ending with the client area, so a scroll bar is seen whole.
    PlaceChild(m_pages[m_currentPage]->GetHwnd(), RECT{0, pageTop, width - paneWidth, height});
    PlaceChild(m_foldersPane->GetHwnd(), RECT{width - paneWidth, pageTop, width, height});
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

LRESULT CMainWnd::OnGetMinMaxInfo(LPARAM lParam)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = POINT{Scaled(MinimumWidth), Scaled(MinimumHeight)};
    CMainWindowPlace::FitMaximizedToWorkArea(GetHwnd(), *info);
    return 0;
}

// The window moved to a monitor of another DPI: take the size the system suggests for it
// and lay the pages out at the new scale.
LRESULT CMainWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    CDpiScale::MakeCurrent(CDpiScale(HIWORD(wParam)));
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(GetHwnd(), nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Also when the size stays: every row takes its new size, and all redraw in the
    // fonts and icons of the new DPI.
    ResizeChildren();
    LayoutPages();
    RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT CMainWnd::OnCommand(WPARAM wParam)
{
    switch (LOWORD(wParam))
    {
    case ID_EXIT:
        DestroyWindow(GetHwnd());
        break;
    case ID_ABOUT:
        ShowAboutBox();
        break;
    case IDC_HOTKEY_DIALOG_CLOSED:
        m_hotKeyDialog.reset();
        break;
    }
    return 0;
}

LRESULT CMainWnd::OnTimer(WPARAM id)
{
    if (id == CHotKeyRepeatFilter::TimerId)
    {
        m_hotKeyRepeats.OnTimer(GetHwnd());
        return 0;
    }
    if (id == CRowPlacement::TimerId)
    {
        m_placement.OnTimer();
        return 0;
    }
    // A combination another program held may be free now.
    m_catalogue->RetryInactiveHotKeys();
    // The running state is only looked for while the applications are shown.
    if (m_currentPage == 0)
    {
        ScanRunningApplications(m_catalogue->m_applications, EnumAllProcesses());
        LayoutPage(m_catalogue->m_applications);
    }
    SetTimer(GetHwnd(), ScanTimerId, ScanPeriodMs, nullptr);
    return 0;
}

LRESULT CMainWnd::OnHotKey(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(wParam);
    if (id == IDHOT_SNAPWINDOW || id == IDHOT_SNAPDESKTOP)
        return 0;
    // A combination held down acts once.
    if (!m_hotKeyRepeats.Admit(GetHwnd(), id, HIWORD(lParam)))
        return 0;
    if (id == ShowWindowHotKeyId)
    {
        SetForegroundWindow(GetHwnd());
        BringWindowToTop(GetHwnd());
        ShowWindow(GetHwnd(), SW_SHOWNORMAL);
        m_toolbar->FocusSearchBox();
        return 0;
    }
    if (!m_catalogue->LaunchApplicationByHotKeyId(id))
        m_catalogue->LaunchShortcutByHotKeyId(id);
    return 0;
}

bool CMainWnd::RegisterShowWindowHotKey()
{
    UINT modifiers = 0;
    UINT key = 0;
    return LoadShowWindowHotKey(modifiers, key) &&
           CCatalogue::RegisterShowWindowHotKey(GetHwnd(), modifiers, key);
}

void CMainWnd::OnHotKeyFieldFocus(bool focused)
{
    // Registered, the combinations would be taken before the field could record them.
    if (focused)
    {
        try
        {
            m_catalogue->SuspendHotKeys();
        }
        catch (const std::bad_alloc&)
        {
            // Nothing was taken back: the entries' hotkeys stay as they are.
        }
        m_showWindowHotKeySuspended = UnregisterHotKey(GetHwnd(), ShowWindowHotKeyId) != FALSE;
        return;
    }
    m_catalogue->ResumeHotKeys();
    // The stored value, which the dialog's OK may have changed meanwhile.
    if (std::exchange(m_showWindowHotKeySuspended, false))
        RegisterShowWindowHotKey();
}

LRESULT CMainWnd::OnRestoreApp()
{
    ShowMainWindow();
    return 0;
}

void CMainWnd::OnTabChanged(int index)
{
    if ((index != 0 && index != 1) || index == m_currentPage)
        return;
    const int old = m_currentPage;
    m_currentPage = index;
    ShowWindow(m_pages[index]->GetHwnd(), SW_SHOW);
    OnSize(SIZE_RESTORED);
    ShowWindow(m_pages[old]->GetHwnd(), SW_HIDE);
    LayoutPages();
}
