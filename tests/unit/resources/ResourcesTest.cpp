#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "toolkit/Utilities.h"

namespace
{

HINSTANCE Module()
{
    return GetModuleHandleW(nullptr);
}

// Strings

struct StringCase
{
    UINT id;
    const wchar_t* text;
};

const StringCase kStrings[] = {
    {IDS_CREATE_CLASS_FAILED, L"Failed to create window class"},
    {IDS_CREATE_WINDOW_FAILED, L"Failed to create window"},
    {IDS_ONLY_EXE_FILES, L"Only exe files and shortcuts to them can be added"},
    {IDS_EDIT_CATEGORY, L"Edit category"},
    {IDS_DELETE_CATEGORY_PROMPT, L"Delete the category with all included items?"},
    {IDS_ADD_APPLICATION, L"Add application"},
    {IDS_EDIT_APPLICATION, L"Edit application"},
    {IDS_ADD_SHORTCUT, L"Add shortcut"},
    {IDS_EDIT_SHORTCUT, L"Edit shortcut"},
    {IDS_ADD_FOLDER, L"Add folder"},
    {IDS_EDIT_FOLDER, L"Edit folder"},
    {IDS_APPLICATION_NAME_LABEL, L"Application &name:"},
    {IDS_APPLICATION_PATH_LABEL, L"Application &path:"},
    {IDS_SHORTCUT_NAME_LABEL, L"Shortcut &name:"},
    {IDS_SHORTCUT_PATH_LABEL, L"Shortcut &path:"},
    {IDS_FOLDER_NAME_LABEL, L"Folder &name:"},
    {IDS_FOLDER_PATH_LABEL, L"Folder &path:"},
    {IDS_ITEM_EXISTS, L"Item with this name already exists"},
    {IDS_CATEGORY_EXISTS, L"Category with this name already exists"},
    {IDS_ADD_GROUP, L"Add group"},
    {IDS_ADD_ITEM, L"Add item"},
    {IDS_APPLICATIONS_TAB, L"Applications"},
    {IDS_SHORTCUTS_TAB, L"Shortcuts"},
};

// Messages added since, each with an id of its own outside the table above.
const StringCase kAddedStrings[] = {
    {IDS_NAME_HAS_BACKSLASH, L"A name cannot contain a backslash (\\)"},
    {IDS_NAME_EMPTY, L"A name cannot be empty"},
    {IDS_NAME_TOO_LONG, L"A name cannot be longer than 255 characters"},
    {IDS_PATH_NOT_FOUND, L"The path names no file or folder. Type a full path, or the name of a "
                         L"program the system can find."},
    {IDS_HOTKEY_USED_BY_ENTRY,
     L"This shortcut key is already used by \"%1\" in \"%2\". Choose another one."},
    {IDS_HOTKEY_USED_BY_SHOW_WINDOW,
     L"This shortcut key already shows the main window. Choose another one."},
    {IDS_HOTKEY_NOT_ACTIVE, L"Another program or Windows holds this shortcut key. It is kept, "
                            L"but it does not work until it is free."},
    {IDS_LINK_HOTKEY_USED_BY_ENTRY, L"The link's shortcut key is already used by \"%1\" in "
                                    L"\"%2\". The entry was added without it."},
    {IDS_LINK_HOTKEY_USED_BY_SHOW_WINDOW,
     L"The link's shortcut key already shows the main window. The entry was added without it."},
    {IDS_HOTKEY_TIP_HELD_BY_ENTRY, L"Shortcut key not active: \"%1\" in \"%2\" holds it"},
    {IDS_HOTKEY_TIP_HELD_BY_SHOW_WINDOW, L"Shortcut key not active: it shows the main window"},
    {IDS_HOTKEY_TIP_HELD_ELSEWHERE,
     L"Shortcut key not active: another program or Windows holds it"},
};

void ExpectString(const StringCase& expected)
{
    wchar_t buffer[256];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    const int length =
        LoadStringW(Module(), expected.id, buffer, static_cast<int>(std::size(buffer)));
    ASSERT_EQ(static_cast<int>(wcslen(expected.text)), length) << "error " << GetLastError();
    EXPECT_EQ(std::wstring(expected.text), std::wstring(buffer, length));
    EXPECT_EQ(L'\0', buffer[length]);
}

TEST(ResourcesTest, StringsHaveTheirExactTexts)
{
    ASSERT_EQ(23u, std::size(kStrings));
    for (size_t i = 0; i < std::size(kStrings); ++i)
    {
        SCOPED_TRACE(testing::Message() << "string " << kStrings[i].id);
        EXPECT_EQ(2000u + i, kStrings[i].id);
        ExpectString(kStrings[i]);
    }
    for (const StringCase& added : kAddedStrings)
    {
        SCOPED_TRACE(testing::Message() << "string " << added.id);
        EXPECT_GT(added.id, 2022u);
        ExpectString(added);
    }
}

// Menus

constexpr UINT kSeparator = 0;
constexpr UINT kPopup = ~0u;

struct MenuEntry
{
    UINT id;
    const wchar_t* text;
};

void ExpectMenuItems(HMENU menu, const std::vector<MenuEntry>& expected)
{
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu));
    for (size_t i = 0; i < expected.size(); ++i)
    {
        SCOPED_TRACE(testing::Message() << "item " << i);
        wchar_t text[64];
        std::fill(std::begin(text), std::end(text), L'#');
        text[63] = L'\0';
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        info.wID = 0xdeadbeef;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            << "error " << GetLastError();
        if (expected[i].id == kSeparator)
        {
            EXPECT_NE(0u, info.fType & MFT_SEPARATOR) << "fType " << info.fType;
            continue;
        }
        EXPECT_EQ(0u, info.fType & MFT_SEPARATOR) << "fType " << info.fType;
        EXPECT_EQ(std::wstring(expected[i].text), std::wstring(text));
        if (expected[i].id == kPopup)
        {
            EXPECT_NE(nullptr, info.hSubMenu);
        }
        else
        {
            EXPECT_EQ(expected[i].id, info.wID);
            EXPECT_EQ(nullptr, info.hSubMenu);
        }
    }
}

