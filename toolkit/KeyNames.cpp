#include "toolkit/KeyNames.h"

namespace
{
bool IsDigitOrLetter(UINT virtualKey)
{
    return (virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z');
}
} // namespace

std::wstring GetKeyName(UINT virtualKey)
{
    // Digit and letter keys have virtual-key codes equal to their characters.
    if (IsDigitOrLetter(virtualKey))
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    switch (virtualKey)
    {
    case VK_PRIOR:
        return L"Page Up";
    case VK_NEXT:
        return L"Page Down";
    case VK_END:
        return L"End";
    case VK_HOME:
        return L"Home";
    case VK_INSERT:
        return L"Insert";
    default:
        return std::wstring();
    }
}
