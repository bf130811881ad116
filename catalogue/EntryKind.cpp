#include "catalogue/EntryKind.h"

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "catalogue/FolderItem.h"
#include "catalogue/ShortcutItem.h"
#include "resources/resource.h"

#include <iterator>

namespace
{
std::unique_ptr<CListItem> MakeApplication(const EntryFields& fields, CCategory* category,
                                           HWND parentWindow)
{
    return std::make_unique<CApplicationItem>(fields.name, category, fields.path, fields.arguments,
                                              fields.startIn, fields.hotKey, parentWindow);
}

std::unique_ptr<CListItem> MakeShortcut(const EntryFields& fields, CCategory* category,
                                        HWND parentWindow)
{
    return std::make_unique<CShortcutItem>(fields.name, category, fields.path, fields.arguments,
                                           fields.startIn, fields.hotKey, parentWindow);
}

std::unique_ptr<CListItem> MakeFolder(const EntryFields& fields, CCategory* category,
                                      HWND parentWindow)
{
    return std::make_unique<CFolderItem>(fields.name, category, fields.path, parentWindow);
}

// In the order of the list kinds' values.
constexpr EntryKind Kinds[] = {
    {ListKind::Applications,
     L"ApplicationsPage",
     IDS_ADD_APPLICATION,
     IDS_EDIT_APPLICATION,
     IDS_APPLICATION_NAME_LABEL,
     IDS_APPLICATION_PATH_LABEL,
     true,
     false,
     true,
     IDM_APPLICATION_CATEGORY_MENU,
     IDM_APPLICATION_ITEM_MENU,
     IDB_APPLICATION_ROW,
     L"Delete application from the list?",
     &CSettings::m_showApplicationIcons,
     // After the state ball; the name starts 6 pixels after the column.
     {22, 16, 22, 38},
     true, // every program file of a type shows the type's icon
     true,
     [](CCatalogue& catalogue) -> CCategorizedList& { return catalogue.m_applications; },
     MakeApplication},
    {ListKind::Shortcuts,
     L"ShortcutsPage",
     IDS_ADD_SHORTCUT,
     IDS_EDIT_SHORTCUT,
     IDS_SHORTCUT_NAME_LABEL,
     IDS_SHORTCUT_PATH_LABEL,
     true,
     false,
     false,
     IDM_SHORTCUT_CATEGORY_MENU,
     IDM_SHORTCUT_ITEM_MENU,
     IDB_SHORTCUT_ROW,
     L"Delete shortcut from the list?",
     &CSettings::m_showShortcutIcons,
     {12, 6, 12, 28},
     false, // a document shows its type's icon, a program its own
     true,
     [](CCatalogue& catalogue) -> CCategorizedList& { return catalogue.m_shortcuts; },
     MakeShortcut},
    {ListKind::Folders,
     L"",
     IDS_ADD_FOLDER,
     IDS_EDIT_FOLDER,
     IDS_FOLDER_NAME_LABEL,
     IDS_FOLDER_PATH_LABEL,
     false,
     true,
     false,
     IDM_FOLDER_CATEGORY_MENU,
     IDM_FOLDER_ITEM_MENU,
     IDB_FOLDER_ROW,
     L"Delete folder from the list?",
     &CSettings::m_showFolderIcons,
     {12, 6, 12, 34},
     false,
     false, // the shell reads the real folder, at the first paint
     [](CCatalogue& catalogue) -> CCategorizedList& { return catalogue.m_folders; },
     MakeFolder},
};
static_assert(std::size(Kinds) == EntryKindCount);

constexpr bool InListOrder()
{
    for (size_t index = 0; index < EntryKindCount; ++index)
        if (static_cast<size_t>(Kinds[index].list) != index)
            return false;
    return true;
}
static_assert(InListOrder(), "KindOf indexes the rows by the list kind's value");
} // namespace

const EntryKind& KindOf(ListKind kind)
{
    const auto index = static_cast<size_t>(kind);
    return index < EntryKindCount ? Kinds[index] : Kinds[0];
}
