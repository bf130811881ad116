// The dialog flows that change the catalogue: each asks the user, refuses with a
// message what the catalogue cannot take, and hands the change to the catalogue.

#include "app/CatalogueDialogs.h"

#include "catalogue/Catalogue.h"
#include "catalogue/HotKeyRules.h"
#include "catalogue/NameOrder.h"
#include "dialogs/AddCategoryDialog.h"
#include "dialogs/EditItemDialog.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"

namespace
{
void ShowCategoryExists(HWND owner)
{
    MessageBoxW(owner, LoadResString(IDS_CATEGORY_EXISTS).c_str(), nullptr, MB_ICONWARNING);
}
} // namespace

CCatalogueDialogs::CCatalogueDialogs(CCatalogue& catalogue)
    : m_catalogue(catalogue), m_itemEditor(std::make_unique<CEditItemDialog>())
{
}

CCatalogueDialogs::~CCatalogueDialogs() = default;

// The editor's check at OK, for the entry edited (null for a new one).
void CCatalogueDialogs::GuardHotKey(CEditItemDialog& editor, const CListItem* self)
{
    editor.m_refuseHotKey = [this, self](HWND dialog, WORD hotKey)
    { return m_catalogue.RefuseHeldHotKey(dialog, hotKey, self); };
}

void CCatalogueDialogs::AddCategory(HWND owner, ListKind kind)
{
    CAddCategoryDialog dialog;
    if (dialog.DoModal(owner, L"", false) != IDOK ||
        CCatalogue::RefuseUnstorableName(owner, dialog.m_name))
        return;
    CCategorizedList& list = m_catalogue.GetList(kind);
    if (list.FindCategoryIndex(dialog.m_name) != -1)
    {
        ShowCategoryExists(owner);
        return;
    }
    m_catalogue.AddCategory(kind, dialog.m_name);
}

void CCatalogueDialogs::EditCategory(HWND owner, ListKind kind, CCategory& category)
{
    CAddCategoryDialog dialog;
    if (dialog.DoModal(owner, category.m_name, true) != IDOK ||
        CCatalogue::RefuseUnstorableName(owner, dialog.m_name))
        return;
    if (!NamesEqual(dialog.m_name, category.m_name) &&
        m_catalogue.GetList(kind).FindCategoryIndex(dialog.m_name) != -1)
    {
        ShowCategoryExists(owner);
        return;
    }
    m_catalogue.RenameCategory(kind, category, dialog.m_name);
}

void CCatalogueDialogs::DeleteCategory(HWND owner, ListKind kind, const std::wstring& categoryName)
{
    if (MessageBoxW(owner, LoadResString(IDS_DELETE_CATEGORY_PROMPT).c_str(), nullptr,
                    MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    m_catalogue.DeleteCategory(kind, categoryName);
}

void CCatalogueDialogs::AddItem(HWND owner, ListKind kind, const std::wstring& categoryName)
{
    CEditItemDialog& editor = *m_itemEditor;
    GuardHotKey(editor, nullptr);
    if (editor.DoModal(kind, owner, std::nullopt, categoryName) != IDOK || !editor.m_item)
        return;
    const CCategory* category = editor.m_item->m_category;
    if (!category->m_window)
        return;
    const CListItem* added = editor.m_item.get();
    if (m_catalogue.AddItemIfUnique(owner, std::move(editor.m_item), kind))
        CCatalogue::TellIfHotKeyInactive(owner, *added);
}

void CCatalogueDialogs::EditItem(HWND owner, ListKind kind, CListItem& item)
{
    CEditItemDialog editor;
    GuardHotKey(editor, &item);
    CCategory* oldCategory = item.m_category;
    // Only a new combination that does not work is worth a message; the row shows the old.
    const WORD oldHotKey = item.GetHotKey();
    if (editor.DoModal(kind, owner, item.m_name, oldCategory->m_name, item.GetPath(),
                       item.GetArguments(), item.GetStartIn(), item.GetHotKey()) != IDOK ||
        !editor.m_item || CCatalogue::RefuseUnstorableName(owner, editor.m_name))
        return;
    const bool nameChanged = !NamesEqual(editor.m_name, item.m_name);
    const bool categoryChanged = !NamesEqual(editor.m_group, oldCategory->m_name);
    const bool newHotKey = !SameCombination(editor.m_hotKey, oldHotKey);
    if ((nameChanged || categoryChanged) && editor.m_item->m_category->HasItem(editor.m_name))
    {
        CCatalogue::TellItemExists(owner);
        return;
    }
    if (!categoryChanged)
    {
        m_catalogue.ChangeItem(item, *editor.m_item);
        if (newHotKey)
            CCatalogue::TellIfHotKeyInactive(owner, item);
        return;
    }
    const CListItem* moved = editor.m_item.get();
    if (m_catalogue.MoveItem(owner, item, std::move(editor.m_item)) && newHotKey)
        CCatalogue::TellIfHotKeyInactive(owner, *moved);
}
