#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CFolderItem;

// The row of one folder: its name with the search text highlighted, underlined while
// hovered, its path as the tooltip; a click opens it.
class CFolderItemWindow : public CListItemWindow
{
public:
    CFolderItemWindow(CFolderItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;

    CFolderItem* m_item;
    CScopedGdiObject<HFONT> m_font;
    CScopedGdiObject<HFONT> m_linkFont;
    std::wstring m_tipBuffer;

private:
    LRESULT OnPaint();
    LRESULT OnListItemClick();
};
