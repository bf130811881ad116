#pragma once

#include <windows.h>

#include <vector>

class CMainWnd;
class CEntryItemWindow;

// The keys of the search box and of the main window, and the wheel over the pages, taken
// from the message loop before they are translated.
//
// In the search box: Enter launches the current match as a click on its row would, Down
// and Up move the current match among the highlighted entries, Ctrl+Shift+Enter runs it as
// administrator, Ctrl+Shift+E shows its file in its folder, Escape clears the search and,
// on an empty search, minimises the window. Anywhere in the window Ctrl+Tab and
// Ctrl+Shift+Tab switch the page.
class CMainWindowInput
{
public:
    explicit CMainWindowInput(CMainWnd& mainWnd);

    // True when the message was handled and must go no further.
    bool PreTranslateMessage(const MSG& msg);

private:
    // A highlighted entry: the visible page's in display order, then the folders pane's.
    struct Match
    {
        CEntryItemWindow* row;
        bool folder;
    };

    bool OnSearchKey(WPARAM key);
    void SwitchPage();
    bool RouteWheel(const MSG& msg) const;

    std::vector<Match> FindMatches() const;
    // The index of the current match, or -1 for none.
    static int FindCurrent(const std::vector<Match>& matches, HWND current);
    void MoveCurrentMatch(int step);
    void SetCurrentMatch(HWND row);
    enum class Action
    {
        Launch,
        RunAsAdministrator,
        ShowInFolder,
    };
    // On the current match, or on the first match while there is none; a beep without one.
    void ActOnMatch(Action action);
    void OnEscape();

    bool IsInMainWindow(HWND window) const;
    HWND GetSearchBox() const;

    CMainWnd& m_mainWnd;
};
