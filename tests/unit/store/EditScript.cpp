#include "tests/unit/store/EditScript.h"

#include <iterator>
#include <memory>
#include <random>
#include <sstream>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"

namespace
{
using Action = CatalogueEdit::Action;

constexpr std::size_t FewCategories = 2;
constexpr std::size_t ManyCategories = 6;

ListContent& ListOf(CatalogueContent& content, int kind)
{
    ListContent* lists[] = {&content.applications, &content.folders, &content.shortcuts};
    return *lists[kind];
}

ListKind ListKindOf(int kind)
{
    const ListKind kinds[] = {ListKind::Applications, ListKind::Folders, ListKind::Shortcuts};
    return kinds[kind];
}

CCategorizedList& ListOf(CCatalogue& catalogue, int kind)
{
    CCategorizedList* lists[] = {&catalogue.m_applications, &catalogue.m_folders,
                                 &catalogue.m_shortcuts};
    return *lists[kind];
}

std::unique_ptr<CListItem> MakeEntry(int kind, const std::wstring& name, CCategory* category,
                                     const StoredEntry& entry)
{
    if (kind == 1)
        return std::make_unique<CFolderItem>(name, category, entry.path, nullptr);
    if (kind == 2)
        return std::make_unique<CShortcutItem>(name, category, entry.path, entry.arguments,
                                               entry.startIn, entry.hotKey, nullptr);
    return std::make_unique<CApplicationItem>(name, category, entry.path, entry.arguments,
                                              entry.startIn, entry.hotKey, nullptr);
}

class CScriptWriter
{
public:
    CScriptWriter(unsigned seed, const CatalogueContent& start) : m_random(seed), m_content(start)
    {
    }

    CatalogueEdit Next()
    {
        CatalogueEdit edit;
        edit.kind = static_cast<int>(Pick(3));
        const ListContent& list = ListOf(m_content, edit.kind);
        edit.action = ChooseAction(list);
        if (IsEntryChange(edit.action))
            edit.category = PickCategoryWithEntries(list);
        else if (edit.action != Action::AddCategory)
            edit.category = PickKey(list);
        const auto& entries =
            edit.action == Action::AddCategory ? EmptyCategory() : list.at(edit.category);
        if (IsEntryChange(edit.action))
            edit.name = PickKey(entries);
        FillNewValues(edit, list);
        ApplyEdit(m_content, edit);
        return edit;
    }

private:
    static const std::map<std::wstring, StoredEntry>& EmptyCategory()
    {
        static const std::map<std::wstring, StoredEntry> empty;
        return empty;
    }

    static bool IsEntryChange(Action action)
    {
        return action == Action::EditEntry || action == Action::MoveEntry ||
               action == Action::DeleteEntry;
    }

    Action ChooseAction(const ListContent& list)
    {
        if (list.size() < FewCategories)
            return Action::AddCategory;
        bool hasEntries = false;
        for (const auto& category : list)
            hasEntries = hasEntries || !category.second.empty();
        static const Action often[] = {
            Action::AddEntry,       Action::AddEntry,       Action::AddEntry,
            Action::EditEntry,      Action::MoveEntry,      Action::DeleteEntry,
            Action::RenameCategory, Action::DeleteCategory, Action::AddCategory};
        for (;;)
        {
            const Action action = often[Pick(std::size(often))];
            if (IsEntryChange(action) && !hasEntries)
                continue;
            if (action == Action::AddCategory && list.size() >= ManyCategories)
                continue;
            return action;
        }
    }

    std::wstring PickCategoryWithEntries(const ListContent& list)
    {
        std::vector<std::wstring> names;
        for (const auto& [name, entries] : list)
        {
            if (!entries.empty())
                names.push_back(name);
        }
        return names[Pick(names.size())];
    }

    template <typename Map> std::wstring PickKey(const Map& map)
    {
        auto it = map.begin();
        std::advance(it, Pick(map.size()));
        return it->first;
    }

    void FillNewValues(CatalogueEdit& edit, const ListContent& list)
    {
        switch (edit.action)
        {
        case Action::AddCategory:
            edit.category = L"Category " + std::to_wstring(++m_names);
            return;
        case Action::RenameCategory:
            edit.target = L"Renamed " + std::to_wstring(++m_names);
            return;
        case Action::MoveEntry:
            edit.target = PickKey(list);
            return;
        case Action::AddEntry:
            edit.name = L"Entry " + std::to_wstring(++m_names);
            [[fallthrough]];
        case Action::EditEntry:
            edit.entry = RandomEntry(edit.kind);
            return;
        default:
            return;
        }
    }

