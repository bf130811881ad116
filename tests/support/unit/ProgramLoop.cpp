#include "tests/support/unit/ProgramLoop.h"

#include "toolkit/Application.h"

namespace test_support
{
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
} // namespace test_support
