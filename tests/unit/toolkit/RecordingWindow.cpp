#include "tests/unit/toolkit/RecordingWindow.h"

#include "toolkit/Application.h"

#include <algorithm>

namespace toolkit_test
{
const wchar_t* const CRecordingWindow::kClassName = L"PathmoorToolkitTestWindow";

CRecordingWindow::CRecordingWindow(std::wstring name, std::vector<std::wstring>* journal)
    : m_name(std::move(name)), m_journal(journal)
{
}

LRESULT CRecordingWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    m_messages.push_back(msg);
    Note(L"WindowProc " + std::to_wstring(msg));
    const auto answer = m_answers.find(msg);
    if (answer != m_answers.end())
        return answer->second;
    return CWindow::WindowProc(msg, wParam, lParam);
}

INT_PTR CRecordingWindow::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    m_messages.push_back(msg);
    Note(L"DialogProc " + std::to_wstring(msg));
    const auto answer = m_answers.find(msg);
    if (answer != m_answers.end())
        return answer->second;
    return CWindow::DialogProc(msg, wParam, lParam);
}

bool CRecordingWindow::PreTranslateMessage(MSG*)
{
    Note(L"PreTranslateMessage");
    return m_handlesPreTranslate;
}

void CRecordingWindow::OnNotify(NMHDR* header, LRESULT* result)
{
    Note(L"OnNotify");
    m_notifyHeader = header;
    m_notifyResult = result;
    *result = m_notifyWrites;
}

void CRecordingWindow::OnReflectNotify(NMHDR* header, LRESULT* result)
{
    Note(L"OnReflectNotify");
    m_reflectHeader = header;
    m_reflectResult = result;
    *result = m_notifyWrites;
}

bool CRecordingWindow::OnAttach()
{
    ++m_attachCount;
    return m_attachResult;
}

bool CRecordingWindow::Saw(UINT msg) const
{
    return CountOf(msg) > 0;
}

size_t CRecordingWindow::CountOf(UINT msg) const
{
    return static_cast<size_t>(std::count(m_messages.begin(), m_messages.end(), msg));
}

void CRecordingWindow::Note(const std::wstring& event)
{
    if (m_journal)
        m_journal->push_back(m_name + L":" + event);
}

HWND CRecordingWindow::CreateTestWindow(CWindow* object, DWORD style, HWND parent, RECT rect,
                                        const wchar_t* title)
{
    const HINSTANCE instance = CApplication::Instance().GetInstanceHandle();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CWindow::StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass); // fails harmlessly once the class exists
    return CreateWindowExW(0, kClassName, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, instance, object);
}
} // namespace toolkit_test