    StoredEntry RandomEntry(int kind)
    {
        const std::wstring number = std::to_wstring(++m_names);
        if (kind == 1)
            return {L"C:\\Folder " + number, L"", L"", 0};
        return {L"C:\\Programs\\program" + number + L".exe", L"/arg " + number,
                Pick(2) ? L"C:\\Work" : L"", static_cast<WORD>(Pick(2) ? 0x0641 + Pick(20) : 0)};
    }

    std::size_t Pick(std::size_t count)
    {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
    }

    std::mt19937 m_random;
    CatalogueContent m_content;
    unsigned m_names = 0;
};
} // namespace

std::vector<CatalogueEdit> MakeEditScript(unsigned seed, std::size_t count,
                                          const CatalogueContent& start)
{
    CScriptWriter writer(seed, start);
    std::vector<CatalogueEdit> script;
    while (script.size() < count)
        script.push_back(writer.Next());
    return script;
}

void ApplyEdit(CatalogueContent& content, const CatalogueEdit& edit)
{
    ListContent& list = ListOf(content, edit.kind);
    switch (edit.action)
    {
    case Action::AddCategory:
        list[edit.category];
        return;
    case Action::RenameCategory:
        list[edit.target] = list.at(edit.category);
        list.erase(edit.category);
        return;
    case Action::DeleteCategory:
        list.erase(edit.category);
        return;
    case Action::AddEntry:
    case Action::EditEntry:
        list.at(edit.category)[edit.name] = edit.entry;
        return;
    case Action::MoveEntry:
        list.at(edit.target)[edit.name] = list.at(edit.category).at(edit.name);
        if (edit.target != edit.category)
            list.at(edit.category).erase(edit.name);
        return;
    case Action::DeleteEntry:
        list.at(edit.category).erase(edit.name);
        return;
    }
}

void ApplyEdit(CCatalogue& catalogue, const CatalogueEdit& edit)
{
    const ListKind kind = ListKindOf(edit.kind);
    CCategorizedList& list = ListOf(catalogue, edit.kind);
    CCategory* category = list.FindCategory(edit.category);
    switch (edit.action)
    {
    case Action::AddCategory:
        catalogue.AddCategory(kind, edit.category);
        return;
    case Action::RenameCategory:
        catalogue.RenameCategory(kind, *category, edit.target);
        return;
    case Action::DeleteCategory:
        catalogue.DeleteCategory(kind, edit.category);
        return;
    case Action::AddEntry:
        catalogue.AddItemIfUnique(nullptr, MakeEntry(edit.kind, edit.name, category, edit.entry),
                                  kind);
        return;
    case Action::EditEntry:
    {
        const auto values = MakeEntry(edit.kind, edit.name, category, edit.entry);
        catalogue.ChangeItem(*category->m_items[category->FindItemIndex(edit.name)], *values);
        return;
    }
    case Action::MoveEntry:
    {
        if (edit.target == edit.category)
            return;
        CListItem& item = *category->m_items[category->FindItemIndex(edit.name)];
        CCategory* target = list.FindCategory(edit.target);
        catalogue.MoveItem(
            nullptr, item,
            MakeEntry(edit.kind, edit.name, target,
                      {item.GetPath(), item.GetArguments(), item.GetStartIn(), item.GetHotKey()}));
        return;
    }
    case Action::DeleteEntry:
        catalogue.RemoveItem(*category->m_items[category->FindItemIndex(edit.name)]);
        return;
    }
}

std::string DescribeEdit(const CatalogueEdit& edit)
{
    static const char* const actions[] = {"add category", "rename category", "delete category",
                                          "add entry",    "edit entry",      "move entry",
                                          "delete entry"};
    std::ostringstream text;
    // The script's names are plain ASCII.
    text << actions[static_cast<int>(edit.action)] << " in list " << edit.kind << ": \""
         << std::string(edit.category.begin(), edit.category.end()) << "\" \""
         << std::string(edit.name.begin(), edit.name.end()) << "\" -> \""
         << std::string(edit.target.begin(), edit.target.end()) << "\"";
    return text.str();
}
