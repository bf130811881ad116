#include "bench/floor/FloorEdits.h"

#include <algorithm>

#include "bench/floor/BenchSupport.h"
#include "resources/resource.h"

namespace bench
{
namespace
{
enum : UINT
{
    EditCommand = 1,
    DeleteCommand = 2,
};

std::wstring CategoryPath(const std::wstring& category)
{
    return ApplicationsPath() + category + L"\\";
}

// --- A dialog with one name field, from a template in memory ---

void AppendText(std::vector<WORD>& words, const wchar_t* text)
{
    while (*text)
        words.push_back(*text++);
    words.push_back(0);
}

template <typename Header> void AppendHeader(std::vector<WORD>& words, const Header& header)
{
    if (words.size() % 2 != 0)
        words.push_back(0); // each header starts on a DWORD
    const auto* begin = reinterpret_cast<const WORD*>(&header);
    words.insert(words.end(), begin, begin + sizeof(header) / sizeof(WORD));
}

void AppendControl(std::vector<WORD>& words, DWORD style, RECT rect, WORD id, WORD classAtom,
                   const wchar_t* text)
{
    const DLGITEMTEMPLATE item = {WS_CHILD | WS_VISIBLE | style,
                                  0,
                                  static_cast<short>(rect.left),
                                  static_cast<short>(rect.top),
                                  static_cast<short>(rect.right),
                                  static_cast<short>(rect.bottom),
                                  id};
    AppendHeader(words, item);
    words.push_back(0xFFFF);
    words.push_back(classAtom);
    AppendText(words, text);
    words.push_back(0); // no creation data
}

constexpr WORD ButtonAtom = 0x0080;
constexpr WORD EditAtom = 0x0081;

std::vector<WORD> NameDialogTemplate(WORD field)
{
    std::vector<WORD> words;
    const DLGTEMPLATE dialog = {
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 3, 0, 0, 200, 50};
    AppendHeader(words, dialog);
    words.push_back(0); // no menu
    words.push_back(0); // the dialog class
    AppendText(words, L"Name");
    words.push_back(8);
    AppendText(words, L"MS Shell Dlg");
    AppendControl(words, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {7, 7, 186, 14}, field, EditAtom,
                  L"");
    AppendControl(words, WS_TABSTOP | BS_DEFPUSHBUTTON, {90, 28, 50, 14}, IDOK, ButtonAtom, L"OK");
    AppendControl(words, WS_TABSTOP, {143, 28, 50, 14}, IDCANCEL, ButtonAtom, L"Cancel");
    return words;
}

struct NameRequest
{
    WORD field;
    std::wstring name;
};

INT_PTR CALLBACK NameDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
    {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const auto* request = reinterpret_cast<NameRequest*>(lParam);
        SetDlgItemTextW(dialog, request->field, request->name.c_str());
        return TRUE;
    }
    if (msg != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
        return FALSE;
    if (LOWORD(wParam) == IDOK)
    {
        auto* request = reinterpret_cast<NameRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
        wchar_t name[256] = {};
        GetDlgItemTextW(dialog, request->field, name, ARRAYSIZE(name));
        request->name = name;
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

bool AskForName(HWND owner, WORD field, std::wstring& name)
{
    const std::vector<WORD> dialog = NameDialogTemplate(field);
    NameRequest request = {field, name};
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                                NameDialogProc, reinterpret_cast<LPARAM>(&request)) != IDOK)
        return false;
    name = request.name;
    return true;
}

// --- The edits ---

bool NameLess(const FloorRow& left, const FloorRow& right)
{
    return lstrcmpiW(left.name.c_str(), right.name.c_str()) < 0;
}

void Rename(FloorRow& row, const std::wstring& name)
{
    row.name = name;
    SetWindowTextW(row.window, name.c_str());
    InvalidateRect(row.window, nullptr, FALSE);
}

void RenameEntry(FloorColumn& column, FloorRow& entry, const std::wstring& name)
{
    const std::wstring path = CategoryPath(column.header.name);
    RegDeleteKeyW(HKEY_CURRENT_USER, (path + entry.name).c_str());
    WriteBareEntryAt(path, name);
    Rename(entry, name);
    std::sort(column.entries.begin(), column.entries.end(), NameLess);
}

void RenameCategory(std::vector<FloorColumn>& columns, FloorColumn& column,
                    const std::wstring& name)
{
    DeleteTree(CategoryPath(column.header.name));
    for (const FloorRow& entry : column.entries)
        WriteBareEntryAt(CategoryPath(name), entry.name);
    Rename(column.header, name);
    std::sort(columns.begin(), columns.end(),
              [](const FloorColumn& left, const FloorColumn& right)
              { return NameLess(left.header, right.header); });
}

void DeleteEntry(FloorColumn& column, size_t index)
{
    RegDeleteKeyW(HKEY_CURRENT_USER,
                  (CategoryPath(column.header.name) + column.entries[index].name).c_str());
    DestroyWindow(column.entries[index].window);
    column.entries.erase(column.entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void DeleteCategory(std::vector<FloorColumn>& columns, size_t index)
{
    DeleteTree(CategoryPath(columns[index].header.name));
    DestroyWindow(columns[index].header.window);
    for (const FloorRow& entry : columns[index].entries)
        DestroyWindow(entry.window);
    columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(index));
}

UINT ChooseFromMenu(HWND owner)
{
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, EditCommand, L"&Edit");
    AppendMenuW(menu, MF_STRING, DeleteCommand, L"&Delete");
    POINT cursor = {};
    GetCursorPos(&cursor);
    const UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                          cursor.x, cursor.y, 0, owner, nullptr));
    DestroyMenu(menu);
    return command;
}

bool ConfirmDelete(HWND owner)
{
    return MessageBoxW(owner, L"Delete?", L"Floor", MB_YESNO) == IDYES;
}
} // namespace

void EditRowFromMenu(HWND owner, std::vector<FloorColumn>& columns, HWND row)
{
    for (size_t c = 0; c < columns.size(); ++c)
    {
        FloorColumn& column = columns[c];
        const bool header = column.header.window == row;
        size_t e = 0;
        while (e < column.entries.size() && column.entries[e].window != row)
            ++e;
        if (!header && e == column.entries.size())
            continue;
        const UINT command = ChooseFromMenu(owner);
        std::wstring name = header ? column.header.name : column.entries[e].name;
        if (command == EditCommand &&
            AskForName(owner, header ? IDC_CATEGORY_NAME_EDIT : IDC_NAME_EDIT, name))
            header ? RenameCategory(columns, column, name)
                   : RenameEntry(column, column.entries[e], name);
        else if (command == DeleteCommand && ConfirmDelete(owner))
            header ? DeleteCategory(columns, c) : DeleteEntry(column, e);
        return;
    }
}
} // namespace bench
