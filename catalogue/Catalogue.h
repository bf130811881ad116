#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/ApplicationCategorizedList.h"
#include "catalogue/FolderCategorizedList.h"
#include "catalogue/NoteCategorizedList.h"
#include "catalogue/ShortcutCategorizedList.h"

class CApplicationItem;
struct CatalogueChange;
class CListItemWindow;
class ICatalogueListener;
class CLaunchItem;
class CListItem;
class CShortcutItem;

// Selects a list; the pages' indexes are the same numbers. Any other value selects the
// applications.
enum class ListKind : int
{
    Applications = 0,
    Shortcuts = 1,
    Folders = 2,
};

// Who besides an entry holds or claims a combination: another entry, or the show-window
// hotkey; neither when the combination is free or held by another program or the system.
struct HotKeyHolder
{
    const CLaunchItem* entry = nullptr;
    bool showWindow = false;

    explicit operator bool() const { return entry != nullptr || showWindow; }
};

// The whole catalogue in memory: its lists, the operations on it that keep names unique,
// and the hotkeys of its entries, all registered with the main window.
class CCatalogue
{
public:
    CCatalogue();
    ~CCatalogue();
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;

    CCategorizedList& GetList(ListKind kind);
    const CCategorizedList& GetList(ListKind kind) const;
    // Appends the names in list order.
    void GetCategoryNames(ListKind kind, std::vector<std::wstring>& names);
    bool ItemNameExists(ListKind kind, const std::wstring& categoryName,
                        const std::wstring& itemName);

    // Who is told of every change (the main window); none by default.
    void SetListener(ICatalogueListener* listener) { m_listener = listener; }

    // The operations below the dialogs; each tells the listener what it changed.
    // AddCategory returns null when the list refuses the name.
    CCategory* AddCategory(ListKind kind, const std::wstring& name);
    void RenameCategory(ListKind kind, CCategory& category, const std::wstring& name);
    void DeleteCategory(ListKind kind, const std::wstring& categoryName);
    // Gives the entry the name and values of values, in its own category.
    void ChangeItem(CListItem& item, const CListItem& values);
    // For a change of many entries at once (the defaults of a first start): stored whole.
    void NotifyWholeChange();
    // The stored list that holds the category, if any.
    std::optional<ListKind> KindOf(const CCategory* category) const;

    // Inserts the item into its own category unless the name is taken there, in which
    // case owner shows "Item with this name already exists" and the item is discarded, or
    // cannot be stored, in which case owner says why.
    bool AddItemIfUnique(HWND owner, std::unique_ptr<CListItem> item, ListKind kind);
    // Puts moved, a copy of item that names its target category, in place of item as one
    // change: the store is written once, after both halves. Refused as AddItemIfUnique
    // refuses, with item left as it was. The moved entry keeps the hotkey; item is gone.
    bool MoveItem(HWND owner, CListItem& item, std::unique_ptr<CListItem> moved);
    // Deletes the item (its window and hotkey with it) from its category.
    void RemoveItem(CListItem& item);

    // Draws the next id, also when the system then refuses the combination; ids start at
    // 2 and never come back. Returns the id, or -1 when refused. Registered with
    // MOD_NOREPEAT: Windows 7 and later report a combination held down once.
    int RegisterCatalogueHotKey(WORD hotKey);
    // Ends the registrations of the list's entries, then registers each again under a
    // fresh id, in the order of LaunchItemsInOrder.
    void RegisterListHotKeys(CCategorizedList& list);
    // The same for the applications and the shortcuts together, applications first: of
    // stored entries that share a combination, the same one gets it at every start.
    void RegisterAllHotKeys();
    // Registers again every combination that is not active (the show-window hotkey first,
    // then the entries in registration order), without a message; the rows of entries
    // that got theirs are repainted.
    void RetryInactiveHotKeys();

