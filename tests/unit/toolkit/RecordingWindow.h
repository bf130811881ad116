#pragma once

#include "toolkit/Window.h"

#include <map>
#include <string>
#include <vector>

namespace toolkit_test
{
// A window object that writes down what reaches it. Objects that share one journal show
// the order in which several of them were called.
class CRecordingWindow : public CWindow
{
public:
    explicit CRecordingWindow(std::wstring name = L"window",
                              std::vector<std::wstring>* journal = nullptr);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG* msg) override;
    void OnNotify(NMHDR* header, LRESULT* result) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool OnAttach() override;

    bool Saw(UINT msg) const;
    size_t CountOf(UINT msg) const;

    // Creates a window of a class whose procedure is StaticWindowProc, with object as
    // creation parameter (which may be null).
    static HWND CreateTestWindow(CWindow* object, DWORD style, HWND parent, RECT rect,
                                 const wchar_t* title = L"");
    static const wchar_t* const kClassName;

    std::vector<UINT> m_messages;
    std::map<UINT, LRESULT> m_answers;
    bool m_handlesPreTranslate = false;
    bool m_attachResult = true;
    int m_attachCount = 0;
    LRESULT m_notifyWrites = 0;
    NMHDR* m_notifyHeader = nullptr;
    LRESULT* m_notifyResult = nullptr;
    NMHDR* m_reflectHeader = nullptr;
    LRESULT* m_reflectResult = nullptr;

private:
    void Note(const std::wstring& event);

    std::wstring m_name;
    std::vector<std::wstring>* m_journal;
};
} // namespace toolkit_test
