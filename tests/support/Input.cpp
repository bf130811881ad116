#include "tests/support/Input.h"

namespace test_support
{
namespace
{
bool IsExtendedKey(WORD virtualKey)
{
    switch (virtualKey)
    {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(WORD virtualKey, WORD character, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character ? character : static_cast<WORD>(MapVirtualKeyW(virtualKey, 0));
    input.ki.dwFlags = flags;
    return input;
}

// Absolute coordinates are on a 0 to 65535 scale across the primary screen; rounding away
// from zero lands on the intended pixel.
LONG Normalised(LONG coordinate, int screenSize)
{
    const LONGLONG scaled = static_cast<LONGLONG>(coordinate) * 65536;
    return static_cast<LONG>(scaled >= 0 ? (scaled + screenSize - 1) / screenSize
                                         : (scaled - screenSize + 1) / screenSize);
}
} // namespace

INPUT KeyDown(WORD virtualKey)
{
    return KeyEvent(virtualKey, false, IsExtendedKey(virtualKey));
}

INPUT KeyUp(WORD virtualKey)
{
    return KeyEvent(virtualKey, true, IsExtendedKey(virtualKey));
}

INPUT KeyEvent(WORD virtualKey, bool up, bool extended)
{
    return KeyInput(virtualKey, 0,
                    (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0));
}

std::vector<INPUT> Chord(const std::vector<WORD>& virtualKeys)
{
    std::vector<INPUT> inputs;
    for (const WORD key : virtualKeys)
        inputs.push_back(KeyDown(key));
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key)
        inputs.push_back(KeyUp(*key));
    return inputs;
}

std::vector<INPUT> UnicodeText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (const wchar_t character : text)
    {
        inputs.push_back(KeyInput(0, character, KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return inputs;
}

bool SendKeys(const std::vector<INPUT>& keys)
{
    std::vector<INPUT> inputs = keys;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

INPUT MouseEvent(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dwExtraInfo = OwnMouseEvent;
    return input;
}

bool SendMouse(DWORD flags, POINT screen)
{
    INPUT input = MouseEvent(flags, screen);
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool SendWheel(int delta)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    return SendInput(1, &input, sizeof(INPUT)) == 1;
}
} // namespace test_support
