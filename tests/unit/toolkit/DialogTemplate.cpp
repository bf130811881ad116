#include "tests/unit/toolkit/DialogTemplate.h"

namespace toolkit_test
{
namespace
{
// Word offset of DLGTEMPLATE::cdit.
constexpr size_t kControlCountIndex = 4;
} // namespace

CDialogTemplate::CDialogTemplate(DWORD style, short width, short height, const std::wstring& title)
{
    AddDword(style | DS_SETFONT);
    AddDword(0);          // extended style
    m_words.push_back(0); // control count
    m_words.insert(m_words.end(), {0, 0, static_cast<WORD>(width), static_cast<WORD>(height)});
    m_words.push_back(0); // no menu
    m_words.push_back(0); // predefined dialog class
    AddString(title);
    m_words.push_back(8); // point size
    AddString(L"MS Shell Dlg");
}

void CDialogTemplate::AddControl(const std::wstring& className, WORD id, DWORD style, short x,
                                 short y, short width, short height, const std::wstring& text)
{
    AlignToDword();
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    m_words.insert(m_words.end(), {static_cast<WORD>(x), static_cast<WORD>(y),
                                   static_cast<WORD>(width), static_cast<WORD>(height), id});
    AddString(className);
    AddString(text);
    m_words.push_back(0); // no creation data
    ++m_words[kControlCountIndex];
}

const DLGTEMPLATE* CDialogTemplate::Get() const
{
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

void CDialogTemplate::AddDword(DWORD value)
{
    m_words.push_back(LOWORD(value));
    m_words.push_back(HIWORD(value));
}

void CDialogTemplate::AddString(const std::wstring& text)
{
    m_words.insert(m_words.end(), text.begin(), text.end());
    m_words.push_back(0);
}

void CDialogTemplate::AlignToDword()
{
    if (m_words.size() % 2)
        m_words.push_back(0);
}
} // namespace toolkit_test
