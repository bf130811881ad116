#pragma once

#include <windows.h>
#include <unknwn.h>

namespace shell_test
{
// QueryInterface for iid hands out the expected pointer and adds a reference; the caller
// holds the object's only reference before and after. Reported at the caller's line.
void ExpectInterface(IUnknown* object, REFIID iid, const void* expected, int line);
// QueryInterface refuses iid and clears the out pointer.
void ExpectNoInterface(IUnknown* object, REFIID iid, int line);
} // namespace shell_test