struct MenuCase
{
    UINT id;
    std::vector<MenuEntry> items;
};

const std::vector<MenuEntry> kCategoryWithLaunchAll = {{ID_ADD, L"&Add"},
                                                       {ID_EDIT, L"&Edit"},
                                                       {ID_DELETE, L"&Delete"},
                                                       {kSeparator, nullptr},
                                                       {ID_LAUNCH, L"&Launch all"}};

const MenuCase kMenus[] = {
    {IDM_APPLICATION_ITEM_MENU,
     {{ID_LAUNCH, L"&Launch"},
      {ID_CLOSE, L"&Close"},
      {ID_EDIT, L"&Edit"},
      {ID_DELETE, L"&Delete"},
      {kSeparator, nullptr},
      {ID_PROPERTIES, L"&Properties"}}},
    {IDM_FOLDER_ITEM_MENU,
     {{ID_LAUNCH, L"&Open"},
      {ID_EDIT, L"&Edit"},
      {ID_DELETE, L"&Delete"},
      {kSeparator, nullptr},
      {ID_PROPERTIES, L"&Properties"}}},
    {IDM_SHORTCUT_ITEM_MENU,
     {{ID_LAUNCH, L"&Launch"},
      {kSeparator, nullptr},
      {ID_EDIT, L"&Edit"},
      {ID_COPY, L"&Copy"},
      {ID_DELETE, L"&Delete"},
      {kSeparator, nullptr},
      {ID_PROPERTIES, L"&Properties"}}},
    {IDM_SHORTCUT_CATEGORY_MENU, kCategoryWithLaunchAll},
    {IDM_APPLICATION_CATEGORY_MENU, kCategoryWithLaunchAll},
    {IDM_NOTE_CATEGORY_MENU,
     {{ID_ADD, L"&Add note"}, {ID_EDIT, L"&Edit category"}, {ID_DELETE, L"&Delete category"}}},
    {IDM_FOLDER_CATEGORY_MENU, {{ID_ADD, L"&Add"}, {ID_EDIT, L"&Edit"}, {ID_DELETE, L"&Delete"}}},
    {IDM_FOLDERS_PANE_MENU, {{ID_ADD, L"&Add category"}}},
    {IDM_TRAY_MENU,
     {{ID_RESTORE, L"&Restore"},
      {kPopup, L"&Options"},
      {kSeparator, nullptr},
      {ID_ABOUT, L"&About"},
      {kSeparator, nullptr},
      {ID_EXIT, L"E&xit"}}},
};

