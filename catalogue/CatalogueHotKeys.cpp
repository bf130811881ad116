// The hotkeys of the catalogue's entries and the show-window hotkey: registration in one
// order at every start, the checks that keep a combination with one holder, the retries of
// combinations that are not active, and the suspension while a hotkey field records keys.

#include "catalogue/Catalogue.h"

#include "app/MainWnd.h"
#include "catalogue/ApplicationItem.h"
#include "catalogue/HotKeyRules.h"
#include "catalogue/LaunchItem.h"
#include "catalogue/ShortcutItem.h"
#include "resources/resource.h"
#include "toolkit/Utilities.h"

#include <algorithm>

namespace
{
constexpr int ShowWindowHotKeyId = 0;

HWND HotKeyWindow()
{
    const CMainWnd* mainWnd = CMainWnd::Instance();
    return mainWnd ? mainWnd->GetHwnd() : nullptr;
}

// The lists of different classes as one type, to go through them in a loop.
const CCategorizedList* ListOf(const CCategorizedList& list)
{
    return &list;
}

bool HasInactiveHotKey(const CCategorizedList& list)
{
    for (const auto& category : list.m_categories)
        for (const auto& item : category->m_items)
            if (item->GetHotKey() != 0 && !item->HasActiveHotKey())
                return true;
    return false;
}

void ShowHotKeyWarning(HWND owner, const std::wstring& text)
{
    MessageBoxW(owner, text.c_str(), nullptr, MB_ICONWARNING);
}

// The holder in a message: the entry's name and category, or the show-window hotkey's
// own text.
std::wstring DescribeHolder(const HotKeyHolder& holder, UINT entryText, UINT showWindowText)
{
    if (!holder.entry)
        return LoadResString(showWindowText);
    const CCategory* category = holder.entry->m_category;
    return FormatResString(entryText, holder.entry->m_name,
                           category ? category->m_name : std::wstring());
}

bool RegisterCombination(HWND window, int id, WORD hotKey)
{
    return RegisterOnce(window, id, HotKeyModifiers(hotKey), LOBYTE(hotKey));
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

int CCatalogue::RegisterCatalogueHotKey(WORD hotKey)
{
    ++m_lastHotKeyId;
    if (!RegisterOnce(HotKeyWindow(), m_lastHotKeyId, HotKeyModifiers(hotKey), LOBYTE(hotKey)))
        return -1;
    return m_lastHotKeyId;
}

void CCatalogue::RegisterListHotKeys(CCategorizedList& list)
{
    const std::vector<CLaunchItem*> items = LaunchItemsInOrder(list);
    // All end first: an entry registered earlier must not keep a combination from the one
    // that comes before it.
    for (CLaunchItem* item : items)
        EndItemHotKey(item->m_hotKeyId);
    for (CLaunchItem* item : items)
        item->RegisterItemHotKey();
}

void CCatalogue::RegisterAllHotKeys()
{
    for (CLaunchItem* item : LaunchItemsInOrder(m_shortcuts))
        EndItemHotKey(item->m_hotKeyId);
    RegisterListHotKeys(m_applications);
    RegisterListHotKeys(m_shortcuts);
}

void CCatalogue::RetryInactiveHotKeys()
{
    // While a hotkey field has the focus the combinations must reach it.
    if (m_hotKeysSuspended)
        return;
    const ShowWindowHotKey showWindow = m_showWindowHotKey;
    if (showWindow.key != 0 && !showWindow.active)
        RegisterShowWindowHotKey(HotKeyWindow(), showWindow.modifiers, showWindow.key);
    for (const CCategorizedList* list : {ListOf(m_applications), ListOf(m_shortcuts)})
    {
        // Every tick comes here: a list whose hotkeys are all active is not sorted.
        if (!HasInactiveHotKey(*list))
            continue;
        for (CLaunchItem* item : LaunchItemsInOrder(*list))
        {
            if (item->m_hotKey == 0 || item->m_hotKeyId != -1 || !item->RegisterItemHotKey())
                continue;
            if (item->m_window)
                InvalidateRect(item->m_window->GetHwnd(), nullptr, FALSE);
        }
    }
}

// A registration names its holder first; of the words that wait for one, an entry's comes
// before the show-window hotkey's.
HotKeyHolder CCatalogue::FindHotKeyHolder(WORD hotKey, const CListItem* self, bool activeOnly) const
{
    if (hotKey == 0)
        return HotKeyHolder{};
    const CLaunchItem* waiting = nullptr;
    for (const CCategorizedList* list : {ListOf(m_applications), ListOf(m_shortcuts)})
    {
        for (const CLaunchItem* item : LaunchItemsInOrder(*list))
        {
            if (item == self || !SameCombination(item->m_hotKey, hotKey))
                continue;
            if (item->m_hotKeyId != -1)
                return HotKeyHolder{item, false};
            if (!waiting)
                waiting = item;
        }
    }
    const ShowWindowHotKey& showWindow = m_showWindowHotKey;
    const bool showWindowCombination =
        SameCombination(hotKey, HotKeyWordOf(showWindow.modifiers, showWindow.key));
    if (showWindowCombination && showWindow.active)
        return HotKeyHolder{nullptr, true};
    if (activeOnly)
        return HotKeyHolder{};
    return HotKeyHolder{waiting, waiting == nullptr && showWindowCombination};
}

bool CCatalogue::RefuseHeldHotKey(HWND owner, WORD hotKey, const CListItem* self) const
{
    // An entry that holds the registration of its combination keeps it, whoever else
    // (from an older store) waits for it. self is looked for, not read: the entry may have
    // gone while its editor was open.
    if (self && HoldsRegistration(self, hotKey))
        return false;
    const HotKeyHolder holder = FindHotKeyHolder(hotKey, self, false);
    if (holder)
        ShowHotKeyWarning(owner, DescribeHolder(holder, IDS_HOTKEY_USED_BY_ENTRY,
                                                IDS_HOTKEY_USED_BY_SHOW_WINDOW));
    return static_cast<bool>(holder);
}

bool CCatalogue::RefuseHeldShowWindowHotKey(HWND owner, UINT modifiers, UINT key) const
{
    const ShowWindowHotKey& current = m_showWindowHotKey;
    if (current.active && current.modifiers == modifiers && current.key == key)
        return false;
    const HotKeyHolder holder = FindHotKeyHolder(HotKeyWordOf(modifiers, key), nullptr, false);
    if (!holder.entry)
        return false;
    ShowHotKeyWarning(
        owner, DescribeHolder(holder, IDS_HOTKEY_USED_BY_ENTRY, IDS_HOTKEY_USED_BY_SHOW_WINDOW));
    return true;
}

bool CCatalogue::HoldsRegistration(const CListItem* item, WORD hotKey) const
{
    for (const CCategorizedList* list : {ListOf(m_applications), ListOf(m_shortcuts)})
        for (const auto& category : list->m_categories)
            for (const auto& entry : category->m_items)
                if (entry.get() == item)
                    return entry->HasActiveHotKey() && SameCombination(entry->GetHotKey(), hotKey);
    return false;
}

void CCatalogue::TellIfHotKeyInactive(HWND owner, const CListItem& item)
{
    if (item.GetHotKey() != 0 && !item.HasActiveHotKey())
        ShowHotKeyWarning(owner, LoadResString(IDS_HOTKEY_NOT_ACTIVE));
}

std::wstring CCatalogue::DescribeInactiveHotKey(const CListItem& item) const
{
    if (item.GetHotKey() == 0 || item.HasActiveHotKey())
        return std::wstring();
    const HotKeyHolder holder = FindHotKeyHolder(item.GetHotKey(), &item, true);
    if (!holder)
        return LoadResString(IDS_HOTKEY_TIP_HELD_ELSEWHERE);
    return DescribeHolder(holder, IDS_HOTKEY_TIP_HELD_BY_ENTRY, IDS_HOTKEY_TIP_HELD_BY_SHOW_WINDOW);
}

bool CCatalogue::AddDroppedItem(HWND owner, std::unique_ptr<CListItem> item, ListKind kind)
{
    const HotKeyHolder holder = FindHotKeyHolder(item->GetHotKey(), nullptr, false);
    if (holder)
        item->SetHotKey(0);
    if (!AddItemIfUnique(owner, std::move(item), kind))
        return false;
    if (holder)
        ShowHotKeyWarning(owner, DescribeHolder(holder, IDS_LINK_HOTKEY_USED_BY_ENTRY,
                                                IDS_LINK_HOTKEY_USED_BY_SHOW_WINDOW));
    return true;
}

bool CCatalogue::RegisterShowWindowHotKey(HWND window, UINT modifiers, UINT key)
{
    UnregisterHotKey(window, ShowWindowHotKeyId);
    const bool active = RegisterOnce(window, ShowWindowHotKeyId, modifiers, key);
    if (CCatalogue* catalogue = Current())
        catalogue->m_showWindowHotKey = ShowWindowHotKey{modifiers, key, active};
    return active;
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
                              resumed &=
                                  RegisterCombination(window, item.m_hotKeyId, item.m_hotKey);
                      });
    m_suspendedHotKeyIds.clear();
    return resumed;
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
