#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CFolderItem;

// The row of one folder: the folder's shell icon, its name with the search text
// highlighted, underlined while hovered, and its path as the tooltip; a click opens it.
class CFolderItemWindow : public CListItemWindow
{
public:
    CFolderItemWindow(CFolderItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;

    // Carries out a command of the row's menu; the row may be gone afterwards.
    void RunMenuCommand(UINT command);

    CFolderItem* m_item;
    CScopedGdiObject<HFONT> m_font;
    CScopedGdiObject<HFONT> m_linkFont;
    CScopedIcon m_fileIcon;
    std::wstring m_tipBuffer;

private:
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnListItemClick();

    void FetchFileIcon();
    int DrawIcon(HDC dc) const;
};
