#include "tests/unit/dialogs/KeyboardInput.h"

#include "toolkit/Application.h"

namespace dialogs_test
{
namespace
{
// Keys whose scan code is shared with the numeric keypad or another key, and the right-hand
// modifiers, carry the extended flag on a real keyboard.
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
    input.ki.dwFlags = flags | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

// Class of a dialog window made by the dialog manager.
constexpr wchar_t kDialogClass[] = L"#32770";
} // namespace

INPUT KeyDown(WORD virtualKey)
{
    return KeyInput(virtualKey, 0, 0);
}

INPUT KeyUp(WORD virtualKey)
{
    return KeyInput(virtualKey, 0, KEYEVENTF_KEYUP);
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

CProgramLoop::CProgramLoop(HWND dialog, bool offerToObjects)
    : m_dialog(dialog), m_offerToObjects(offerToObjects)
{
}

bool CProgramLoop::RunOne()
{
    MSG msg = {};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (IsKeyMessage(msg.message))
        ++m_keyMessages;
    const bool handled = m_offerToObjects && CApplication::Instance().PreTranslateMessage(&msg);
    if (m_observer)
        m_observer(msg, handled);
    if (handled || (m_dialog && IsDialogMessageW(m_dialog, &msg)))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

bool CProgramLoop::RunUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        if (!RunOne())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool CProgramLoop::Type(const std::vector<INPUT>& keys)
{
    const size_t expected = m_keyMessages + keys.size();
    return SendKeys(keys) && RunUntil([this, expected] { return m_keyMessages >= expected; });
}

void ReleaseModifiers()
{
    std::vector<INPUT> releases;
    for (const WORD key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN})
    {
        if (GetAsyncKeyState(key) & 0x8000)
            releases.push_back(KeyUp(key));
    }
    if (releases.empty())
        return;
    CProgramLoop loop(nullptr, false);
    loop.Type(releases);
}

bool FocusControl(HWND control)
{
    const HWND top = GetAncestor(control, GA_ROOT);
    SetForegroundWindow(top);
    SetFocus(control);
    return GetForegroundWindow() == top && GetFocus() == control;
}

CModalDriver* CModalDriver::s_active = nullptr;

CModalDriver::CModalDriver(std::function<void(HWND dialog)> script)
    : m_script(std::move(script)), m_timer(SetTimer(nullptr, 0, 20, OnTimer))
{
    s_active = this;
}

CModalDriver::~CModalDriver()
{
    if (m_timer)
        KillTimer(nullptr, m_timer);
    s_active = nullptr;
}

BOOL CALLBACK CModalDriver::FindDialog(HWND hWnd, LPARAM found)
{
    wchar_t className[16] = {};
    GetClassNameW(hWnd, className, 16);
    if (lstrcmpW(className, kDialogClass) != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hWnd;
    return FALSE;
}

void CALLBACK CModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    CModalDriver* driver = s_active;
    HWND dialog = nullptr;
    if (!driver || driver->m_ran)
        return;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    // The script pumps messages itself; this timer must not start it a second time.
    KillTimer(nullptr, driver->m_timer);
    driver->m_timer = 0;
    driver->m_ran = true;
    driver->m_script(dialog);
    if (IsWindowVisible(dialog))
    {
        driver->m_leftOpen = true;
        EndDialog(dialog, IDABORT);
    }
}
} // namespace dialogs_test
