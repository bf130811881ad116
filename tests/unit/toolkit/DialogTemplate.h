#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace toolkit_test
{
// Builds a DLGTEMPLATE in memory, for dialogs that need no resource file.
class CDialogTemplate
{
public:
    CDialogTemplate(DWORD style, short width, short height, const std::wstring& title);

    void AddControl(const std::wstring& className, WORD id, DWORD style, short x, short y,
                    short width, short height, const std::wstring& text = L"");
    const DLGTEMPLATE* Get() const;

private:
    void AddDword(DWORD value);
    void AddString(const std::wstring& text);
    void AlignToDword();

    // Words keep the template aligned as DLGTEMPLATE requires.
    std::vector<WORD> m_words;
};
} // namespace toolkit_test
