#include "catalogue/Catalogue.h"

#include "app/MainWnd.h"

#include "catalogue/CatalogueListener.h"
#include "catalogue/EntryKind.h"
#include "catalogue/HotKeyRules.h"
#include "catalogue/NameOrder.h"
#include "store/CatalogueChange.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"

namespace
{
void (*g_changeHook)(const CatalogueChange&) = nullptr;

CatalogueChange Removal(ListKind kind, const std::wstring& category,
                        const std::wstring& item = std::wstring())
{
    CatalogueChange change;
    change.removed.push_back({kind, category, item});
    return change;
}

// The entry written into its category, after whatever the change removes.
CatalogueChange& Writing(CatalogueChange& change, ListKind kind, const CListItem& item)
{
    change.written.push_back({kind, {item.m_category->m_name, {StoredItemOf(item)}}});
    return change;
}

} // namespace

CCatalogue::CCatalogue() = default;

CCatalogue::~CCatalogue() = default;

CCategorizedList& CCatalogue::GetList(ListKind kind)
{
    return ::KindOf(kind).listOf(*this);
}

const CCategorizedList& CCatalogue::GetList(ListKind kind) const
{
    return const_cast<CCatalogue&>(*this).GetList(kind);
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

CCategory* CCatalogue::AddCategory(ListKind kind, const std::wstring& name)
{
    CCategory* added = GetList(kind).AddCategory(name);
    if (!added)
        return nullptr;
    CatalogueChange change;
    change.written.push_back({kind, {added->m_name, {}}});
    Notify(change);
    TellRowCreated(added->m_window.get());
    return added;
}

void CCatalogue::RenameCategory(ListKind kind, CCategory& category, const std::wstring& name)
{
    CatalogueChange change = Removal(kind, category.m_name);
    category.m_name = name;
    if (category.m_window)
        InvalidateRect(category.m_window->GetHwnd(), nullptr, FALSE);
    change.written.push_back({kind, StoredCategoryOf(category)});
    Notify(change);
}

void CCatalogue::DeleteCategory(ListKind kind, const std::wstring& categoryName)
{
    const CCategory* category = GetList(kind).FindCategory(categoryName);
    if (!category)
        return;
    // The stored key carries the name as the category does, whatever the letter case asked.
    const CatalogueChange change = Removal(kind, category->m_name);
    GetList(kind).DeleteCategory(categoryName);
    Notify(change);
}

void CCatalogue::ChangeItem(CListItem& item, const CListItem& values)
{
    const std::optional<ListKind> kind = KindOf(item.m_category);
    // A key of another letter case keeps its own: a renamed entry's is made anew.
    CatalogueChange change = item.m_name == values.GetName() || !kind
                                 ? CatalogueChange()
                                 : Removal(*kind, item.m_category->m_name, item.m_name);
    item.CopyFrom(values);
    if (kind)
        Writing(change, *kind, item);
    Notify(change);
}

bool CCatalogue::MoveItem(HWND owner, CListItem& item, std::unique_ptr<CListItem> moved)
{
    CCategory* target = moved->m_category;
    if (!target || RefuseUnstorableName(owner, moved->m_name))
        return false;
    if (target->HasItem(moved->m_name))
    {
        TellItemExists(owner);
        return false;
    }
    CListItem* added = moved.get();
    if (!target->InsertItem(std::move(moved)))
        return false;
    const std::optional<ListKind> kind = KindOf(target);
    CatalogueChange change;
    if (kind)
    {
        change = Removal(*kind, item.m_category->m_name, item.m_name);
        Writing(change, *kind, *added);
    }
    // The name goes with the item; keep a copy for the look-up that deletes it.
    const std::wstring oldName = item.m_name;
    item.m_category->DeleteItem(oldName);
    // The old entry held the combination until now: only now can the moved one have it.
    added->RegisterItemHotKey();
    Notify(change);
    TellRowCreated(added->m_window.get());
    return true;
}

bool CCatalogue::AddItemIfUnique(HWND owner, std::unique_ptr<CListItem> item, ListKind kind)
{
    CCategory* category = item->m_category;
    if (!category || RefuseUnstorableName(owner, item->m_name))
        return false;
    if (ItemNameExists(kind, category->m_name, item->m_name))
    {
        TellItemExists(owner);
        return false;
    }
    const CListItem* added = item.get();
    if (!category->InsertItem(std::move(item)))
        return false;
    CatalogueChange change;
    if (const std::optional<ListKind> listKind = KindOf(category))
        Writing(change, *listKind, *added);
    Notify(change);
    TellRowCreated(added->m_window.get());
    return true;
}

void CCatalogue::RemoveItem(CListItem& item)
{
    // The name goes with the item; keep a copy for the look-up that deletes it.
    const std::wstring name = item.m_name;
    const std::optional<ListKind> kind = KindOf(item.m_category);
    const CatalogueChange change =
        kind ? Removal(*kind, item.m_category->m_name, name) : CatalogueChange();
    item.m_category->DeleteItem(name);
    Notify(change);
}

void CCatalogue::NotifyWholeChange()
{
    CatalogueChange change;
    change.whole = true;
    Notify(change);
}

std::optional<ListKind> CCatalogue::KindOf(const CCategory* category) const
{
    for (size_t index = 0; index < EntryKindCount; ++index)
    {
        const auto kind = static_cast<ListKind>(index);
        for (const auto& held : GetList(kind).m_categories)
            if (held.get() == category)
                return kind;
    }
    return std::nullopt;
}

// Every change ends here, once: the listener (the main window) lays the pages out and
// stores what changed.
void CCatalogue::Notify(const CatalogueChange& change)
{
    if (g_changeHook)
        g_changeHook(change);
    if (m_listener)
        m_listener->OnCatalogueChanged(change);
}

void CCatalogue::TellRowCreated(CListItemWindow* window)
{
    if (m_listener && window)
        m_listener->OnRowCreated(*window);
}

void CCatalogue::TellItemExists(HWND owner)
{
    MessageBoxW(owner, LoadResString(IDS_ITEM_EXISTS).c_str(), nullptr, MB_ICONWARNING);
}

void CCatalogue::SetChangeHook(void (*hook)(const CatalogueChange&))
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

CCatalogue* CCatalogue::Current()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return mainWnd ? mainWnd->GetCatalogue() : nullptr;
}
