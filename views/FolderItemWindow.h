#pragma once

#include "views/EntryItemWindow.h"

class CFolderItem;

// The row of one folder: the folder's shell icon, its name with the search text
// highlighted, underlined while hovered, and its path as the tooltip; a click opens it.
class CFolderItemWindow : public CEntryItemWindow
{
public:
    CFolderItemWindow(CFolderItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;

    // Carries out a command of the row's menu; the row may be gone afterwards.
    void RunMenuCommand(UINT command);

    CFolderItem* m_item;

    CListItem& GetEntry() const override;
    void LaunchAsClicked() override;

protected:
    int DrawIcons(HDC dc) const override;
    std::wstring GetTipText() const override;

private:
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnListItemClick();
};
