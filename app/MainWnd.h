#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CatalogueDialogs.h"
#include "app/ColumnPlacer.h"
#include "app/HotKeyRepeatFilter.h"
#include "app/MainWindowInput.h"
#include "app/RowPlacement.h"
#include "app/TabControl.h"
#include "app/TabControlListener.h"
#include "catalogue/CatalogueListener.h"
#include "store/Settings.h"
#include "toolkit/KeyShortcutEditListener.h"
#include "toolkit/ToolTipControl.h"
#include "toolkit/Window.h"
#include "views/RowHost.h"

// Sent by a second start to the running instance's main window.
constexpr UINT WM_RESTOREAPP = WM_USER + 1;
// Tray icon callback.
constexpr UINT WM_TRAYICON = WM_USER + 10;
// The store asks for the whole catalogue: a change could not be stored by itself.
constexpr UINT WM_SAVECATALOGUE = WM_USER + 11;
// Answers the GDI (wParam 1) or USER (wParam 2) objects the program's handle holders own:
// what the benchmarks read where GetGuiResources is not implemented.
constexpr UINT WM_GUIOBJECTCOUNT = WM_USER + 12;

extern const wchar_t MainWindowClassName[];

class CCatalogue;
class CCatalogueReader;
class CCatalogueWriter;
struct CatalogueChange;
class CCategorizedList;
class CCategory;
class CFoldersPane;
class CKeyShortcutsDialog;
class CPageWindow;
class CShortcutsToolbar;

// The program's one top-level window; owns the user interface and the catalogue.
class CMainWnd : public CWindow,
                 public IMyTabControlListener,
                 public IKeyShortcutEditListener,
                 public ICatalogueListener,
                 public IRowHost
{
public:
    CMainWnd();
    ~CMainWnd() override;

    // The first call fixes the pointer for the whole run; the entry point makes it.
    static CMainWnd* Instance(CMainWnd* mainWnd = nullptr);

    bool Create();
    WPARAM RunMessageLoop();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The keys of the search box and the page switch, and the wheel over the pages.
    bool PreTranslateMessage(MSG* msg) override;
    void OnTabChanged(int index) override;
    // Every global hotkey of the program is held back while a hotkey field has the focus.
    void OnHotKeyFieldFocus(bool focused) override;

    void ShowMainWindow();

    CCatalogue* GetCatalogue() const { return m_catalogue.get(); }
    // The dialogs that change the catalogue, for the rows' and pages' commands; null
    // before there is a main window.
    static CCatalogueDialogs* Dialogs();
    // Sorts the list's categories and places headers and rows in columns of its page or pane.
    // sliced: the rows move a slice at a time afterwards, those in sight first.
    void LayoutPage(CCategorizedList& list, bool sliced = false);
    // The visible page and the folders pane.
    void LayoutPages(bool sliced = false);
    // Makes the moves of a sliced layout that still wait.
    void FinishLayout() { m_placement.Finish(); }
    // Every change of the catalogue ends here: the pages are laid out and the change
    // is stored at once, so no change waits for a clean shut-down.
    void OnCatalogueChanged(const CatalogueChange& change) override;
    // A row made after the start gets its tooltip from its page.
    void OnRowCreated(CListItemWindow& window) override;
    // What the rows ask of it.
    const std::wstring& GetSearchText() const override { return m_searchText; }
    HWND GetCurrentMatch() const override { return m_currentMatch; }
    const CSettings& GetSettings() const override { return m_settings; }
    void OnEntryLaunched() override;
    void AddItem(HWND owner, ListKind kind, const std::wstring& categoryName) override;
    void EditItem(HWND owner, ListKind kind, CListItem& item) override;
    void EditCategory(HWND owner, ListKind kind, CCategory& category) override;
    void DeleteCategory(HWND owner, ListKind kind, const std::wstring& categoryName) override;
    // Returns once every change so far is in the store.
    void FlushStore();
    // The page or pane object whose window is parent, or null.
    CPageWindow* GetPageOfWindow(HWND parent) const;
    int GetCurrentPage() const { return m_currentPage; }
    CPageWindow* GetPage(int index) const;
    CFoldersPane* GetFoldersPane() const { return m_foldersPane.get(); }
    CShortcutsToolbar* GetToolbar() const { return m_toolbar.get(); }
    CMyTabControl& GetTabControl() { return m_tabControl; }

    CSettings m_settings;
    std::wstring m_searchText;
    // The row among the search's matches that Enter launches; null for the first match.
    HWND m_currentMatch = nullptr;
    bool m_itemEditorAdvanced = false;

private:
    LRESULT OnCreate();
    LRESULT OnShutDown(bool endingSession);
    LRESULT OnSize(WPARAM type);
    LRESULT OnPaint();
    LRESULT OnGetMinMaxInfo(LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(WPARAM wParam);
    LRESULT OnTimer(WPARAM id);
    LRESULT OnHotKey(WPARAM id, LPARAM lParam);
    LRESULT OnRestoreApp();
    LRESULT OnTrayIcon(WPARAM id, LPARAM mouseMessage);
    LRESULT OnTaskbarCreated();
    LRESULT OnSaveCatalogue();
    void StoreChange(const CatalogueChange& change);

    void CreateChildren();
    void LoadCatalogue();
    // The defaults of a user's very first start, after the stored catalogue.
    void CreateFirstLaunchCatalogue();
    void ResizeChildren();
    void ShowAboutBox();
    // One "Shortcut key" dialog at a time: a second request brings it forward.
    void ShowHotKeyDialog();
    void CarryOutTrayCommand(UINT command);
    // The stored show-window hotkey, under its id; false when none is stored or the
    // system refuses it.
    bool RegisterShowWindowHotKey();

    // A hotkey field took the show-window hotkey's registration back.
    bool m_showWindowHotKeySuspended = false;
    CHotKeyRepeatFilter m_hotKeyRepeats;
    CRowPlacement m_placement;
    CMainWindowInput m_input{*this};
    CMyTabControl m_tabControl;
    std::vector<std::unique_ptr<CPageWindow>> m_pages;
    int m_currentPage = 0;
    std::unique_ptr<CFoldersPane> m_foldersPane;
    // The modeless hotkey dialog while it is open; released when it reports its end.
    std::unique_ptr<CKeyShortcutsDialog> m_hotKeyDialog;
    // Reading the stored catalogue from the start of WM_CREATE until the load has taken it.
    std::unique_ptr<CCatalogueReader> m_reader;
    // Stores every change on a thread of its own, from the end of the load on.
    std::unique_ptr<CCatalogueWriter> m_writer;
    // The catalogue holds the store as it lies; else the next change stores it whole.
    bool m_storedAsLoaded = true;
    std::unique_ptr<CShortcutsToolbar> m_toolbar;
    std::unique_ptr<CCatalogue> m_catalogue;
    std::unique_ptr<CCatalogueDialogs> m_catalogueDialogs;
};