TEST(ResourcesTest, MenusHoldTheirItemsInSubMenuZero)
{
    for (const MenuCase& expected : kMenus)
    {
        SCOPED_TRACE(testing::Message() << "menu " << expected.id);
        HMENU bar = LoadMenuW(Module(), MAKEINTRESOURCEW(expected.id));
        ASSERT_NE(nullptr, bar) << "error " << GetLastError();
        EXPECT_EQ(1, GetMenuItemCount(bar));
        HMENU popup = GetSubMenu(bar, 0);
        EXPECT_NE(nullptr, popup);
        if (popup)
            ExpectMenuItems(popup, expected.items);
        DestroyMenu(bar);
    }
}

TEST(ResourcesTest, TrayMenuIsTitledMenuAndNestsTheOptions)
{
    HMENU bar = LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_TRAY_MENU));
    ASSERT_NE(nullptr, bar) << "error " << GetLastError();
    wchar_t title[32];
    std::fill(std::begin(title), std::end(title), L'#');
    EXPECT_EQ(4, GetMenuStringW(bar, 0, title, static_cast<int>(std::size(title)), MF_BYPOSITION));
    EXPECT_EQ(std::wstring(L"Menu"), std::wstring(title));
    HMENU options = GetSubMenu(GetSubMenu(bar, 0), 1);
    ASSERT_NE(nullptr, options);
    ExpectMenuItems(options, {{ID_LAUNCH_ON_STARTUP, L"&Lauch on startup"},
                              {ID_SHOW_APPLICATION_ICONS, L"Show application icons"},
                              {ID_SHOW_FOLDER_ICONS, L"Show folder icons"},
                              {ID_SHOW_SHORTCUT_ICONS, L"Show shortcut icons"},
                              {ID_HIDE_AFTER_LAUNCH, L"Hide after launch"},
                              {ID_SHORTCUT_KEYS, L"&Shortcut keys..."}});
    DestroyMenu(bar);
}

// Dialogs: the DIALOGEX template read field by field, then the live dialog.

struct TemplateControl
{
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className;
    std::wstring text;
};

struct DialogTemplate
{
    WORD version = 0;
    WORD signature = 0;
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<TemplateControl> controls;
};

struct TemplateCursor
{
    const BYTE* begin;
    const BYTE* at;
    const BYTE* end;
    bool overrun = false;

    template <typename T> T Take()
    {
        T value{};
        if (end - at < static_cast<ptrdiff_t>(sizeof(T)))
        {
            overrun = true;
            return value;
        }
        std::memcpy(&value, at, sizeof(T));
        at += sizeof(T);
        return value;
    }

    std::wstring String()
    {
        std::wstring text;
        for (wchar_t c = Take<wchar_t>(); c != L'\0' && !overrun; c = Take<wchar_t>())
            text += c;
        return text;
    }

    // Predefined control classes are stored as atoms 0x80 to 0x85.
    std::wstring NameOrOrdinal()
    {
        if (end - at >= 2 && at[0] == 0xff && at[1] == 0xff)
        {
            at += 2;
            static const wchar_t* const classes[] = {L"Button",  L"Edit",      L"Static",
                                                     L"ListBox", L"ScrollBar", L"ComboBox"};
            WORD ordinal = Take<WORD>();
            if (ordinal >= 0x80 && ordinal <= 0x85)
                return classes[ordinal - 0x80];
            return L"#" + std::to_wstring(ordinal);
        }
        return String();
    }

    void AlignToDword() { at = begin + ((at - begin + 3) & ~3); }
};

TemplateControl ReadControl(TemplateCursor& cursor)
{
    TemplateControl control;
    cursor.AlignToDword();
    cursor.Take<DWORD>(); // help id
    cursor.Take<DWORD>(); // extended style
    control.style = cursor.Take<DWORD>();
    control.x = cursor.Take<short>();
    control.y = cursor.Take<short>();
    control.cx = cursor.Take<short>();
    control.cy = cursor.Take<short>();
    control.id = static_cast<int>(cursor.Take<DWORD>());
    control.className = cursor.NameOrOrdinal();
    control.text = cursor.NameOrOrdinal();
    cursor.at += cursor.Take<WORD>(); // creation data
    return control;
}

std::vector<BYTE> LoadDialogBytes(UINT id)
{
    HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!info)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), info)));
    return std::vector<BYTE>(data, data + SizeofResource(Module(), info));
}

