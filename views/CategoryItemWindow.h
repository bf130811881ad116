#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CCategory;
class CListItem;
enum class ListKind : int;

// The header row of one category: its name in bold on the header tiles, cut with an
// ellipsis when too long, the whole name then in the tooltip.
class CCategoryItemWindow : public CListItemWindow
{
public:
    CCategoryItemWindow(CCategory* category, HBITMAP background);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;

    void PaintHeader();
    // The category menu's "&Edit" and "&Delete"; after a delete the header is gone.
    void RenameWithDialog(ListKind kind);
    void DeleteWithPrompt(ListKind kind);

    CCategory* m_category;
    CScopedGdiObject<HFONT> m_font;
    bool m_truncated = false;

protected:
    // A row can be dropped here: the hand cursor, and 1.
    LRESULT AcceptDragCursor() const;
    // Moves the entry into this category under the same name, taking its hotkey along;
    // refused with a message when the name is taken here, its own category included.
    void MoveItemHere(CListItem& item, ListKind kind);

private:
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnDropFiles(WPARAM wParam);
};
