#include "toolkit/KeyShortcutEdit.h"

#include "toolkit/KeyNames.h"

#include <string>
#include <vector>

namespace
{
// One modifier as the two encodings and the text know it.
struct Modifier
{
    UINT modBit;
    BYTE hotKeyFlag;
    const wchar_t* name;
};

constexpr Modifier kCtrl = {MOD_CONTROL, HOTKEYF_CONTROL, L"Ctrl"};
constexpr Modifier kAlt = {MOD_ALT, HOTKEYF_ALT, L"Alt"};
constexpr Modifier kShift = {MOD_SHIFT, HOTKEYF_SHIFT, L"Shift"};
constexpr Modifier kWin = {MOD_WIN, 0, L"Win"};

bool IsDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

std::wstring Join(const std::vector<std::wstring>& parts, const wchar_t* separator)
{
    std::wstring text;
    for (const std::wstring& part : parts)
        text += (text.empty() ? L"" : separator) + part;
    return text;
}

// A stored key outside the table (F5 from a shell link, say) is named as the keyboard
// driver names it, or by its number.
std::wstring StoredKeyName(UINT key)
{
    const std::wstring name = GetKeyName(key);
    if (!name.empty())
        return name;
    wchar_t text[64] = L"";
    const LONG scanCode = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    if (scanCode && GetKeyNameTextW(scanCode, text, 64) > 0)
        return text;
    return L"#" + std::to_wstring(key);
}

// Stored hotkeys are shown with " + " between the modifiers; the key follows after "+ ".
std::wstring StoredHotKeyText(const std::vector<std::wstring>& modifiers, UINT key)
{
    return Join(modifiers, L" + ") + L"+ " + StoredKeyName(key);
}
} // namespace

CKeyShortcutEdit::CKeyShortcutEdit(bool allowWin) : m_allowWin(allowWin) {}

bool CKeyShortcutEdit::PreTranslateMessage(MSG* msg)
{
    switch (msg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnKeyDown(msg->wParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return OnKeyUp(msg->wParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return OnButtonDown();
    default:
        return false;
    }
}

bool CKeyShortcutEdit::OnKeyDown(WPARAM key)
{
    // Tab keeps moving the focus, so the field can be left by keyboard.
    if (key == VK_TAB)
        return false;
    ReadKeyStates();
    m_keyName = GetKeyName(static_cast<UINT>(key));
    if (!m_keyName.empty())
        m_key = static_cast<UINT>(key);
    UpdateText();
    return true;
}

bool CKeyShortcutEdit::OnKeyUp(WPARAM key)
{
    if (key == VK_TAB)
        return false;
    // Modifiers alone, or with a key that cannot be a hotkey, leave nothing behind.
    if (m_keyName.empty())
        SetText(L"");
    return true;
}

bool CKeyShortcutEdit::OnButtonDown()
{
    // Swallowed, so that a click neither moves the caret nor opens the context menu.
    SetFocus(GetHwnd());
    return true;
}

void CKeyShortcutEdit::ReadKeyStates()
{
    m_shiftDown = IsDown(VK_SHIFT);
    m_ctrlDown = IsDown(VK_CONTROL);
    m_altDown = IsDown(VK_MENU);
    if (m_allowWin)
        m_winDown = IsDown(VK_LWIN) || IsDown(VK_RWIN);
}

void CKeyShortcutEdit::UpdateText()
{
    // A bare key becomes Ctrl plus the key, and a lone Shift or Alt is taken as Ctrl:
    // plain keys, Shift and Alt combinations are what typing and menus use everywhere.
    const bool bareKey =
        !m_keyName.empty() && !m_ctrlDown && !m_shiftDown && !m_altDown && !m_winDown;
    const bool ctrl = m_ctrlDown || bareKey;
    const bool loneShiftOrAlt = (m_shiftDown != m_altDown) && !m_winDown;
    std::vector<std::wstring> parts;
    m_modifiers = 0;
    const auto add = [this, &parts](bool on, const Modifier& modifier)
    {
        if (!on)
            return;
        parts.push_back(modifier.name);
        m_modifiers |= modifier.modBit;
    };
    add(m_winDown, kWin);
    add(ctrl || loneShiftOrAlt, kCtrl);
    add(m_shiftDown && (ctrl || m_altDown || m_winDown), kShift);
    add(m_altDown && (ctrl || m_shiftDown || m_winDown), kAlt);
    std::wstring text = Join(parts, L"+ ");
    if (!text.empty())
        text += L"+ ";
    SetText(text + m_keyName);
}

WORD CKeyShortcutEdit::GetHotKey() const
{
    // An empty field means no hotkey, whatever an unnamed key left in m_modifiers.
    if (GetText().empty())
        return 0;
    BYTE flags = 0;
    for (const Modifier& modifier : {kAlt, kShift, kCtrl})
    {
        if (m_modifiers & modifier.modBit)
            flags |= modifier.hotKeyFlag;
    }
    if (!flags || !m_key)
        return 0;
    return MAKEWORD(LOBYTE(m_key), flags);
}

void CKeyShortcutEdit::SetHotKey(WORD hotKey)
{
    if (!hotKey)
        return;
    m_modifiers = 0;
    std::vector<std::wstring> names;
    for (const Modifier& modifier : {kCtrl, kAlt, kShift})
    {
        if (HIBYTE(hotKey) & modifier.hotKeyFlag)
        {
            names.push_back(modifier.name);
            m_modifiers |= modifier.modBit;
        }
    }
    // Kept also without a name in the table: an entry edited for its name alone must not
    // lose the hotkey its shell link gave it.
    const UINT key = LOBYTE(hotKey);
    if (key)
        m_key = key;
    SetText(StoredHotKeyText(names, key));
}

void CKeyShortcutEdit::ShowModifiersAndKey(UINT modifiers, UINT key)
{
    std::vector<std::wstring> names;
    for (const Modifier& modifier : {kCtrl, kAlt, kShift, kWin})
    {
        if (modifiers & modifier.modBit)
            names.push_back(modifier.name);
    }
    SetText(StoredHotKeyText(names, key));
}
