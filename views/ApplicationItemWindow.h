#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CApplicationItem;

// The row of one application: a ball that shows whether the program runs (a click on it
// closes a running program), the shell icon, the hotkey marker and the name with the search
// text highlighted, underlined while hovered; a click elsewhere launches it.
class CApplicationItemWindow : public CListItemWindow
{
public:
    CApplicationItemWindow(CApplicationItem* item, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;

    // Client point on the state ball (edges included).
    static bool IsOnBall(POINT point);
    // "&Close" can be chosen only while the program runs; it never looks greyed.
    static void PrepareContextMenu(HMENU popup, bool running);
    // Carries out a command of the row's menu; the row may be gone afterwards.
    void RunMenuCommand(UINT command);

    // Launches the entry, then hides the main window when the option asks for it.
    static void LaunchAndHide(const CApplicationItem& item);

    CScopedIcon m_fileIcon;
    CApplicationItem* m_item;
    CScopedGdiObject<HFONT> m_font;
    CScopedGdiObject<HFONT> m_linkFont;
    // The name ran past the right limit at the last paint; only then is there a tooltip.
    bool m_truncated = false;
    std::wstring m_tipBuffer;

private:
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnListItemClick(LPARAM lParam);

    int DrawIcons(HDC dc, const RECT& client) const;
};
