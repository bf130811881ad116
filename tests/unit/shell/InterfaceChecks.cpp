#include "tests/unit/shell/InterfaceChecks.h"

#include <gtest/gtest.h>

namespace shell_test
{
namespace
{
// Not a pointer any object has, so a call that leaves the out pointer alone shows.
void* const SentinelPointer = reinterpret_cast<void*>(0x1);
} // namespace

void ExpectInterface(IUnknown* object, REFIID iid, const void* expected, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    void* found = SentinelPointer;
    ASSERT_EQ(S_OK, object->QueryInterface(iid, &found));
    EXPECT_EQ(expected, found);
    EXPECT_EQ(3u, object->AddRef()) << "QueryInterface added no reference";
    object->Release();
    object->Release();
}

void ExpectNoInterface(IUnknown* object, REFIID iid, int line)
{
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    void* found = SentinelPointer;
    EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(iid, &found));
    EXPECT_EQ(nullptr, found);
}
} // namespace shell_test
