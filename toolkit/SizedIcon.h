#pragma once

#include <windows.h>

// An icon resource of this module loaded at a side of size pixels, once for each size.
// The resource's image of that size is taken where it has one, so drawing never scales
// it. Held for the whole run.
HICON SizedIcon(int resourceId, int size);
