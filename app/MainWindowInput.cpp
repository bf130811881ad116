#include "app/MainWindowInput.h"

#include <windowsx.h>

#include "app/FoldersPane.h"
#include "app/MainWnd.h"
#include "app/PageWindow.h"
#include "app/ShortcutsToolbar.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Category.h"
#include "views/EntryItemWindow.h"
#include "views/NameDrawing.h"
#include "shell/ShellActions.h"

namespace
{
bool IsKeyHeld(int key)
{
    return GetKeyState(key) < 0;
}

// Highlighted as the row draws it: the name holds the search text.
bool IsHighlighted(const std::wstring& name, const std::wstring& needle)
{
    return SplitHighlightSegments(name, needle).size() > 1;
}

void Repaint(HWND row)
{
    if (row != nullptr)
        InvalidateRect(row, nullptr, FALSE);
}
} // namespace

CMainWindowInput::CMainWindowInput(CMainWnd& mainWnd) : m_mainWnd(mainWnd) {}

bool CMainWindowInput::PreTranslateMessage(const MSG& msg)
{
    if (!IsInMainWindow(msg.hwnd))
        return false;
    if (msg.message == WM_MOUSEWHEEL)
        return RouteWheel(msg);
    if (msg.message != WM_KEYDOWN)
        return false;
    if (msg.wParam == VK_TAB && IsKeyHeld(VK_CONTROL))
    {
        SwitchPage();
        return true;
    }
    return msg.hwnd == GetSearchBox() && OnSearchKey(msg.wParam);
}

bool CMainWindowInput::OnSearchKey(WPARAM key)
{
    const bool elevated = IsKeyHeld(VK_CONTROL) && IsKeyHeld(VK_SHIFT);
    switch (key)
    {
    case VK_RETURN:
        ActOnMatch(elevated ? Action::RunAsAdministrator : Action::Launch);
        return true;
    case 'E':
        if (!elevated)
            return false;
        ActOnMatch(Action::ShowInFolder);
        return true;
    case VK_DOWN:
        MoveCurrentMatch(1);
        return true;
    case VK_UP:
        MoveCurrentMatch(-1);
        return true;
    case VK_ESCAPE:
        OnEscape();
        return true;
    default:
        return false;
    }
}

// Both directions meet the other page: there are two.
void CMainWindowInput::SwitchPage()
{
    m_mainWnd.GetTabControl().Select(m_mainWnd.GetCurrentPage() == 0 ? 1 : 0);
}

// The wheel turns the page or pane under the pointer, wherever the focus is; elsewhere in
// the window, the visible page.
bool CMainWindowInput::RouteWheel(const MSG& msg) const
{
    const POINT point = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    CPageWindow* target = nullptr;
    for (HWND window = WindowFromPoint(point); window != nullptr && target == nullptr;
         window = GetParent(window))
        target = m_mainWnd.GetPageOfWindow(window);
    if (target == nullptr)
        target = m_mainWnd.GetPage(m_mainWnd.GetCurrentPage());
    if (target == nullptr)
        return false;
    SendMessageW(target->GetHwnd(), WM_MOUSEWHEEL, msg.wParam, msg.lParam);
    return true;
}

std::vector<CMainWindowInput::Match> CMainWindowInput::FindMatches() const
{
    std::vector<Match> matches;
    CCatalogue* catalogue = m_mainWnd.GetCatalogue();
    const std::wstring& needle = m_mainWnd.m_searchText;
    if (catalogue == nullptr || needle.empty())
        return matches;
    const CCategorizedList* lists[] = {
        &catalogue->GetList(static_cast<ListKind>(m_mainWnd.GetCurrentPage())),
        &catalogue->m_folders};
    // The layout keeps each list in the order of the screen: columns left to right, each
    // from the top.
    for (const CCategorizedList* list : lists)
        for (const auto& category : list->m_categories)
        {
            if (category->m_window == nullptr)
                continue;
            for (const auto& item : category->m_items)
                if (auto* row = dynamic_cast<CEntryItemWindow*>(item->m_window.get()))
                    if (IsHighlighted(item->GetName(), needle))
                        matches.push_back({row, list == &catalogue->m_folders});
        }
    return matches;
}

int CMainWindowInput::FindCurrent(const std::vector<Match>& matches, HWND current)
{
    for (size_t i = 0; i < matches.size(); ++i)
        if (matches[i].row->GetHwnd() == current)
            return static_cast<int>(i);
    return -1;
}

// From no current match Down takes the first and Up the last; both go round at the ends.
void CMainWindowInput::MoveCurrentMatch(int step)
{
    const std::vector<Match> matches = FindMatches();
    if (matches.empty())
        return;
    const int count = static_cast<int>(matches.size());
    const int current = FindCurrent(matches, m_mainWnd.m_currentMatch);
    const int next = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
    SetCurrentMatch(matches[next].row->GetHwnd());
}

void CMainWindowInput::SetCurrentMatch(HWND row)
{
    Repaint(m_mainWnd.m_currentMatch);
    m_mainWnd.m_currentMatch = row;
    if (CPageWindow* page = m_mainWnd.GetPageOfWindow(GetParent(row)))
        page->ScrollIntoView(row);
    Repaint(row);
}

void CMainWindowInput::ActOnMatch(Action action)
{
    const std::vector<Match> matches = FindMatches();
    if (matches.empty())
    {
        BeepRefusal();
        return;
    }
    const int current = FindCurrent(matches, m_mainWnd.m_currentMatch);
    const Match& match = matches[current < 0 ? 0 : current];
    const CListItem& entry = match.row->GetEntry();
    switch (action)
    {
    case Action::Launch:
        match.row->LaunchAsClicked();
        break;
    case Action::RunAsAdministrator:
        LaunchPathAsAdministrator(entry.GetPath(), entry.GetStartIn(), entry.GetArguments());
        break;
    case Action::ShowInFolder:
        ShowInFolder(entry.GetPath(), match.folder);
        break;
    }
}

void CMainWindowInput::OnEscape()
{
    if (!m_mainWnd.m_searchText.empty())
    {
        // The box reports the change, which clears the highlight and the current match.
        SetWindowTextW(GetSearchBox(), L"");
        return;
    }
    // As the minimise box does: the window goes to the tray.
    SendMessageW(m_mainWnd.GetHwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

bool CMainWindowInput::IsInMainWindow(HWND window) const
{
    const HWND main = m_mainWnd.GetHwnd();
    return window != nullptr && (window == main || IsChild(main, window));
}

HWND CMainWindowInput::GetSearchBox() const
{
    const CShortcutsToolbar* toolbar = m_mainWnd.GetToolbar();
    return toolbar ? toolbar->m_searchEdit.GetHwnd() : nullptr;
}
