#pragma once

#include "views/EntryItemWindow.h"

class CApplicationItem;

// The row of one application: a ball that shows whether the program runs (a click on it
// closes a running program), the shell icon, the hotkey marker and the name with the search
// text highlighted, underlined while hovered; a click elsewhere launches it.
class CApplicationItemWindow : public CEntryItemWindow
{
public:
    explicit CApplicationItemWindow(CApplicationItem* item);

    // Client point on the state ball (edges included).
    static bool IsOnBall(POINT point);
    // "&Close" can be chosen only while the program runs; it never looks greyed.
    static void PrepareContextMenu(HMENU popup, bool running);
    // "&Close" besides the commands of every row; the row may be gone afterwards.
    void RunMenuCommand(UINT command) override;

    // Launches the entry, then hides the main window when the option asks for it.
    static void LaunchAndHide(const CApplicationItem& item);

    CApplicationItem* m_item;

    CListItem& GetEntry() const override;
    void LaunchAsClicked() override;

protected:
    // The state ball, then the shell icon.
    int DrawIcons(HDC dc) const override;
    // The menu offers "&Close" only while the program runs.
    LRESULT OnRButtonDown(LPARAM lParam) override;
    // A click on the ball of a running program closes it.
    LRESULT OnListItemClick(LPARAM lParam) override;
};
