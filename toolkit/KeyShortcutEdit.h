#pragma once

#include "toolkit/Edit.h"
#include "toolkit/KeyShortcutEditListener.h"

#include <string>

// Turns a single-line edit into a hotkey field: the pressed combination is shown as text
// ("Ctrl+ Alt+ A") and held as RegisterHotKey modifier bits (MOD_) plus a virtual key.
// The text always shows the held combination, which only a complete combination (a named
// key with its modifiers) replaces and Backspace or Delete alone clears; modifiers alone
// and moves of the focus change nothing. Nothing can be typed, pasted or undone into it.
// Key messages must reach PreTranslateMessage before they are translated: the owner's
// message loop or a WH_GETMESSAGE hook passes them on.
class CKeyShortcutEdit : public CEdit
{
public:
    // allowWin: the Windows keys count as a modifier; a shell-link hotkey cannot hold them.
    explicit CKeyShortcutEdit(bool allowWin);
    ~CKeyShortcutEdit() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* msg) override;

    // The one listener of every field's focus; null for none.
    static void SetFocusListener(IKeyShortcutEditListener* listener);

    // The held combination as a shell-link hotkey word (HOTKEYF_ flags in the high byte,
    // the Windows key dropped); the loaded word itself while it is held unchanged; 0 for
    // none.
    WORD GetHotKey() const;
    // Loads a stored shell-link hotkey word as the held combination; 0 empties the field.
    void SetHotKey(WORD hotKey);
    // Loads a stored show-window hotkey (MOD_ bits, virtual key) as the held combination.
    void ShowModifiersAndKey(UINT modifiers, UINT key);
    // True when the held combination is not the one loaded last.
    bool IsChanged() const;
    UINT GetModifiers() const { return m_modifiers; }
    UINT GetKey() const { return m_key; }

private:
    bool OnKeyDown(WPARAM key);
    bool OnButtonDown();
    void Hold(UINT modifiers, UINT key, const std::wstring& text);
    void Load(UINT modifiers, UINT key, WORD hotKey, const std::wstring& text);
    WORD HeldHotKey() const;
    void TellFocus(bool focused);

    // The held combination; both 0 when the field is empty.
    UINT m_modifiers = 0;
    UINT m_key = 0;
    // The combination loaded last, and the word it came as.
    UINT m_loadedModifiers = 0;
    UINT m_loadedKey = 0;
    WORD m_loadedHotKey = 0;
    bool m_allowWin;
    // The listener was told that this field has the focus, and not yet that it lost it.
    bool m_focusTold = false;

    static IKeyShortcutEditListener* s_listener;
};
