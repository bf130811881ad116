#include "catalogue/Catalogue.h"

#include "app/MainWnd.h"
#include "app/PageWindow.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/LaunchItem.h"
#include "catalogue/NameOrder.h"
#include "catalogue/ShortcutItem.h"
#include "dialogs/AddCategoryDialog.h"
#include "dialogs/EditItemDialog.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"

#include <algorithm>

namespace
{
HWND HotKeyWindow()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return mainWnd ? mainWnd->GetHwnd() : nullptr;
}

void (*g_changeHook)() = nullptr;

// Every change ends here, once: the main window lays the pages out and stores the
// catalogue.
void NotifyCatalogueChanged()
{
    if (g_changeHook)
        g_changeHook();
    if (CMainWnd* mainWnd = CMainWnd::Instance())
        mainWnd->OnCatalogueChanged();
}

// The page or pane that holds a new window gives it its tooltip.
void AddWindowTool(CListItemWindow* window)
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    if (!mainWnd || !window)
        return;
    if (CPageWindow* page = mainWnd->GetPageOfWindow(GetParent(window->GetHwnd())))
        page->AddEntryTool(*window);
}

void ShowCategoryExists(HWND owner)
{
    MessageBoxW(owner, LoadResString(IDS_CATEGORY_EXISTS).c_str(), nullptr, MB_ICONWARNING);
}

void ShowItemExists(HWND owner)
{
    MessageBoxW(owner, LoadResString(IDS_ITEM_EXISTS).c_str(), nullptr, MB_ICONWARNING);
}

UINT HotKeyModifiers(WORD hotKey)
{
    const BYTE flags = HIBYTE(hotKey);
    UINT modifiers = 0;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;
}

BOOL RegisterCombination(HWND window, int id, WORD hotKey)
{
    return RegisterHotKey(window, id, HotKeyModifiers(hotKey), LOBYTE(hotKey));
}

// Applications and shortcuts: the entries that can carry a hotkey.
template <typename TVisit> void ForEachLaunchItem(CCatalogue& catalogue, TVisit visit)
{
    for (const CCategorizedList* list : {static_cast<CCategorizedList*>(&catalogue.m_applications),
                                         static_cast<CCategorizedList*>(&catalogue.m_shortcuts)})
    {
        for (const auto& category : list->m_categories)
        {
            for (const auto& item : category->m_items)
            {
                if (const auto* entry = dynamic_cast<const CLaunchItem*>(item.get()))
                    visit(*entry);
            }
        }
    }
}

// TItem is the one item class the list holds. -1 marks the entries without a
// registration, so it names none of them.
template <typename TItem> TItem* FindByHotKeyId(const CCategorizedList& list, int id)
{
    if (id == -1)
        return nullptr;
    for (const auto& category : list.m_categories)
    {
        for (const auto& item : category->m_items)
        {
            auto* entry = dynamic_cast<TItem*>(item.get());
            if (entry && entry->m_hotKeyId == id)
                return entry;
        }
    }
    return nullptr;
}
} // namespace

CCatalogue::CCatalogue() : m_itemEditor(std::make_unique<CEditItemDialog>()) {}

CCatalogue::~CCatalogue() = default;

CCategorizedList& CCatalogue::GetList(ListKind kind)
{
    switch (kind)
    {
    case ListKind::Shortcuts:
        return m_shortcuts;
    case ListKind::Folders:
        return m_folders;
    default:
        return m_applications;
    }
}

void CCatalogue::GetCategoryNames(ListKind kind, std::vector<std::wstring>& names)
{
    for (const auto& category : GetList(kind).m_categories)
        names.push_back(category->m_name);
}

bool CCatalogue::ItemNameExists(ListKind kind, const std::wstring& categoryName,
                                const std::wstring& itemName)
{
    const CCategory* category = GetList(kind).FindCategory(categoryName);
    return category && category->HasItem(itemName);
}

void CCatalogue::AddCategoryWithDialog(HWND owner, ListKind kind)
{
    CAddCategoryDialog dialog;
    if (dialog.DoModal(owner, L"", false) != IDOK || RefuseUnstorableName(owner, dialog.m_name))
        return;
    CCategorizedList& list = GetList(kind);
    if (list.FindCategoryIndex(dialog.m_name) != -1)
    {
        ShowCategoryExists(owner);
        return;
    }
    CCategory* added = list.AddCategory(dialog.m_name);
    if (!added)
        return;
    AddWindowTool(added->m_window.get());
    NotifyCatalogueChanged();
}

