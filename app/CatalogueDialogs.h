#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CCatalogue;
class CCategory;
class CEditItemDialog;
class CListItem;
enum class ListKind : int;

// The dialogs through which the user changes the catalogue.
class CCatalogueDialogs
{
public:
    explicit CCatalogueDialogs(CCatalogue& catalogue);
    ~CCatalogueDialogs();
    CCatalogueDialogs(const CCatalogueDialogs&) = delete;
    CCatalogueDialogs& operator=(const CCatalogueDialogs&) = delete;

    // Asks for a new category's name and adds it, or refuses a name the list has
    // whatever its letter case.
    void AddCategory(HWND owner, ListKind kind);
    // Renames the category; a change of letter case only is always accepted.
    void EditCategory(HWND owner, ListKind kind, CCategory& category);
    // Deletes the category with its entries once the user agrees.
    void DeleteCategory(HWND owner, ListKind kind, const std::wstring& categoryName);
    // Runs the shared item editor for a new entry, preselecting the category when the
    // name is not empty, and adds the entry unless its name is taken in its category.
    void AddItem(HWND owner, ListKind kind, const std::wstring& categoryName);
    // Runs a fresh item editor on the entry; a changed name or category must be free in
    // the target category. A move keeps the hotkey. The entry may be gone afterwards.
    void EditItem(HWND owner, ListKind kind, CListItem& item);

private:
    void GuardHotKey(CEditItemDialog& editor, const CListItem* self);

    CCatalogue& m_catalogue;
    // Shared by every new entry, so that it remembers its last category.
    std::unique_ptr<CEditItemDialog> m_itemEditor;
};