    // Who holds the combination besides self: the entry or the show-window hotkey whose
    // registration has it; else (unless activeOnly) the first entry in registration order
    // whose word is that combination, else the show-window hotkey when it is.
    HotKeyHolder FindHotKeyHolder(WORD hotKey, const CListItem* self, bool activeOnly) const;
    // At OK of the item editor: a combination that another entry or the show-window hotkey
    // holds is refused with a message to owner naming the holder; true when refused. The
    // entry self (null for a new one) keeps a combination whose registration it holds.
    bool RefuseHeldHotKey(HWND owner, WORD hotKey, const CListItem* self) const;
    // At OK of the show-window hotkey dialog: the same for a combination an entry holds,
    // unless the show-window hotkey holds it already.
    bool RefuseHeldShowWindowHotKey(HWND owner, UINT modifiers, UINT key) const;
    // Tells owner that the entry keeps a combination that is not active now.
    static void TellIfHotKeyInactive(HWND owner, const CListItem& item);
    // Why the entry's hotkey is not active, for its row's tooltip; empty when it is.
    std::wstring DescribeInactiveHotKey(const CListItem& item) const;
    // A dropped link brings its own hotkey. One that another entry or the show-window
    // hotkey holds is not taken: the entry is added without it, and owner tells who holds
    // it. Otherwise as AddItemIfUnique.
    bool AddDroppedItem(HWND owner, std::unique_ptr<CListItem> item, ListKind kind);

    // Registers the show-window hotkey (RegisterHotKey modifiers and key, as stored) with
    // window under id 0 in place of the old one, and notes it in the catalogue of the main
    // window, when there is one. False when the system refuses it.
    static bool RegisterShowWindowHotKey(HWND window, UINT modifiers, UINT key);
    // The first entry in list order whose registration carries the id, or null.
    CApplicationItem* FindApplicationByHotKeyId(int id);
    CShortcutItem* FindShortcutByHotKeyId(int id);
    // Launch the entry found; true when one was found, whatever the launch gave.
    bool LaunchApplicationByHotKeyId(int id);
    bool LaunchShortcutByHotKeyId(int id);

    // For tests: called at every change the catalogue notifies, where the main window
    // stores the catalogue.
    static void SetChangeHook(void (*hook)(const CatalogueChange&));
    // True, once owner has said why, for a name the store cannot hold (NameRefusal).
    static bool RefuseUnstorableName(HWND owner, const std::wstring& name);
    // "Item with this name already exists", to owner.
    static void TellItemExists(HWND owner);
    // Takes every entry's registration back while a hotkey field has the focus, so that
    // the field receives the keys; ids, words and states of the entries stay as they are.
    void SuspendHotKeys();
    // Registers again, under their ids, the entries that the suspension took back and
    // that still carry those ids. False when the system refused one of them (another
    // program took the combination meanwhile); that entry keeps its id.
    bool ResumeHotKeys();
    bool HotKeysSuspended() const { return m_hotKeysSuspended; }

    // The catalogue of the main window, or null before there is one.
    static CCatalogue* Current();
    // An entry's registration: the old one ends, and a word that is not 0 gets a new id.
    // A refused word is kept, so the next registration tries it again. False when the word
    // is not 0 and could not be registered.
    static bool RenewItemHotKey(WORD hotKey, int& hotKeyId);
    static void EndItemHotKey(int& hotKeyId);

    CApplicationCategorizedList m_applications;
    CNoteCategorizedList m_notes;
    CFolderCategorizedList m_folders;
    CShortcutCategorizedList m_shortcuts;
    int m_lastHotKeyId = 1;

    // The show-window hotkey as last registered (key 0: none) and whether that worked.
    struct ShowWindowHotKey
    {
        UINT modifiers = 0;
        UINT key = 0;
        bool active = false;
    };
    ShowWindowHotKey m_showWindowHotKey;

private:
    void Notify(const CatalogueChange& change);
    void TellRowCreated(CListItemWindow* window);
    // The item is one of the lists' and its registration holds that combination.
    bool HoldsRegistration(const CListItem* item, WORD hotKey) const;
    ICatalogueListener* m_listener = nullptr;
    bool m_hotKeysSuspended = false;
    std::vector<int> m_suspendedHotKeyIds;
};