DialogTemplate ParseDialog(const std::vector<BYTE>& bytes, bool& overrun)
{
    TemplateCursor cursor{bytes.data(), bytes.data(), bytes.data() + bytes.size()};
    DialogTemplate dialog;
    dialog.version = cursor.Take<WORD>();
    dialog.signature = cursor.Take<WORD>();
    cursor.Take<DWORD>(); // help id
    cursor.Take<DWORD>(); // extended style
    dialog.style = cursor.Take<DWORD>();
    WORD count = cursor.Take<WORD>();
    cursor.Take<short>(); // x
    cursor.Take<short>(); // y
    dialog.cx = cursor.Take<short>();
    dialog.cy = cursor.Take<short>();
    cursor.NameOrOrdinal(); // menu
    cursor.NameOrOrdinal(); // window class
    dialog.title = cursor.String();
    if (dialog.style & DS_SETFONT)
    {
        dialog.pointSize = cursor.Take<WORD>();
        cursor.Take<WORD>(); // weight
        cursor.Take<BYTE>(); // italic
        cursor.Take<BYTE>(); // character set
        dialog.typeface = cursor.String();
    }
    for (WORD i = 0; i < count && !cursor.overrun; ++i)
        dialog.controls.push_back(ReadControl(cursor));
    overrun = cursor.overrun || cursor.at > cursor.end;
    return dialog;
}

