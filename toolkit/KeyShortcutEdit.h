#pragma once

#include "toolkit/Edit.h"

#include <string>

// Turns a single-line edit into a hotkey field: the pressed combination is shown as text
// ("Ctrl+ Alt+ A") and kept as RegisterHotKey modifier bits (MOD_) plus a virtual key.
// Key messages must reach PreTranslateMessage before they are translated: the owner's
// message loop or a WH_GETMESSAGE hook passes them on.
class CKeyShortcutEdit : public CEdit
{
public:
    // allowWin: the Windows keys count as a modifier; a shell-link hotkey cannot hold them.
    explicit CKeyShortcutEdit(bool allowWin);

    bool PreTranslateMessage(MSG* msg) override;

    // Derives m_modifiers from the key states of the last key event and shows them with
    // the name of the last key.
    void UpdateText();
    // The combination as a shell-link hotkey word (HOTKEYF_ flags in the high byte, the
    // Windows key dropped); 0 when the field is empty or holds no complete combination.
    WORD GetHotKey() const;
    // Loads a shell-link hotkey word; 0 leaves the field as it is.
    void SetHotKey(WORD hotKey);
    // Shows a stored show-window hotkey as text only: m_modifiers and m_key stay, so that
    // m_modifiers 0 still tells the owner that nothing new was pressed.
    void ShowModifiersAndKey(UINT modifiers, UINT key);

    // Read by the owner: the captured combination; m_key only ever holds a named key.
    UINT m_modifiers = 0;
    UINT m_key = 0;

private:
    bool OnKeyDown(WPARAM key);
    bool OnKeyUp(WPARAM key);
    bool OnButtonDown();
    void ReadKeyStates();

    bool m_ctrlDown = false;
    bool m_shiftDown = false;
    bool m_altDown = false;
    bool m_winDown = false;
    // Name of the key of the last key-down; empty for a key without a name.
    std::wstring m_keyName;
    bool m_allowWin;
};
