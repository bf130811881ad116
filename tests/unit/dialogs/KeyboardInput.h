#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogs_test
{
// Real keyboard input through SendInput, and the program's message loop to receive it:
// GetKeyState only tells the truth about keys whose messages this thread retrieved.

INPUT KeyDown(WORD virtualKey);
INPUT KeyUp(WORD virtualKey);
// Each key of the list goes down in order and comes up in reverse order.
std::vector<INPUT> Chord(const std::vector<WORD>& virtualKeys);
// Each character typed as Unicode input, down and up.
std::vector<INPUT> UnicodeText(const std::wstring& text);

// Queues the input; false when SendInput took less than all of it.
bool SendKeys(const std::vector<INPUT>& keys);

// Sees each retrieved message with whether the window objects took it.
using MessageObserver = std::function<void(const MSG&, bool handledByObjects)>;

// The program's loop around one dialog: the window objects first
// (CApplication::PreTranslateMessage), then IsDialogMessageW, then translation and
// dispatch. A modal dialog's own loop does not offer messages to the objects.
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

// Lets go of the modifiers a failed test may have left down, so the next test starts clean.
void ReleaseModifiers();

// Brings the window forward and gives the control the focus; false when that fails.
bool FocusControl(HWND control);

// Runs a script inside the modal loop of the next dialog this thread shows, from a
// thread timer. A dialog that is still shown after the script is ended with IDABORT.
class CModalDriver
{
public:
    explicit CModalDriver(std::function<void(HWND dialog)> script);
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    bool m_ran = false;
    bool m_leftOpen = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found);

    static CModalDriver* s_active;
    std::function<void(HWND)> m_script;
    UINT_PTR m_timer;
};
} // namespace dialogs_test