// A control as the dialog must hold it; mask selects the style bits that count.
struct ExpectedControl
{
    int id;
    const wchar_t* className;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD mask;
    DWORD style;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEditStyle = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

ExpectedControl Label(int id, const wchar_t* text, short x, short y, short cx, short cy)
{
    return {id, L"Static", text, x, y, cx, cy, kChild | SS_TYPEMASK, kChild | SS_LEFT};
}

ExpectedControl Link(int id, const wchar_t* text, short x, short y, short cx, short cy)
{
    DWORD style = kChild | WS_TABSTOP | SS_LEFT;
    return {id, L"Static", text, x, y, cx, cy, style | SS_TYPEMASK, style};
}

ExpectedControl Edit(int id, short x, short y, short cx, short cy)
{
    return {id, L"Edit", L"", x, y, cx, cy, kEditStyle, kEditStyle};
}

ExpectedControl Button(int id, const wchar_t* text, short x, short y, DWORD type)
{
    DWORD style = kChild | WS_TABSTOP | type;
    return {id, L"Button", text, x, y, 50, 14, style | BS_TYPEMASK, style};
}

struct DialogCase
{
    UINT id;
    DWORD style;
    short cx, cy;
    const wchar_t* title;
    std::vector<ExpectedControl> controls;
};

constexpr DWORD kModalDialog = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                               DS_SETFONT | DS_FIXEDSYS | DS_CENTER;
constexpr DWORD kComboStyle = kChild | WS_TABSTOP | WS_VSCROLL | CBS_SORT | CBS_DROPDOWNLIST;
constexpr DWORD kLinkStyle = kChild | WS_TABSTOP | LWS_RIGHT;

const DialogCase kDialogs[] = {
    {IDD_EDIT_ITEM,
     kModalDialog,
     234,
     226,
     L"Add application",
     {Label(IDC_NAME_LABEL, L"Application &name:", 6, 6, 228, 8),
      Edit(IDC_NAME_EDIT, 6, 18, 222, 12),
      Label(IDC_STATIC, L"&Group:", 6, 36, 228, 8),
      {IDC_GROUP_COMBO, L"ComboBox", L"", 6, 48, 222, 30, kComboStyle | 0x3, kComboStyle},
      Label(IDC_PATH_LABEL, L"Application &path:", 6, 66, 222, 8),
      Edit(IDC_PATH_EDIT, 6, 78, 210, 12),
      {IDC_BROWSE, L"Button", L"&...", 216, 78, 14, 12, kChild | WS_TABSTOP | BS_TYPEMASK,
       kChild | WS_TABSTOP | BS_PUSHBUTTON},
      {IDC_ADVANCED_LINK, L"SysLink", L"<a>Advanced</a>", 114, 96, 114, 13, kLinkStyle, kLinkStyle},
      Label(IDC_ARGUMENTS_LABEL, L"Application &arguments:", 6, 108, 222, 9),
      Edit(IDC_ARGUMENTS_EDIT, 6, 120, 222, 12),
      Label(IDC_START_IN_LABEL, L"&Start in:", 6, 138, 222, 8),
      Edit(IDC_START_IN_EDIT, 6, 150, 222, 12),
      Label(IDC_HOTKEY_LABEL, L"Shortcut &key:", 6, 169, 222, 8),
      Edit(IDC_HOTKEY_EDIT, 6, 180, 222, 14),
      Button(IDOK, L"OK", 126, 204, BS_DEFPUSHBUTTON),
      Button(IDCANCEL, L"Cancel", 180, 204, BS_PUSHBUTTON)}},
    {IDD_ADD_CATEGORY,
     kModalDialog,
     224,
     46,
     L"Add category",
     {Edit(IDC_CATEGORY_NAME_EDIT, 45, 7, 172, 12), Button(IDOK, L"OK", 113, 25, BS_DEFPUSHBUTTON),
      Button(IDCANCEL, L"Cancel", 167, 25, BS_PUSHBUTTON),
      Label(IDC_STATIC, L"Category:", 7, 9, 34, 8)}},
    {IDD_ABOUT,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SHELLFONT,
     192,
     67,
     L"About",
     {Label(IDC_STATIC, L"Pathmoor 1.2", 6, 6, 56, 8),
      {IDC_STATIC, L"Static", L"Home page: ", 6, 25, 43, 8, kChild | SS_TYPEMASK,
       kChild | SS_LEFTNOWORDWRAP},
      Link(IDC_HOME_PAGE_LINK, L"https://pathmoor.example.org/", 53, 25, 135, 8),
      Label(IDC_STATIC, L"E-mail:", 6, 37, 43, 8),
      Link(IDC_EMAIL_LINK, L"support@pathmoor.example.org", 53, 37, 135, 8),
      Label(IDC_STATIC, L"Free to use and to pass on unchanged.", 6, 54, 170, 8)}},
    {IDD_SHORTCUT_KEY,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_FIXEDSYS | DS_CENTER,
     114,
     62,
     L"Shortcut key",
     {Edit(IDC_SHOW_WINDOW_HOTKEY_EDIT, 6, 18, 102, 14),
      Button(IDOK, L"OK", 6, 42, BS_DEFPUSHBUTTON),
      Button(IDCANCEL, L"Cancel", 60, 42, BS_PUSHBUTTON),
      Label(IDC_STATIC, L"Show the main window:", 6, 6, 102, 8)}},
};

// Resource compilers store custom class names upper-cased; window classes
// match without regard to case.
bool SameClassName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void ExpectTemplateControl(const ExpectedControl& expected, const TemplateControl& actual)
{
    EXPECT_EQ(expected.id, actual.id);
    EXPECT_TRUE(SameClassName(expected.className, actual.className))
        << "class " << actual.className;
    EXPECT_EQ(std::wstring(expected.text), actual.text);
    EXPECT_EQ(expected.x, actual.x);
    EXPECT_EQ(expected.y, actual.y);
    EXPECT_EQ(expected.cx, actual.cx);
    EXPECT_EQ(expected.cy, actual.cy);
    EXPECT_EQ(expected.style, actual.style & expected.mask) << std::hex << "style " << actual.style;
}

TEST(ResourcesTest, DialogTemplatesMatchTheirLayout)
{
    for (const DialogCase& expected : kDialogs)
    {
        SCOPED_TRACE(testing::Message() << "dialog " << expected.id);
        std::vector<BYTE> bytes = LoadDialogBytes(expected.id);
        ASSERT_FALSE(bytes.empty()) << "error " << GetLastError();
        bool overrun = true;
        DialogTemplate actual = ParseDialog(bytes, overrun);
        ASSERT_FALSE(overrun);
        EXPECT_EQ(1, actual.version);
        EXPECT_EQ(0xffff, actual.signature);
        EXPECT_EQ(expected.style, actual.style) << std::hex << "style " << actual.style;
        EXPECT_EQ(expected.cx, actual.cx);
        EXPECT_EQ(expected.cy, actual.cy);
        EXPECT_EQ(std::wstring(expected.title), actual.title);
        EXPECT_EQ(8, actual.pointSize);
        EXPECT_EQ(std::wstring(L"MS Shell Dlg"), actual.typeface);
        ASSERT_EQ(expected.controls.size(), actual.controls.size());
        for (size_t i = 0; i < actual.controls.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "control " << i);
            ExpectTemplateControl(expected.controls[i], actual.controls[i]);
        }
    }
}

