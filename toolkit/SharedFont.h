#pragma once

#include <windows.h>

// The program's faces, made once for each DPI they are drawn at. A font of a DPI left
// behind stays made, so a window that still holds it never draws with a deleted one.
enum class SharedFontStyle
{
    Regular,
    Underlined,
    Bold,
};

// The face at the current scale: 15 pixels high at 96 DPI.
HFONT SharedFont(SharedFontStyle style);
