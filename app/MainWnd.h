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

    HICON m_trayIcon = nullptr;
    int m_currentPage = 0;
};