INT_PTR CALLBACK IgnoreDialogMessages(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Built from a copy of the template without WS_VISIBLE, so no window shows.
HWND CreateHiddenDialog(UINT id)
{
    std::vector<BYTE> bytes = LoadDialogBytes(id);
    constexpr size_t styleOffset = 12; // after version, signature, help id, extended style
    if (bytes.size() < styleOffset + sizeof(DWORD))
        return nullptr;
    std::vector<DWORD> aligned((bytes.size() + 3) / 4);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    aligned[styleOffset / 4] &= ~static_cast<DWORD>(WS_VISIBLE);
    return CreateDialogIndirectParamW(Module(), reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data()),
                                      nullptr, IgnoreDialogMessages, 0);
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[64];
    std::fill(std::begin(name), std::end(name), L'#');
    int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, std::max(length, 0));
}

std::wstring TextOf(HWND window)
{
    wchar_t text[128];
    std::fill(std::begin(text), std::end(text), L'#');
    int length = GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return std::wstring(text, std::max(length, 0));
}

TEST(ResourcesTest, DialogsCreateTheirControlsInTabOrder)
{
    for (const DialogCase& expected : kDialogs)
    {
        SCOPED_TRACE(testing::Message() << "dialog " << expected.id);
        HWND dialog = CreateHiddenDialog(expected.id);
        ASSERT_NE(nullptr, dialog) << "error " << GetLastError();
        EXPECT_EQ(std::wstring(expected.title), TextOf(dialog));
        size_t index = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        {
            SCOPED_TRACE(testing::Message() << "control " << index);
            ASSERT_LT(index, expected.controls.size());
            const ExpectedControl& control = expected.controls[index++];
            EXPECT_EQ(control.id, GetDlgCtrlID(child));
            EXPECT_EQ(std::wstring(control.className), ClassNameOf(child));
            EXPECT_EQ(std::wstring(control.text), TextOf(child));
        }
        EXPECT_EQ(expected.controls.size(), index);
        DestroyWindow(dialog);
    }
}

// The markup must make exactly one link, which the dialog's NM_CLICK needs.
TEST(ResourcesTest, AdvancedLinkHoldsOneEnabledLink)
{
    HWND dialog = CreateHiddenDialog(IDD_EDIT_ITEM);
    ASSERT_NE(nullptr, dialog) << "error " << GetLastError();
    HWND link = GetDlgItem(dialog, IDC_ADVANCED_LINK);
    ASSERT_NE(nullptr, link);
    LITEM item = {};
    item.mask = LIF_ITEMINDEX | LIF_STATE;
    item.stateMask = LIS_ENABLED;
    item.state = 0;
    item.iLink = 0;
    EXPECT_TRUE(SendMessageW(link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_NE(0u, item.state & LIS_ENABLED) << "state " << item.state;
    item.iLink = 1;
    EXPECT_FALSE(SendMessageW(link, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
    DestroyWindow(dialog);
}

// The manifest binds the process to version 6 of the common controls, which
// loads from the side-by-side store; without it the system folder's version 5
// would be loaded. (Wine's copy reports 5.81 from DllGetVersion either way.)
TEST(ResourcesTest, ManifestSelectsSideBySideCommonControls)
{
    HMODULE library = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(nullptr, library) << "error " << GetLastError();
    wchar_t path[MAX_PATH];
    std::fill(std::begin(path), std::end(path), L'#');
    DWORD length = GetModuleFileNameW(library, path, MAX_PATH);
    ASSERT_GT(length, 0u) << "error " << GetLastError();
    std::wstring loaded(path, length);
    CharLowerBuffW(&loaded[0], length);
    EXPECT_NE(std::wstring::npos, loaded.find(L"\\winsxs\\")) << "loaded from " << loaded;
    EXPECT_NE(std::wstring::npos, loaded.find(L"microsoft.windows.common-controls"))
        << "loaded from " << loaded;
    FreeLibrary(library);
}

// Windows gives a program the behaviour of the newest system its manifest names, and
// long paths and its own DPI scaling only to one that declares them; Wine reads none of
// them, so the text is checked. Per-monitor awareness comes first, with the older forms
// for older systems.
TEST(ResourcesTest, ManifestNamesTheSupportedSystemsLongPathsAndDpiAwareness)
{
    const HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(nullptr, found) << "error " << GetLastError();
    const HGLOBAL loaded = LoadResource(Module(), found);
    ASSERT_NE(nullptr, loaded);
    const std::string manifest(static_cast<const char*>(LockResource(loaded)),
                               SizeofResource(Module(), found));
    const char* const systems[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
    };
    for (const char* system : systems)
        EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + system))
            << "missing " << system << " in\n"
            << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true</longPathAware>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true/pm</dpiAware>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"))
        << manifest;
}

// Pixels of a bitmap as top-down 32-bit BGRA.
std::vector<RGBQUAD> ReadPixels(HBITMAP bitmap, int width, int height)
{
    std::vector<RGBQUAD> pixels(static_cast<size_t>(width) * height,
                                RGBQUAD{0xa5, 0xa5, 0xa5, 0xa5});
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    HDC screen = GetDC(nullptr);
    int lines = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(height, lines);
    return pixels;
}

// Icons

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

struct IconCase
{
    UINT id;
    std::vector<int> sizes;
    bool transparentCorner;
};

// Each image at its 96-DPI side and at the sides of 120, 144, 168 and 192 DPI, so the
// program loads the size it draws and nothing is scaled.
const IconCase kIcons[] = {
    {IDI_PROGRAM_FILE, {16, 20, 24, 32, 48}, true},
    {IDI_PATHMOOR, {16, 20, 24, 32, 48}, true},
    {IDI_ADD_ITEM, {16, 20, 24, 28, 32}, true},
    {IDI_ADD_GROUP, {16, 20, 24, 28, 32}, true},
    {IDI_HOTKEY_MARKER, {9, 11, 14, 16, 18}, false},
    {IDI_RUNNING, {10, 13, 15, 18, 20}, true},
    {IDI_RUNNING_HOT, {10, 13, 15, 18, 20}, true},
    {IDI_NOT_RUNNING, {10, 13, 15, 18, 20}, true},
    {IDI_NOT_RUNNING_HOT, {10, 13, 15, 18, 20}, true},
};

std::vector<GroupIconEntry> GroupIconEntries(UINT id)
{
    HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    if (!info)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), info)));
    WORD count = 0;
    std::memcpy(&count, data + 4, sizeof(count));
    if (SizeofResource(Module(), info) < 6 + count * sizeof(GroupIconEntry))
        return {};
    std::vector<GroupIconEntry> entries(count);
    std::memcpy(entries.data(), data + 6, count * sizeof(GroupIconEntry));
    return entries;
}

