#pragma once

#include "toolkit/Scoped.h"
#include "views/ListItemWindow.h"

class CCategory;
class CListItem;
struct EntryFields;
struct EntryKind;
enum class ListKind : int;

#include <memory>
#include <string>

class CEntryItemWindow;

// The header row of one category: its name in bold on the header tiles, cut with an
// ellipsis when too long, the whole name then in the tooltip. A header of a list with a
// menu carries out the menu's commands, takes what the shell drops on it and the rows of
// its own kind dragged onto it.
class CCategoryItemWindow : public CListItemWindow
{
public:
    // kind: the entries' kind, whose menu the header shows and whose rows and files it
    // takes; null for a header that only paints.
    CCategoryItemWindow(CCategory* category, HBITMAP background, const EntryKind* kind = nullptr);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;
    std::wstring GetCatalogueName() const override;

    void PaintHeader();
    // Carries out a command of the category's menu; the header may be gone afterwards.
    void RunMenuCommand(UINT command);
    // The category menu's "&Edit" and "&Delete"; after a delete the header is gone.
    void RenameWithDialog(ListKind kind);
    void DeleteWithPrompt(ListKind kind);
    // One path dropped from the shell (only the first of a drop counts).
    virtual void AddDroppedFile(const std::wstring& path);

    CCategory* m_category;
    bool m_truncated = false;

protected:
    // Moves the entry into this category under the same name, taking its hotkey along;
    // refused with a message when the name is taken here, its own category included.
    void MoveItemHere(CListItem& item);

    // An entry of the header's kind in its category, with a row on the header's page.
    std::unique_ptr<CListItem> MakeEntry(const EntryFields& fields) const;
    // The kind's menu resource; 0 for a header without a menu, which takes no drops.
    UINT GetMenuId() const;
    ListKind GetKind() const;
    // A row of this header's own kind, which a drop moves here.
    bool IsOwnRow(const CEntryItemWindow& row) const;

private:
    const EntryKind* m_kind;

    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam);
    LRESULT OnListItemCanDrop() const;
    LRESULT OnListItemDrop(WPARAM wParam);

    // The menu's "&Launch all": every entry in the category's order, whatever runs
    // already or fails; one minimise at the end.
    void LaunchAll() const;
};
