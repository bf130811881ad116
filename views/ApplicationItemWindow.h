#pragma once

#include "views/EntryItemWindow.h"

class CApplicationItem;

// The row of one application: a ball that shows whether the program runs (a click on it
// closes a running program), the shell icon, the hotkey marker and the name with the search
// text highlighted, underlined while hovered; a click elsewhere launches it.
class CApplicationItemWindow : public CEntryItemWindow
{
public:
    CApplicationItemWindow(CApplicationItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Client point on the state ball (edges included).
    static bool IsOnBall(POINT point);
    // "&Close" can be chosen only while the program runs; it never looks greyed.
    static void PrepareContextMenu(HMENU popup, bool running);
    // Carries out a command of the row's menu; the row may be gone afterwards.
    void RunMenuCommand(UINT command);

    // Launches the entry, then hides the main window when the option asks for it.
    static void LaunchAndHide(const CApplicationItem& item);

    CApplicationItem* m_item;

    CListItem& GetEntry() const override;
    void LaunchAsClicked() override;

protected:
    int DrawIcons(HDC dc) const override;

private:
    void FetchOwnIcon();
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnListItemClick(LPARAM lParam);
};