TEST(ResourcesTest, IconsHoldThirtyTwoBitImagesOfTheirSizes)
{
    for (const IconCase& expected : kIcons)
    {
        SCOPED_TRACE(testing::Message() << "icon " << expected.id);
        std::vector<GroupIconEntry> entries = GroupIconEntries(expected.id);
        ASSERT_EQ(expected.sizes.size(), entries.size());
        for (size_t i = 0; i < entries.size(); ++i)
        {
            EXPECT_EQ(expected.sizes[i], entries[i].width);
            EXPECT_EQ(expected.sizes[i], entries[i].height);
            EXPECT_EQ(32, entries[i].bitCount);
        }
    }
}

void ExpectIconAtSize(UINT id, int size, bool transparentCorner)
{
    SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
    HICON icon = static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(nullptr, icon) << "error " << GetLastError();
    ICONINFO info;
    std::memset(&info, 0xcc, sizeof(info));
    ASSERT_TRUE(GetIconInfo(icon, &info)) << "error " << GetLastError();
    EXPECT_TRUE(info.fIcon);
    BITMAP colour;
    std::memset(&colour, 0xcc, sizeof(colour));
    ASSERT_EQ(static_cast<int>(sizeof(colour)), GetObjectW(info.hbmColor, sizeof(colour), &colour));
    EXPECT_EQ(size, colour.bmWidth);
    EXPECT_EQ(size, colour.bmHeight);
    EXPECT_EQ(32, colour.bmBitsPixel);
    std::vector<RGBQUAD> pixels = ReadPixels(info.hbmColor, size, size);
    const RGBQUAD& centre = pixels[(size / 2) * size + size / 2];
    EXPECT_EQ(255, centre.rgbReserved);
    EXPECT_EQ(transparentCorner ? 0 : 255, pixels[0].rgbReserved);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(ResourcesTest, IconsLoadAtTheirSizesWithAlpha)
{
    for (const IconCase& expected : kIcons)
    {
        for (int size : expected.sizes)
            ExpectIconAtSize(expected.id, size, expected.transparentCorner);
    }
}

// The hot balls, under the cursor, differ from the plain ones by a red rim.
TEST(ResourcesTest, HotBallsHaveARedRim)
{
    const UINT balls[] = {IDI_RUNNING, IDI_RUNNING_HOT, IDI_NOT_RUNNING, IDI_NOT_RUNNING_HOT};
    for (UINT id : balls)
    {
        SCOPED_TRACE(testing::Message() << "icon " << id);
        HICON icon = static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, 10, 10, LR_DEFAULTCOLOR));
        ASSERT_NE(nullptr, icon);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        std::vector<RGBQUAD> pixels = ReadPixels(info.hbmColor, 10, 10);
        const RGBQUAD& rim = pixels[5]; // top row, middle
        bool hot = id == IDI_RUNNING_HOT || id == IDI_NOT_RUNNING_HOT;
        EXPECT_EQ(hot, rim.rgbRed > 2 * rim.rgbBlue && rim.rgbRed > 2 * rim.rgbGreen)
            << "rim " << int(rim.rgbRed) << "," << int(rim.rgbGreen) << "," << int(rim.rgbBlue);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// Bitmaps

struct BitmapCase
{
    UINT id;
    COLORREF top;
    COLORREF bottom;
};

const BitmapCase kBitmaps[] = {
    {IDB_APPLICATION_ROW, RGB(232, 236, 250), RGB(222, 228, 241)},
    {IDB_FOLDER_ROW, RGB(232, 236, 250), RGB(222, 228, 241)},
    {IDB_SHORTCUT_ROW, RGB(232, 236, 250), RGB(222, 228, 241)},
    {IDB_CATEGORY_HEADER, RGB(183, 202, 224), RGB(230, 238, 253)},
};

COLORREF ColourOf(const RGBQUAD& pixel)
{
    return RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue);
}

