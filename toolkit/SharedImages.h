#pragma once

#include <windows.h>

// Images of this module's resources, loaded once and held for the whole run, so that no
// row owns one.

// An icon at a side of size pixels, once for each size. The resource's image of that size
// is taken where it has one, so drawing never scales it.
HICON SizedIcon(int resourceId, int size);
// A bitmap, shared by every window that draws it.
HBITMAP SharedBitmap(int resourceId);
