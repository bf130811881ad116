#include "toolkit/Edit.h"
