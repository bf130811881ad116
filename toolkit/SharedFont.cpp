#include "toolkit/SharedFont.h"

#include <map>
#include <utility>

#include "toolkit/DpiScale.h"
#include "toolkit/Scoped.h"

namespace
{
constexpr int DesignHeight = 15;

HFONT CreateSharedFont(SharedFontStyle style, int height)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = style == SharedFontStyle::Bold ? FW_BOLD : FW_DONTCARE;
    font.lfUnderline = style == SharedFontStyle::Underlined ? TRUE : FALSE;
    lstrcpynW(font.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}
} // namespace

HFONT SharedFont(SharedFontStyle style)
{
    static std::map<std::pair<UINT, SharedFontStyle>, CScopedGdiObject<HFONT>> fonts;
    const CDpiScale& scale = CDpiScale::Current();
    CScopedGdiObject<HFONT>& font = fonts[{scale.Dpi(), style}];
    if (!font.Get())
        font.Reset(CreateSharedFont(style, scale.Scale(DesignHeight)));
    return font.Get();
}
