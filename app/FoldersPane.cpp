#include "app/FoldersPane.h"

#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Utilities.h"

namespace
{
// The folders' list kind, which is also the pane's index among the pages.
constexpr int FoldersKind = static_cast<int>(ListKind::Folders);
} // namespace

CFoldersPane::CFoldersPane(CFolderCategorizedList* list) : CPageWindow(list, FoldersKind) {}

bool CFoldersPane::Create(const RECT& rect, HWND parent)
{
    return CreateChild(L"FoldersPane", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent);
}

int CFoldersPane::GetRowGap() const
{
    return 0;
}

void CFoldersPane::RunMenuCommand(UINT command)
{
    if (command == ID_ADD)
        AddCategory();
}

void CFoldersPane::OnRButtonDown(LPARAM lParam)
{
    RunMenuCommand(TrackMenuResource(
        IDM_FOLDERS_PANE_MENU, ScreenPointFromLParam(GetHwnd(), lParam), GetParent(GetHwnd())));
}
