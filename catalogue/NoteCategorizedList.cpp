#include "catalogue/NoteCategorizedList.h"

#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/SharedImages.h"
#include "views/NoteCategoryWindow.h"

CCategory* CNoteCategorizedList::AddCategory(const std::wstring& name)
{
    // Shared by every header of this kind for the whole run.
    const HBITMAP bitmap = SharedBitmap(IDB_FOLDER_ROW);
    auto category = std::make_unique<CCategory>(name, this);
    AttachHeader(*category, std::make_unique<CNoteCategoryWindow>(category.get(), bitmap));
    return Append(std::move(category));
}
