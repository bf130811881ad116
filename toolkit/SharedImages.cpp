#include "toolkit/SharedImages.h"

#include <map>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/Scoped.h"

HICON SizedIcon(int resourceId, int size)
{
    // Not LR_SHARED: the system would hand back the first size loaded for every size.
    static std::map<std::pair<int, int>, CScopedIcon> icons;
    CScopedIcon& icon = icons[{resourceId, size}];
    if (!icon.Get())
        icon.Reset(static_cast<HICON>(LoadImageW(CApplication::Instance().GetInstanceHandle(),
                                                 MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size,
                                                 size, LR_DEFAULTCOLOR)));
    return icon.Get();
}

HBITMAP SharedBitmap(int resourceId)
{
    static std::map<int, CScopedGdiObject<HBITMAP>> bitmaps;
    CScopedGdiObject<HBITMAP>& bitmap = bitmaps[resourceId];
    if (!bitmap.Get())
        bitmap.Reset(LoadBitmapW(CApplication::Instance().GetInstanceHandle(),
                                 MAKEINTRESOURCEW(resourceId)));
    return bitmap.Get();
}
