#pragma once

#include "views/EntryItemWindow.h"

class CShortcutItem;

// The row of one shortcut: the shell icon of its file, the hotkey marker and the name with
// the search text highlighted, underlined while hovered; a click opens the file.
class CShortcutItemWindow : public CEntryItemWindow
{
public:
    CShortcutItemWindow(CShortcutItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Carries out a command of the row's menu; the row may be gone afterwards.
    void RunMenuCommand(UINT command);

    CShortcutItem* m_item;

    CListItem& GetEntry() const override;
    void LaunchAsClicked() override;

protected:
    int DrawIcons(HDC dc) const override;

private:
    void FetchOwnIcon();
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnListItemClick();
};
