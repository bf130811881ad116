#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "views/ListItemWindow.h"

class CCategory;

// A catalogue entry. Its category owns it; it owns the row window that shows it.
class CListItem
{
public:
    CListItem(const std::wstring& name, CCategory* category);
    CListItem(const CListItem&) = delete;
    CListItem& operator=(const CListItem&) = delete;
    virtual ~CListItem();

    // A copy in the same category, not yet in its item vector and not registered for a
    // hotkey; its window is a sibling of this item's window.
    virtual std::unique_ptr<CListItem> Clone() const = 0;
    // Takes over the other item's values, registers the hotkey again and re-sorts.
    virtual void CopyFrom(const CListItem& other) = 0;
    virtual std::wstring GetPath() const = 0;
    virtual std::wstring GetArguments() const = 0;
    virtual std::wstring GetStartIn() const = 0;
    // Shell-link hotkey word: low byte the virtual key, high byte the HOTKEYF flags.
    virtual WORD GetHotKey() const = 0;
    virtual void SetHotKey(WORD hotKey) = 0;
    virtual bool RegisterItemHotKey() = 0;
    // The hotkey is registered and works; false also for an item without one.
    virtual bool HasActiveHotKey() const;
    // Creates the row window as a child of parent (nothing for a null parent) and
    // replaces any window the item had; hidden until the next layout, or shown at
    // shownAt when that is given.
    virtual void CreateItemWindow(HWND parent, const POINT* shownAt = nullptr);

    std::wstring GetName() const { return m_name; }
    // Counts the edits that changed the path, so a row can tell its icon is out of date
    // without a copy of the path.
    unsigned GetPathRevision() const { return m_pathRevision; }

    std::wstring m_name;
    std::unique_ptr<CListItemWindow> m_window;
    CCategory* m_category;

protected:
    void ReplaceWindow(std::unique_ptr<CListItemWindow> window, HWND parent, const POINT* shownAt);
    // The parent of this item's window, the parent for a clone's window.
    HWND GetWindowParent() const;
    // Sets the item's path field to path, counting the change when there is one.
    void AssignPath(std::wstring& field, const std::wstring& path);

private:
    unsigned m_pathRevision = 0;
};
