#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CShortcutItem;

// The row of one shortcut: its name with the search text highlighted, underlined while
// hovered; a click opens it.
class CShortcutItemWindow : public CListItemWindow
{
public:
    CShortcutItemWindow(CShortcutItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;

    CShortcutItem* m_item;
    CScopedGdiObject<HFONT> m_font;
    CScopedGdiObject<HFONT> m_linkFont;
    // The name ran past the right edge at the last paint; only then is there a tooltip.
    bool m_truncated = false;
    std::wstring m_tipBuffer;

private:
    LRESULT OnPaint();
    LRESULT OnListItemClick();
};
