#include "tests/support/CrossProcessInput.h"

#include "resources/resource.h"
#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/Input.h"
#include "tests/support/Screen.h"

#include <cstdio>
#include <cstdlib>
#include <cwctype>

namespace e2e
{
// Where the last move put the pointer. Wine re-reads the X pointer when the
// cursor has not moved for a while, so every button event carries this place
// again rather than trusting the current cursor position.
namespace
{
POINT g_pointer = {0, 0};
} // namespace

void MoveMouse(int x, int y)
{
    g_pointer = {x, y};
    SetCursorPos(x, y);
    test_support::SendMouse(0, {x, y});
    WaitFor(
        [&]
        {
            POINT cursor = {};
            GetCursorPos(&cursor);
            return cursor.x == x && cursor.y == y;
        },
        2000);
}

void MouseButton(bool left, bool down)
{
    const DWORD flags = left ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                             : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    test_support::SendMouse(flags, g_pointer);
}

void Settle(HWND window)
{
    DWORD_PTR result = 0;
    if (window != nullptr)
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, DefaultTimeoutMs, &result);
}

void Click(int x, int y, bool left)
{
    // Two clicks within the double-click time make a double click, also across
    // test processes (the taskbar's icons stay put), so the first click of a
    // process and a repeat of the last one wait that time out.
    static DWORD lastClick = 0;
    static POINT lastPoint = {-1000, -1000};
    const DWORD doubleClickTime = GetDoubleClickTime();
    const bool samePlace = std::abs(lastPoint.x - x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                           std::abs(lastPoint.y - y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    if (lastClick == 0)
        Sleep(doubleClickTime + 50);
    else if (samePlace && GetTickCount() - lastClick <= doubleClickTime)
        Sleep(doubleClickTime + 50 - (GetTickCount() - lastClick));
    MoveMouse(x, y);
    // A click that arrives while the window under it is still busy with earlier
    // input (a minimise, a layout) can be dropped by the window's own tracking loop.
    Settle(WindowFromPoint(POINT{x, y}));
    MouseButton(left, true);
    MouseButton(left, false);
    lastClick = GetTickCount();
    lastPoint = {x, y};
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (cursor.x != x || cursor.y != y)
        fprintf(stderr, "the cursor left the click at %d,%d for %ld,%ld\n", x, y, cursor.x,
                cursor.y);
}

void Drag(POINT from, POINT to, int steps)
{
    MoveMouse(from.x, from.y);
    MouseButton(true, true);
    for (int i = 1; i <= steps; ++i)
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    MouseButton(true, false);
}

::testing::AssertionResult DragFrame(HWND window, POINT from, POINT to, int steps)
{
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    auto inMoveSize = [thread]
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
    };
    MoveMouse(from.x, from.y);
    MouseButton(true, true);
    if (!WaitFor(inMoveSize))
    {
        MouseButton(true, false);
        return ::testing::AssertionFailure()
               << "no move or size loop began at " << from.x << "," << from.y;
    }
    for (int i = 1; i <= steps; ++i)
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    MouseButton(true, false);
    return ::testing::AssertionSuccess();
}

void Wheel(int delta)
{
    test_support::SendWheel(delta);
}

void HoldKey(WORD vk)
{
    test_support::SendKeys({test_support::KeyEvent(vk, false, false)});
}

void ReleaseKey(WORD vk)
{
    test_support::SendKeys({test_support::KeyEvent(vk, true, false)});
}

void PressKey(WORD vk, bool extended)
{
    test_support::SendKeys(
        {test_support::KeyEvent(vk, false, extended), test_support::KeyEvent(vk, true, extended)});
}

void TypeText(const std::wstring& text)
{
    test_support::SendKeys(test_support::UnicodeText(text));
}

void TypeLetters(const std::wstring& letters)
{
    for (wchar_t letter : letters)
    {
        const bool upper = letter >= L'A' && letter <= L'Z';
        if (upper)
            HoldKey(VK_SHIFT);
        PressKey(static_cast<WORD>(towupper(letter)));
        if (upper)
            ReleaseKey(VK_SHIFT);
    }
}

void PressChord(std::initializer_list<WORD> modifiers, WORD key)
{
    for (WORD modifier : modifiers)
        HoldKey(modifier);
    PressKey(key);
    for (auto it = modifiers.end(); it != modifiers.begin();)
        ReleaseKey(*--it);
}

POINT CentreOf(HWND window)
{
    const RECT rect = WindowRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickControl(HWND dialog, int id)
{
    const POINT centre = CentreOf(GetDlgItem(dialog, id));
    Click(centre.x, centre.y);
}

::testing::AssertionResult TypeRecorderHotKey(HWND editor)
{
    const HWND field = GetDlgItem(editor, IDC_HOTKEY_EDIT);
    if (!IsWindowVisible(field))
    {
        // From the path over the browse button to the "Advanced" link.
        PressKey(VK_TAB);
        PressKey(VK_TAB);
        PressKey(VK_RETURN);
    }
    if (!WaitFor([&] { return IsWindowVisible(field) != FALSE; }))
        return ::testing::AssertionFailure() << "the advanced fields did not unfold";
    ClickControl(editor, IDC_HOTKEY_EDIT);
    PressChord({VK_CONTROL, VK_MENU}, 'R');
    std::wstring shown = L"sentinel";
    if (!WaitFor([&] { return (shown = ControlText(field)) == L"Ctrl+ Alt+ R"; }))
        return ::testing::AssertionFailure() << "the hotkey field shows \"" << Utf8(shown) << "\"";
    return ::testing::AssertionSuccess();
}
} // namespace e2e