void CCatalogue::EditCategoryWithDialog(HWND owner, ListKind kind, CCategory& category)
{
    CAddCategoryDialog dialog;
    if (dialog.DoModal(owner, category.m_name, true) != IDOK ||
        RefuseUnstorableName(owner, dialog.m_name))
        return;
    if (!NamesEqual(dialog.m_name, category.m_name) &&
        GetList(kind).FindCategoryIndex(dialog.m_name) != -1)
    {
        ShowCategoryExists(owner);
        return;
    }
    category.m_name = dialog.m_name;
    if (category.m_window)
        InvalidateRect(category.m_window->GetHwnd(), nullptr, FALSE);
    NotifyCatalogueChanged();
}

void CCatalogue::DeleteCategoryWithPrompt(ListKind kind, const std::wstring& categoryName,
                                          HWND owner)
{
    if (MessageBoxW(owner, LoadResString(IDS_DELETE_CATEGORY_PROMPT).c_str(), nullptr,
                    MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    GetList(kind).DeleteCategory(categoryName);
    NotifyCatalogueChanged();
}

void CCatalogue::AddItemWithDialog(const std::wstring& categoryName, HWND owner, ListKind kind)
{
    CEditItemDialog& editor = *m_itemEditor;
    if (editor.DoModal(kind, owner, std::nullopt, categoryName) != IDOK || !editor.m_item)
        return;
    const CCategory* category = editor.m_item->m_category;
    if (!category->m_window)
        return;
    AddItemIfUnique(owner, std::move(editor.m_item), kind);
}

void CCatalogue::EditItemWithDialog(HWND owner, ListKind kind, CListItem& item)
{
    CEditItemDialog editor;
    CCategory* oldCategory = item.m_category;
    if (editor.DoModal(kind, owner, item.m_name, oldCategory->m_name, item.GetPath(),
                       item.GetArguments(), item.GetStartIn(), item.GetHotKey()) != IDOK ||
        !editor.m_item || RefuseUnstorableName(owner, editor.m_name))
        return;
    const bool nameChanged = !NamesEqual(editor.m_name, item.m_name);
    const bool categoryChanged = !NamesEqual(editor.m_group, oldCategory->m_name);
    if ((nameChanged || categoryChanged) && editor.m_item->m_category->HasItem(editor.m_name))
    {
        ShowItemExists(owner);
        return;
    }
    if (!categoryChanged)
    {
        item.CopyFrom(*editor.m_item);
        NotifyCatalogueChanged();
        return;
    }
    MoveItem(owner, item, std::move(editor.m_item));
}

bool CCatalogue::MoveItem(HWND owner, CListItem& item, std::unique_ptr<CListItem> moved)
{
    CCategory* target = moved->m_category;
    if (!target || RefuseUnstorableName(owner, moved->m_name))
        return false;
    if (target->HasItem(moved->m_name))
    {
        ShowItemExists(owner);
        return false;
    }
    CListItem* added = moved.get();
    if (!target->InsertItem(std::move(moved)))
        return false;
    // The name goes with the item; keep a copy for the look-up that deletes it.
    const std::wstring oldName = item.m_name;
    item.m_category->DeleteItem(oldName);
    // The old entry held the combination until now: only now can the moved one have it.
    added->RegisterItemHotKey();
    NotifyCatalogueChanged();
    AddWindowTool(added->m_window.get());
    return true;
}

bool CCatalogue::AddItemIfUnique(HWND owner, std::unique_ptr<CListItem> item, ListKind kind)
{
    CCategory* category = item->m_category;
    if (!category || RefuseUnstorableName(owner, item->m_name))
        return false;
    if (ItemNameExists(kind, category->m_name, item->m_name))
    {
        ShowItemExists(owner);
        return false;
    }
    const CListItem* added = item.get();
    if (!category->InsertItem(std::move(item)))
        return false;
    NotifyCatalogueChanged();
    AddWindowTool(added->m_window.get());
    return true;
}

void CCatalogue::RemoveItem(CListItem& item)
{
    // The name goes with the item; keep a copy for the look-up that deletes it.
    const std::wstring name = item.m_name;
    item.m_category->DeleteItem(name);
    NotifyCatalogueChanged();
}

int CCatalogue::RegisterCatalogueHotKey(WORD hotKey)
{
    ++m_lastHotKeyId;
    if (!RegisterHotKey(HotKeyWindow(), m_lastHotKeyId, HotKeyModifiers(hotKey), LOBYTE(hotKey)))
        return -1;
    return m_lastHotKeyId;
}

void CCatalogue::RegisterListHotKeys(CCategorizedList& list)
{
    for (const auto& category : list.m_categories)
    {
        for (const auto& item : category->m_items)
            item->RegisterItemHotKey();
    }
}

CApplicationItem* CCatalogue::FindApplicationByHotKeyId(int id)
{
    return FindByHotKeyId<CApplicationItem>(m_applications, id);
}

CShortcutItem* CCatalogue::FindShortcutByHotKeyId(int id)
{
    return FindByHotKeyId<CShortcutItem>(m_shortcuts, id);
}

bool CCatalogue::LaunchApplicationByHotKeyId(int id)
{
    const CApplicationItem* item = FindApplicationByHotKeyId(id);
    if (!item)
        return false;
    item->Launch();
    return true;
}

bool CCatalogue::LaunchShortcutByHotKeyId(int id)
{
    const CShortcutItem* item = FindShortcutByHotKeyId(id);
    if (!item)
        return false;
    item->Launch();
    return true;
}

void CCatalogue::SetChangeHook(void (*hook)())
{
    g_changeHook = hook;
}

bool CCatalogue::RefuseUnstorableName(HWND owner, const std::wstring& name)
{
    const UINT refusal = NameRefusal(name);
    if (refusal == 0)
        return false;
    MessageBoxW(owner, LoadResString(refusal).c_str(), nullptr, MB_ICONWARNING);
    return true;
}

void CCatalogue::SuspendHotKeys()
{
    if (m_hotKeysSuspended)
        return;
    size_t count = 0;
    ForEachLaunchItem(*this, [&count](const CLaunchItem&) { ++count; });
    // Room first: a registration taken back must not lose the id it is resumed under.
    m_suspendedHotKeyIds.clear();
    m_suspendedHotKeyIds.reserve(count);
    const HWND window = HotKeyWindow();
    ForEachLaunchItem(*this,
                      [this, window](const CLaunchItem& item)
                      {
                          if (item.m_hotKeyId != -1 && UnregisterHotKey(window, item.m_hotKeyId))
                              m_suspendedHotKeyIds.push_back(item.m_hotKeyId);
                      });
    m_hotKeysSuspended = true;
}

bool CCatalogue::ResumeHotKeys()
{
    if (!m_hotKeysSuspended)
        return true;
    m_hotKeysSuspended = false;
    bool resumed = true;
    const HWND window = HotKeyWindow();
    // An entry registered again or deleted meanwhile no longer carries its old id.
    ForEachLaunchItem(*this,
                      [this, window, &resumed](const CLaunchItem& item)
                      {
                          const auto& ids = m_suspendedHotKeyIds;
                          if (std::find(ids.begin(), ids.end(), item.m_hotKeyId) != ids.end())
                              resumed &= RegisterCombination(window, item.m_hotKeyId,
                                                             item.m_hotKey) != FALSE;
                      });
    m_suspendedHotKeyIds.clear();
    return resumed;
}

CCatalogue* CCatalogue::Current()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return mainWnd ? mainWnd->GetCatalogue() : nullptr;
}

bool CCatalogue::RenewItemHotKey(WORD hotKey, int& hotKeyId)
{
    EndItemHotKey(hotKeyId);
    if (hotKey == 0)
        return true;
    CCatalogue* catalogue = Current();
    if (!catalogue)
        return false;
    hotKeyId = catalogue->RegisterCatalogueHotKey(hotKey);
    return hotKeyId != -1;
}

void CCatalogue::EndItemHotKey(int& hotKeyId)
{
    if (hotKeyId == -1)
        return;
    UnregisterHotKey(HotKeyWindow(), hotKeyId);
    hotKeyId = -1;
}
