#pragma once

#include <windows.h>

#include <string>

#include "store/Settings.h"
#include "toolkit/Window.h"

// Sent by a second start to the running instance's main window.
constexpr UINT WM_RESTOREAPP = WM_USER + 1;
// Tray icon callback.
constexpr UINT WM_TRAYICON = WM_USER + 10;

extern const wchar_t MainWindowClassName[];

class CCatalogue;
class CPageWindow;

// The program's one top-level window; owns the user interface and the catalogue.
class CMainWnd : public CWindow
{
public:
    CMainWnd();
    ~CMainWnd() override;

    // The first call fixes the pointer for the whole run; the entry point makes it.
    static CMainWnd* Instance(CMainWnd* mainWnd = nullptr);

    bool Create();
    WPARAM RunMessageLoop();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void ShowMainWindow();

    CCatalogue* GetCatalogue() const { return m_catalogue; }
    // Sorts and places the categories of the visible page and of the folders pane.
    void LayoutPages();
    // Every change of the catalogue ends here: the pages are laid out and the
    // catalogue is saved at once, so no change waits for a clean shut-down.
    void OnCatalogueChanged();
    // The page or pane object whose window is parent, or null.
    CPageWindow* GetPageOfWindow(HWND parent) const;

    CSettings m_settings;
    std::wstring m_searchText;
    bool m_itemEditorAdvanced = false;

private:
    LRESULT OnCreate();
    LRESULT OnShutDown(bool endingSession);
    LRESULT OnPaint();
    LRESULT OnRestoreApp();

    RECT GetInitialGeometry() const;
    void AddTrayIcon();
    void RemoveTrayIcon();

    CCatalogue* m_catalogue = nullptr;
    HICON m_trayIcon = nullptr;
    int m_currentPage = 0;
};
