#include "tests/support/InProcessInput.h"

#include <windowsx.h>

namespace test_support
{
namespace
{
constexpr UINT FlushMarker = WM_APP + 0x3A8;
// Once Wine's cursor has rested for 100 ms, GetCursorPos answers with the X pointer. No
// mouse message for longer than that means the desktop's reports (a few milliseconds
// after a move) are all in, and the check that follows sees the pointer.
constexpr DWORD QuietMs = 110;
// A move to where the X pointer already is brings no report at all.
constexpr DWORD ReportWaitMs = 300;
constexpr DWORD MoveTimeoutMs = 3000;
constexpr int MoveAttempts = 5;

// Where the last move settled. Button events carry it: a late report of the desktop may
// have pulled Wine's cursor elsewhere since.
POINT pointer = {0, 0};

bool DispatchOne(const std::function<void(const MSG&)>& watch)
{
    MSG msg = {};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (watch)
        watch(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

bool CursorAt(POINT screen)
{
    POINT cursor = {-1, -1};
    GetCursorPos(&cursor);
    return SamePoint(cursor, screen);
}

enum class Settling
{
    Settled,
    // Wine's cursor was pulled elsewhere by a late report of an old point.
    Pulled,
    // Wine's cursor is on the target, the X pointer is not.
    Unwarped,
    TimedOut,
};

// Dispatches until the desktop has reported the move to the target (or had nothing to
// report) and the mouse has been quiet since, then compares the last mouse message (Wine's
// cursor) and the X pointer with the target.
Settling SettleOn(POINT target, const std::function<void(const MSG&)>& watch)
{
    const DWORD start = GetTickCount();
    DWORD lastMouse = start;
    POINT lastPoint = {-1, -1};
    bool reported = false;
    const auto observe = [&](const MSG& msg)
    {
        if (msg.message == WM_MOUSEMOVE)
        {
            lastMouse = GetTickCount();
            lastPoint = msg.pt;
            reported = reported || (SamePoint(msg.pt, target) &&
                                    GetMessageExtraInfo() != static_cast<LPARAM>(OwnMouseEvent));
        }
        if (watch)
            watch(msg);
    };
    for (;;)
    {
        while (DispatchOne(observe))
        {
        }
        const DWORD now = GetTickCount();
        if (now - lastMouse >= QuietMs && (reported || now - start >= ReportWaitMs))
        {
            if (!SamePoint(lastPoint, target))
                return Settling::Pulled;
            return CursorAt(target) ? Settling::Settled : Settling::Unwarped;
        }
        if (now - start > MoveTimeoutMs)
            return Settling::TimedOut;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The move reached the receiver at the intended point.
bool IsCausedMove(const MSG& msg, HWND receiver, POINT screen)
{
    if (msg.message != WM_MOUSEMOVE || msg.hwnd != receiver)
        return false;
    POINT client = screen;
    ScreenToClient(receiver, &client);
    return SamePoint({GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}, client);
}

// Class of a dialog window made by the dialog manager.
constexpr wchar_t DialogClass[] = L"#32770";

// The pixel left of the point, or right of it at the screen's edge.
POINT Beside(POINT screen)
{
    return {screen.x > 0 ? screen.x - 1 : screen.x + 1, screen.y};
}

bool SendAndWait(DWORD flags, UINT message, HWND receiver)
{
    if (!SendMouse(flags, pointer))
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; }, [&arrived, message, receiver](const MSG& msg)
                     { arrived = arrived || (msg.message == message && msg.hwnd == receiver); });
}
} // namespace

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

bool PumpUntil(const std::function<bool()>& done, const std::function<void(const MSG&)>& watch,
               DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        if (!DispatchOne(watch))
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool MoveMouse(POINT screen, const std::function<void(const MSG&)>& watch)
{
    for (int attempt = 0; attempt < MoveAttempts; ++attempt)
    {
        if (!SendMouse(0, screen))
            return false;
        const Settling settling = SettleOn(screen, watch);
        if (settling == Settling::Settled)
        {
            pointer = screen;
            return true;
        }
        // A move that leaves Wine's cursor where it is does not warp the X pointer; the
        // next one, coming from beside the target, does. The move aside settles first:
        // each warp brings a report of the point it left, which must not come last.
        if (settling == Settling::Unwarped &&
            (!SendMouse(0, Beside(screen)) ||
             SettleOn(Beside(screen), watch) == Settling::TimedOut))
            return false;
    }
    return false;
}

bool MoveMouseTo(POINT screen, HWND receiver, const std::function<void(const MSG&)>& also)
{
    bool arrived = false;
    const auto watch = [&arrived, receiver, screen, &also](const MSG& msg)
    {
        if (also)
            also(msg);
        arrived = arrived || IsCausedMove(msg, receiver, screen);
    };
    return MoveMouse(screen, watch) && arrived;
}

POINT ScreenPoint(HWND hWnd, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(hWnd, &point);
    return point;
}

bool PressLeftButton(HWND receiver, UINT expected)
{
    return SendAndWait(MOUSEEVENTF_LEFTDOWN, expected, receiver);
}

bool ReleaseLeftButton(HWND receiver)
{
    return SendAndWait(MOUSEEVENTF_LEFTUP, WM_LBUTTONUP, receiver);
}

bool PressKey(WORD key, HWND receiver)
{
    if (!SendKeys({KeyEvent(key, false, false), KeyEvent(key, true, false)}))
        return false;
    bool arrived = false;
    return PumpUntil([&arrived] { return arrived; },
                     [&arrived, key, receiver](const MSG& msg) {
                         arrived = arrived || (msg.message == WM_KEYUP && msg.hwnd == receiver &&
                                               msg.wParam == key);
                     });
}

bool FlushPostedMessages(HWND hWnd, const std::function<void(const MSG&)>& watch)
{
    bool back = false;
    PostMessageW(hWnd, FlushMarker, 0, 0);
    return PumpUntil([&back] { return back; },
                     [&back, hWnd, &watch](const MSG& msg)
                     {
                         if (watch)
                             watch(msg);
                         back = back || (msg.message == FlushMarker && msg.hwnd == hWnd);
                     });
}

void ReleaseModifiers()
{
    std::vector<INPUT> releases;
    for (const WORD key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN})
    {
        if (GetAsyncKeyState(key) & 0x8000)
            releases.push_back(KeyUp(key));
    }
    if (releases.empty() || !SendKeys(releases))
        return;
    size_t keyMessages = 0;
    PumpUntil([&keyMessages, &releases] { return keyMessages >= releases.size(); },
              [&keyMessages](const MSG& msg)
              {
                  if (IsKeyMessage(msg.message))
                      ++keyMessages;
              });
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
    if (lstrcmpW(className, DialogClass) != 0 || !IsWindowVisible(hWnd))
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

std::vector<COLORREF> CaptureClient(HWND hWnd)
{
    RECT client = {};
    GetClientRect(hWnd, &client);
    std::vector<COLORREF> pixels;
    const HDC dc = GetDC(hWnd);
    for (int y = 0; y < client.bottom; ++y)
    {
        for (int x = 0; x < client.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(hWnd, dc);
    return pixels;
}
} // namespace test_support
