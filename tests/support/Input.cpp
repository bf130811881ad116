#include "tests/support/Input.h"

#include "resources/resource.h"
#include "tests/support/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/Screen.h"

#include <cwctype>

namespace e2e
{
void TypeText(const std::wstring& text)
{
    for (wchar_t c : text)
    {
        INPUT input[2] = {};
        for (INPUT& key : input)
        {
            key.type = INPUT_KEYBOARD;
            key.ki.wScan = c;
            key.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

void TypeLetters(const std::wstring& letters)
{
    for (wchar_t letter : letters)
    {
        const bool upper = letter >= L'A' && letter <= L'Z';
        if (upper)
            KeyDown(VK_SHIFT);
        PressKey(static_cast<WORD>(towupper(letter)));
        if (upper)
            KeyUp(VK_SHIFT);
    }
}

void PressChord(std::initializer_list<WORD> modifiers, WORD key)
{
    for (WORD modifier : modifiers)
        KeyDown(modifier);
    PressKey(key);
    for (auto it = modifiers.end(); it != modifiers.begin();)
        KeyUp(*--it);
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
