#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace test_support
{
// While it lives, closes every message box this thread shows after its construction (with IDOK, or
// the given answer to a question, IDNO by default) from a thread timer, which the box's own modal
// loop dispatches, and notes what each box said.
class CMessageBoxCloser
{
public:
    explicit CMessageBoxCloser(int questionAnswer = IDNO);
    ~CMessageBoxCloser();
    CMessageBoxCloser(const CMessageBoxCloser&) = delete;
    CMessageBoxCloser& operator=(const CMessageBoxCloser&) = delete;

    std::vector<std::wstring> m_texts;
    std::vector<std::wstring> m_captions;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CloseIfMessageBox(HWND hWnd, LPARAM);
    static BOOL CALLBACK SkipShownDialog(HWND hWnd, LPARAM);
    void Close(HWND box);

    static CMessageBoxCloser* s_active;
    int m_questionAnswer;
    UINT_PTR m_timer;
    std::set<HWND> m_closed;
};
} // namespace test_support