TEST(ResourcesTest, BitmapsAreTwentyByTwentyTwoAtTwentyFourBits)
{
    for (const BitmapCase& expected : kBitmaps)
    {
        SCOPED_TRACE(testing::Message() << "bitmap " << expected.id);
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(Module(), MAKEINTRESOURCEW(expected.id),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, bitmap) << "error " << GetLastError();
        DIBSECTION section;
        std::memset(&section, 0xcc, sizeof(section));
        ASSERT_EQ(static_cast<int>(sizeof(section)), GetObjectW(bitmap, sizeof(section), &section));
        EXPECT_EQ(20, section.dsBm.bmWidth);
        EXPECT_EQ(22, section.dsBm.bmHeight);
        EXPECT_EQ(24, section.dsBm.bmBitsPixel);
        DeleteObject(bitmap);
    }
}

// Each channel moves one way only from the top row to the bottom row.
void ExpectMonotonic(int top, int bottom, int previous, int current)
{
    if (bottom >= top)
        EXPECT_LE(previous, current);
    else
        EXPECT_GE(previous, current);
}

TEST(ResourcesTest, BitmapsAreVerticalGradientsBetweenTheirEndColours)
{
    for (const BitmapCase& expected : kBitmaps)
    {
        SCOPED_TRACE(testing::Message() << "bitmap " << expected.id);
        HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(expected.id));
        ASSERT_NE(nullptr, bitmap) << "error " << GetLastError();
        std::vector<RGBQUAD> pixels = ReadPixels(bitmap, 20, 22);
        EXPECT_EQ(expected.top, ColourOf(pixels[0])) << std::hex;
        EXPECT_EQ(expected.bottom, ColourOf(pixels[21 * 20])) << std::hex;
        for (int y = 0; y < 22; ++y)
        {
            SCOPED_TRACE(testing::Message() << "row " << y);
            for (int x = 1; x < 20; ++x)
                EXPECT_EQ(ColourOf(pixels[y * 20]), ColourOf(pixels[y * 20 + x])) << "x " << x;
            if (y == 0)
                continue;
            const RGBQUAD& above = pixels[(y - 1) * 20];
            const RGBQUAD& here = pixels[y * 20];
            ExpectMonotonic(GetRValue(expected.top), GetRValue(expected.bottom), above.rgbRed,
                            here.rgbRed);
            ExpectMonotonic(GetGValue(expected.top), GetGValue(expected.bottom), above.rgbGreen,
                            here.rgbGreen);
            ExpectMonotonic(GetBValue(expected.top), GetBValue(expected.bottom), above.rgbBlue,
                            here.rgbBlue);
        }
        DeleteObject(bitmap);
    }
}

} // namespace
