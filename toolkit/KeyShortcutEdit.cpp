#include "toolkit/KeyShortcutEdit.h"

#include "toolkit/HotKeyWord.h"
#include "toolkit/KeyNames.h"

#include <initializer_list>
#include <string>
#include <vector>

IKeyShortcutEditListener* CKeyShortcutEdit::s_listener = nullptr;

namespace
{
// One modifier as RegisterHotKey and the text know it.
struct Modifier
{
    UINT modBit;
    const wchar_t* name;
};

constexpr Modifier kCtrl = {MOD_CONTROL, L"Ctrl"};
constexpr Modifier kAlt = {MOD_ALT, L"Alt"};
constexpr Modifier kShift = {MOD_SHIFT, L"Shift"};
constexpr Modifier kWin = {MOD_WIN, L"Win"};

struct KeyStates
{
    bool ctrl;
    bool shift;
    bool alt;
    bool win;

    bool Any() const { return ctrl || shift || alt || win; }
};

bool IsDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

KeyStates ReadKeyStates(bool allowWin)
{
    const bool win = allowWin && (IsDown(VK_LWIN) || IsDown(VK_RWIN));
    return {IsDown(VK_CONTROL), IsDown(VK_SHIFT), IsDown(VK_MENU), win};
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
std::wstring StoredHotKeyText(UINT modifiers, std::initializer_list<Modifier> order, UINT key)
{
    std::vector<std::wstring> names;
    for (const Modifier& modifier : order)
    {
        if (modifiers & modifier.modBit)
            names.push_back(modifier.name);
    }
    return Join(names, L" + ") + L"+ " + StoredKeyName(key);
}

// 0 without a key or without a modifier a shell link can hold.
WORD MakeHotKey(UINT modifiers, UINT key)
{
    const BYTE flags = HotKeyFlagsOfModifiers(modifiers);
    return flags && key ? MAKEWORD(LOBYTE(key), flags) : 0;
}
} // namespace

CKeyShortcutEdit::CKeyShortcutEdit(bool allowWin) : m_allowWin(allowWin) {}

CKeyShortcutEdit::~CKeyShortcutEdit()
{
    // The window outlives this object by a moment and no longer reaches it.
    TellFocus(false);
}

void CKeyShortcutEdit::SetFocusListener(IKeyShortcutEditListener* listener)
{
    s_listener = listener;
}

LRESULT CKeyShortcutEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    // The text is the held combination: nothing may type, paste, cut, clear or undo it,
    // and the edit's own menu (right button, Shift+F10, the Apps key) would offer that.
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    case WM_SETFOCUS:
    {
        const LRESULT result = CEdit::WindowProc(msg, wParam, lParam);
        TellFocus(true);
        return result;
    }
    case WM_KILLFOCUS:
    case WM_DESTROY:
        TellFocus(false);
        return CEdit::WindowProc(msg, wParam, lParam);
    default:
        return CEdit::WindowProc(msg, wParam, lParam);
    }
}

bool CKeyShortcutEdit::PreTranslateMessage(MSG* msg)
{
    switch (msg->message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return OnKeyDown(msg->wParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // Tab keeps moving the focus, so the field can be left by keyboard; every other
        // key-up is taken and changes nothing.
        return msg->wParam != VK_TAB;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return OnButtonDown();
    default:
        return false;
    }
}

bool CKeyShortcutEdit::OnKeyDown(WPARAM key)
{
    if (key == VK_TAB)
        return false;
    const KeyStates down = ReadKeyStates(m_allowWin);
    const std::wstring name = GetKeyName(static_cast<UINT>(key));
    if (name.empty())
    {
        // No key name has them, so taking them to clear costs no combination.
        if ((key == VK_BACK || key == VK_DELETE) && !down.Any())
            Hold(0, 0, L"");
        return true;
    }
    // A bare key becomes Ctrl plus the key, and a lone Shift or Alt is taken as Ctrl:
    // plain keys, Shift and Alt combinations are what typing and menus use everywhere.
    const bool ctrl = down.ctrl || !down.Any();
    const bool loneShiftOrAlt = (down.shift != down.alt) && !down.win;
    std::vector<std::wstring> parts;
    UINT modifiers = 0;
    const auto add = [&parts, &modifiers](bool on, const Modifier& modifier)
    {
        if (!on)
            return;
        parts.push_back(modifier.name);
        modifiers |= modifier.modBit;
    };
    add(down.win, kWin);
    add(ctrl || loneShiftOrAlt, kCtrl);
    add(down.shift && (ctrl || down.alt || down.win), kShift);
    add(down.alt && (ctrl || down.shift || down.win), kAlt);
    Hold(modifiers, static_cast<UINT>(key), Join(parts, L"+ ") + L"+ " + name);
    return true;
}

bool CKeyShortcutEdit::OnButtonDown()
{
    // Swallowed, so that a click neither moves the caret nor starts a selection.
    SetFocus(GetHwnd());
    return true;
}

void CKeyShortcutEdit::Hold(UINT modifiers, UINT key, const std::wstring& text)
{
    // Held before the text is set, so the owner's EN_CHANGE sees the new combination; a
    // text the window refuses leaves the old combination, which it still shows.
    const UINT oldModifiers = m_modifiers;
    const UINT oldKey = m_key;
    m_modifiers = modifiers;
    m_key = key;
    if (!SetWindowTextW(GetHwnd(), text.c_str()))
    {
        m_modifiers = oldModifiers;
        m_key = oldKey;
    }
}

void CKeyShortcutEdit::Load(UINT modifiers, UINT key, WORD hotKey, const std::wstring& text)
{
    Hold(modifiers, key, text);
    m_loadedModifiers = m_modifiers;
    m_loadedKey = m_key;
    m_loadedHotKey = m_modifiers == modifiers && m_key == key ? hotKey : HeldHotKey();
}

bool CKeyShortcutEdit::IsChanged() const
{
    return m_modifiers != m_loadedModifiers || m_key != m_loadedKey;
}

WORD CKeyShortcutEdit::GetHotKey() const
{
    // Unchanged, the stored word goes back as it came, flags the field does not show
    // (HOTKEYF_EXT) included.
    return IsChanged() ? HeldHotKey() : m_loadedHotKey;
}

WORD CKeyShortcutEdit::HeldHotKey() const
{
    return MakeHotKey(m_modifiers, m_key);
}

void CKeyShortcutEdit::SetHotKey(WORD hotKey)
{
    if (!hotKey)
    {
        Load(0, 0, 0, L"");
        return;
    }
    // A key outside the table is held too: an entry edited for its name alone must not
    // lose the hotkey its shell link gave it.
    const UINT modifiers = ModifiersOfHotKeyFlags(HIBYTE(hotKey));
    const UINT key = LOBYTE(hotKey);
    Load(modifiers, key, hotKey, StoredHotKeyText(modifiers, {kCtrl, kAlt, kShift}, key));
}

void CKeyShortcutEdit::ShowModifiersAndKey(UINT modifiers, UINT key)
{
    Load(modifiers, key, MakeHotKey(modifiers, key),
         StoredHotKeyText(modifiers, {kCtrl, kAlt, kShift, kWin}, key));
}

void CKeyShortcutEdit::TellFocus(bool focused)
{
    if (focused == m_focusTold)
        return;
    m_focusTold = focused;
    if (s_listener)
        s_listener->OnHotKeyFieldFocus(focused);
}
