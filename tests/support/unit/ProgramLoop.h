#pragma once

#include "tests/support/InProcessInput.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace test_support
{
// Sees each retrieved message with whether the window objects took it.
using MessageObserver = std::function<void(const MSG&, bool handledByObjects)>;

// The program's loop around one dialog: the window objects first
// (CApplication::PreTranslateMessage), then IsDialogMessageW, then translation and
// dispatch. A modal dialog's own loop does not offer messages to the objects.
// GetKeyState only tells the truth about keys whose messages this thread retrieved, so
// keyboard tests type through this loop.
class CProgramLoop
{
public:
    explicit CProgramLoop(HWND dialog, bool offerToObjects = true);

    // Runs until done() holds after a message; false when timeoutMs passed first.
    bool RunUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
    // Sends the input and runs until as many key messages came through as there are
    // input events, so that each has been handled.
    bool Type(const std::vector<INPUT>& keys);

    MessageObserver m_observer;

private:
    bool RunOne();

    HWND m_dialog;
    bool m_offerToObjects;
    size_t m_keyMessages = 0;
};
} // namespace test_support
