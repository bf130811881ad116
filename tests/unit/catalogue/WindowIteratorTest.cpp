#include "catalogue/WindowFromProcessIterator.h"
#include "catalogue/WindowIterator.h"

#include "tests/unit/catalogue/TopLevelWindow.h"
#include "tests/support/unit/LaunchRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using catalogue_test::CTopLevelWindow;
using test_support::CLaunchRecorder;

namespace
{
// Everything the iterator hands out, until it reports the end.
std::vector<HWND> Drain(CWindowIterator& iterator)
{
    std::vector<HWND> windows;
    for (HWND hWnd = (iterator.GetNextWindow)(); hWnd; hWnd = (iterator.GetNextWindow)())
        windows.push_back(hWnd);
    return windows;
}

// The top-level windows in the order EnumWindows reports them.
std::vector<HWND> EnumeratedWindows()
{
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND hWnd, LPARAM lParam)
        {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

ptrdiff_t IndexOf(const std::vector<HWND>& windows, HWND hWnd)
{
    const auto found = std::find(windows.begin(), windows.end(), hWnd);
    return found == windows.end() ? -1 : found - windows.begin();
}

class COnlyWindowIterator : public CWindowIterator
{
public:
    explicit COnlyWindowIterator(HWND only) : m_only(only) {}
    bool AcceptWindow(HWND hWnd) override { return hWnd == m_only; }

private:
    HWND m_only;
};
} // namespace

TEST(WindowIteratorTest, HandsOutEveryTopLevelWindowInEnumerationOrder)
{
    CTopLevelWindow first;
    CTopLevelWindow second;
    CWindowIterator iterator;
    EXPECT_EQ(nullptr, (iterator.GetNextWindow)()) << "nothing before collecting";

    iterator.CollectWindows();
    const std::vector<HWND> collected = Drain(iterator);

    const std::vector<HWND> enumerated = EnumeratedWindows();
    const ptrdiff_t firstIndex = IndexOf(collected, first.Get());
    const ptrdiff_t secondIndex = IndexOf(collected, second.Get());
    ASSERT_NE(-1, firstIndex);
    ASSERT_NE(-1, secondIndex);
    EXPECT_EQ(IndexOf(enumerated, first.Get()) < IndexOf(enumerated, second.Get()),
              firstIndex < secondIndex);
    EXPECT_EQ(nullptr, (iterator.GetNextWindow)()) << "the end stays the end";
}

TEST(WindowIteratorTest, KeepsOnlyWhatAcceptWindowTakes)
{
    CTopLevelWindow wanted;
    CTopLevelWindow other;
    COnlyWindowIterator iterator(wanted.Get());
    iterator.CollectWindows();
    EXPECT_EQ(std::vector<HWND>{wanted.Get()}, Drain(iterator));
}

TEST(WindowFromProcessIteratorTest, TakesParentlessWindowsOfTheProcessOnly)
{
    CTopLevelWindow own;
    CTopLevelWindow ownedPopup(own.Get(), WS_POPUP);
    ASSERT_EQ(own.Get(), GetParent(ownedPopup.Get())) << "precondition: GetParent names the owner";
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L""));

    CWindowFromProcessIterator iterator(GetCurrentProcessId());
    iterator.CollectWindows();
    const std::vector<HWND> collected = Drain(iterator);

    EXPECT_NE(-1, IndexOf(collected, own.Get()));
    EXPECT_EQ(-1, IndexOf(collected, ownedPopup.Get()));
    EXPECT_EQ(-1, IndexOf(collected, helper.FindMainWindow()));
}

TEST(WindowFromProcessIteratorTest, MainWindowPassesOverAHiddenWindowAboveIt)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L"--hidden-first"));
    const HWND main = helper.FindMainWindow();
    const HWND decoy = helper.FindWindowOfClass(L"LaunchRecorderDecoy");
    CWindowFromProcessIterator order(helper.m_processId);
    order.CollectWindows();
    const std::vector<HWND> collected = Drain(order);
    ASSERT_NE(-1, IndexOf(collected, main));
    ASSERT_NE(-1, IndexOf(collected, decoy));
    ASSERT_LT(IndexOf(collected, decoy), IndexOf(collected, main))
        << "precondition: the hidden window comes first";

    CWindowFromProcessIterator iterator(helper.m_processId);
    iterator.CollectWindows();
    EXPECT_EQ(main, iterator.GetMainWindow());
}

TEST(WindowFromProcessIteratorTest, MainWindowFallsBackToTheFirstHiddenOne)
{
    CLaunchRecorder helper;
    ASSERT_TRUE(helper.Start(L"--hidden-only"));
    CWindowFromProcessIterator order(helper.m_processId);
    order.CollectWindows();
    const HWND first = (order.GetNextWindow)();
    ASSERT_NE(nullptr, first);

    CWindowFromProcessIterator iterator(helper.m_processId);
    iterator.CollectWindows();
    EXPECT_EQ(first, iterator.GetMainWindow());
}

TEST(WindowFromProcessIteratorTest, MainWindowOfAProcessWithoutWindowsIsNull)
{
    CWindowFromProcessIterator iterator(0xFFFFFFF0);
    iterator.CollectWindows();
    EXPECT_EQ(nullptr, iterator.GetMainWindow());
}
