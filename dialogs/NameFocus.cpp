#include "dialogs/NameFocus.h"

void FocusNameEdit(HWND dialog, HWND nameEdit)
{
    // WM_NEXTDLGCTL, unlike SetFocus, also moves the default button and the dialog's own
    // note of the focused control.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(nameEdit), TRUE);
    SendMessageW(nameEdit, EM_SETSEL, 0, -1);
}
