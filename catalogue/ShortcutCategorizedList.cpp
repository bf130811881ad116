#include "catalogue/ShortcutCategorizedList.h"

#include "resources/resource.h"
#include "toolkit/Application.h"
#include "views/ShortcutCategoryWindow.h"

CCategory* CShortcutCategorizedList::AddCategory(const std::wstring& name)
{
    // Shared by every header of this kind for the whole run.
    static const HBITMAP bitmap = LoadBitmapW(CApplication::Instance().GetInstanceHandle(),
                                              MAKEINTRESOURCEW(IDB_CATEGORY_HEADER));
    auto category = std::make_unique<CCategory>(name, this);
    AttachHeader(*category, std::make_unique<CShortcutCategoryWindow>(category.get(), bitmap));
    return InsertByName(std::move(category));
}
