#include "toolkit/PopupMenu.h"

#include "toolkit/Application.h"
#include "toolkit/Scoped.h"

UINT TrackPopupCommand(HMENU popup, POINT screen, HWND owner)
{
    if (popup == nullptr)
        return 0;
    return static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RETURNCMD, screen.x, screen.y, 0, owner, nullptr));
}

UINT TrackMenuResource(UINT menuId, POINT screen, HWND owner,
                       const std::function<void(HMENU)>& prepare)
{
    const CScopedMenu menu(
        LoadMenuW(CApplication::Instance().GetInstanceHandle(), MAKEINTRESOURCEW(menuId)));
    if (!menu)
        return 0;
    const HMENU popup = GetSubMenu(menu.Get(), 0);
    if (popup != nullptr && prepare)
        prepare(popup);
    return TrackPopupCommand(popup, screen, owner);
}
