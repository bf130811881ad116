#include "tests/support/unit/MessageBoxCloser.h"

namespace test_support
{
namespace
{
// The static control that holds a message box's text.
constexpr int MessageBoxTextId = 0xFFFF;

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[512] = {};
    GetWindowTextW(hWnd, text, ARRAYSIZE(text));
    return text;
}

// A dialog of the program shown at the same time, such as the modeless hotkey dialog, has
// no control of the message box's text.
bool IsMessageBox(HWND hWnd)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, ARRAYSIZE(className));
    return lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(hWnd) &&
           GetDlgItem(hWnd, MessageBoxTextId) != nullptr;
}
} // namespace

CMessageBoxCloser* CMessageBoxCloser::s_active = nullptr;

CMessageBoxCloser::CMessageBoxCloser(int questionAnswer)
    : m_questionAnswer(questionAnswer), m_timer(SetTimer(nullptr, 0, 20, &OnTimer))
{
    s_active = this;
    // A dialog already shown (the one whose OK brings the box) is no message box of ours.
    EnumThreadWindows(GetCurrentThreadId(), &SkipShownDialog, 0);
}

CMessageBoxCloser::~CMessageBoxCloser()
{
    KillTimer(nullptr, m_timer);
    s_active = nullptr;
}

void CALLBACK CMessageBoxCloser::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_active)
        EnumThreadWindows(GetCurrentThreadId(), &CloseIfMessageBox, 0);
}

BOOL CALLBACK CMessageBoxCloser::CloseIfMessageBox(HWND hWnd, LPARAM)
{
    if (IsMessageBox(hWnd))
        s_active->Close(hWnd);
    return TRUE;
}

BOOL CALLBACK CMessageBoxCloser::SkipShownDialog(HWND hWnd, LPARAM)
{
    if (IsMessageBox(hWnd))
        s_active->m_closed.insert(hWnd);
    return TRUE;
}

void CMessageBoxCloser::Close(HWND box)
{
    // A box may still be up at the next tick, between the post and its handling.
    if (!m_closed.insert(box).second)
        return;
    m_texts.push_back(WindowText(GetDlgItem(box, MessageBoxTextId)));
    m_captions.push_back(WindowText(box));
    const int answer = GetDlgItem(box, m_questionAnswer) ? m_questionAnswer : IDOK;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}
} // namespace test_support
