#include "dialogs/AddCategoryDialog.h"
#include "resources/resource.h"
#include "tests/support/unit/ProgramLoop.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

using test_support::Chord;
using test_support::CModalDriver;
using test_support::CProgramLoop;
using test_support::UnicodeText;

namespace
{
// What the dialog shows, compared and printed as one value.
struct DialogView
{
    std::wstring title;
    std::wstring name;
    bool okEnabled;

    bool operator==(const DialogView& other) const
    {
        return title == other.title && name == other.name && okEnabled == other.okEnabled;
    }
};

void PrintTo(const DialogView& view, std::ostream* out)
{
    *out << "{title " << testing::PrintToString(view.title) << ", name "
         << testing::PrintToString(view.name) << ", OK "
         << (view.okEnabled ? "enabled" : "disabled") << "}";
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[512] = L"sentinel";
    GetWindowTextW(hWnd, text, 512);
    return text;
}

DialogView ViewOf(HWND dialog)
{
    return {WindowText(dialog), WindowText(GetDlgItem(dialog, IDC_CATEGORY_NAME_EDIT)),
            IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE};
}

// The dialog as the pages and the folders pane run it, driven by real keys from inside
// its modal loop.
class DialogsAddCategory : public testing::Test
{
protected:
    void SetUp() override
    {
        test_support::ReleaseModifiers();
        m_owner = CreateWindowExW(0, L"Static", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr,
                                  CApplication::Instance().GetInstanceHandle(), nullptr);
        ASSERT_NE(nullptr, m_owner) << "error " << GetLastError();
        m_dialog.m_name = L"sentinel";
    }

    void TearDown() override
    {
        test_support::ReleaseModifiers();
        DestroyWindow(m_owner);
    }

    // DoModal with the script running inside the dialog; the script must end it.
    int Run(const std::wstring& initialName, bool editMode,
            const std::function<void(HWND dialog, CProgramLoop& loop)>& script)
    {
        CModalDriver driver(
            [&script](HWND dialog)
            {
                // The modal loop of a dialog box does not offer messages to the objects.
                CProgramLoop loop(dialog, false);
                const HWND edit = GetDlgItem(dialog, IDC_CATEGORY_NAME_EDIT);
                EXPECT_EQ(edit, GetFocus()) << "the name field does not start with the focus";
                ASSERT_TRUE(test_support::FocusControl(edit));
                script(dialog, loop);
            });
        const int result = m_dialog.DoModal(m_owner, initialName, editMode);
        EXPECT_TRUE(driver.m_ran) << "the dialog was never shown";
        EXPECT_FALSE(driver.m_leftOpen) << "the script did not end the dialog";
        return result;
    }

    static void Type(CProgramLoop& loop, const std::vector<INPUT>& keys)
    {
        ASSERT_TRUE(loop.Type(keys)) << "the key messages did not come back";
    }

    CAddCategoryDialog m_dialog;
    HWND m_owner = nullptr;
};

TEST_F(DialogsAddCategory, AddModeStartsEmptyWithOkDisabled)
{
    const int result = Run(L"", false,
                           [](HWND dialog, CProgramLoop& loop)
                           {
                               EXPECT_EQ((DialogView{L"Add category", L"", false}), ViewOf(dialog));
                               Type(loop, Chord({VK_ESCAPE}));
                           });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(L"", m_dialog.m_name);
}

TEST_F(DialogsAddCategory, EditModeShowsTheNameWithOkEnabled)
{
    const int result =
        Run(L"Games", true,
            [](HWND dialog, CProgramLoop& loop)
            {
                EXPECT_EQ((DialogView{L"Edit category", L"Games", true}), ViewOf(dialog));
                Type(loop, Chord({VK_END}));
                for (int i = 0; i < 5; ++i)
                    Type(loop, Chord({VK_BACK}));
                EXPECT_EQ((DialogView{L"Edit category", L"", false}), ViewOf(dialog));
                Type(loop, Chord({VK_ESCAPE}));
            });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(L"Games", m_dialog.m_name);
}

TEST_F(DialogsAddCategory, BlanksKeepOkDisabled)
{
    const int result =
        Run(L"", false,
            [](HWND dialog, CProgramLoop& loop)
            {
                Type(loop, UnicodeText(L"   "));
                EXPECT_EQ((DialogView{L"Add category", L"   ", false}), ViewOf(dialog));
                Type(loop, UnicodeText(L"x"));
                EXPECT_EQ((DialogView{L"Add category", L"   x", true}), ViewOf(dialog));
                Type(loop, Chord({VK_BACK}));
                EXPECT_EQ((DialogView{L"Add category", L"   ", false}), ViewOf(dialog));
                Type(loop, Chord({VK_ESCAPE}));
            });
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(DialogsAddCategory, OkReturnsTheTrimmedName)
{
    const int result = Run(L"", false,
                           [](HWND, CProgramLoop& loop)
                           {
                               Type(loop, UnicodeText(L"  Tools and games  "));
                               Type(loop, Chord({VK_RETURN}));
                           });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"Tools and games", m_dialog.m_name);
}

TEST_F(DialogsAddCategory, EditModeReturnsTheNewName)
{
    const int result = Run(L"Games", true,
                           [](HWND, CProgramLoop& loop)
                           {
                               Type(loop, Chord({VK_END}));
                               Type(loop, UnicodeText(L" 2 "));
                               Type(loop, Chord({VK_RETURN}));
                           });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"Games 2", m_dialog.m_name);
}

// Registry key names are the category names; two names may never become one by being cut.
TEST_F(DialogsAddCategory, NameIsLimitedTo100Characters)
{
    std::wstring typed;
    for (int i = 0; i < 15; ++i)
        typed += L"abcdefghi" + std::wstring(1, static_cast<wchar_t>(L'0' + i % 10));
    ASSERT_EQ(150u, typed.size());
    const int result = Run(L"", false,
                           [&typed](HWND dialog, CProgramLoop& loop)
                           {
                               Type(loop, UnicodeText(typed));
                               EXPECT_EQ(typed.substr(0, 100), ViewOf(dialog).name);
                               Type(loop, Chord({VK_RETURN}));
                           });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(typed.substr(0, 100), m_dialog.m_name);
}

TEST_F(DialogsAddCategory, CancelKeepsTheInitialName)
{
    const int result = Run(L"Games", true,
                           [](HWND dialog, CProgramLoop& loop)
                           {
                               Type(loop, Chord({VK_END}));
                               Type(loop, UnicodeText(L"xyz"));
                               ASSERT_EQ(L"Gamesxyz", ViewOf(dialog).name);
                               SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
                           });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(L"Games", m_dialog.m_name);
}

TEST_F(DialogsAddCategory, DialogThatCannotBeShownCountsAsCancel)
{
    // A window handle that names no window.
    const HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      CApplication::Instance().GetInstanceHandle(), nullptr);
    ASSERT_TRUE(DestroyWindow(gone));
    EXPECT_EQ(IDCANCEL, m_dialog.DoModal(gone, L"Games", true));
    EXPECT_EQ(L"Games", m_dialog.m_name);
}
} // namespace
