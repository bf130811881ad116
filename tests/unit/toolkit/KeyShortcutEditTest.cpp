#include "tests/unit/dialogs/KeyboardInput.h"
#include "tests/unit/toolkit/DialogTemplate.h"
#include "toolkit/Application.h"
#include "toolkit/KeyNames.h"
#include "toolkit/KeyShortcutEdit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using dialogs_test::Chord;
using dialogs_test::CProgramLoop;
using dialogs_test::KeyDown;
using dialogs_test::KeyUp;
using toolkit_test::CDialogTemplate;

namespace
{
constexpr WORD kEditId = 100;
constexpr WORD kButtonId = 101;
constexpr UINT kSentinel = 0xdeadbeef;

// What the field shows and holds, compared and printed as one value.
struct FieldState
{
    std::wstring text;
    UINT modifiers;
    UINT key;

    bool operator==(const FieldState& other) const
    {
        return text == other.text && modifiers == other.modifiers && key == other.key;
    }
};

void PrintTo(const FieldState& state, std::ostream* out)
{
    *out << "{\"" << testing::PrintToString(state.text) << "\", modifiers 0x" << std::hex
         << state.modifiers << ", key 0x" << state.key << std::dec << "}";
}

FieldState StateOf(const CKeyShortcutEdit& edit)
{
    return {edit.GetText(), edit.m_modifiers, edit.m_key};
}

TEST(ToolkitKeyNames, DigitsAndLettersAreTheirCharacter)
{
    for (UINT key = '0'; key <= '9'; ++key)
        EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(key)), GetKeyName(key)) << "key " << key;
    for (UINT key = 'A'; key <= 'Z'; ++key)
        EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(key)), GetKeyName(key)) << "key " << key;
}

TEST(ToolkitKeyNames, FiveNavigationKeysHaveNames)
{
    EXPECT_EQ(L"Page Up", GetKeyName(VK_PRIOR));
    EXPECT_EQ(L"Page Down", GetKeyName(VK_NEXT));
    EXPECT_EQ(L"End", GetKeyName(VK_END));
    EXPECT_EQ(L"Home", GetKeyName(VK_HOME));
    EXPECT_EQ(L"Insert", GetKeyName(VK_INSERT));
}

TEST(ToolkitKeyNames, OtherKeysCannotBeHotKeys)
{
    const std::vector<UINT> keys = {
        VK_F5,    VK_F1,      VK_F12,    VK_NUMPAD0, VK_NUMPAD1,  VK_NUMPAD9, VK_LEFT, VK_UP,
        VK_RIGHT, VK_DOWN,    VK_DELETE, VK_SPACE,   VK_ESCAPE,   VK_BACK,    VK_TAB,  VK_RETURN,
        VK_LWIN,  VK_CONTROL, VK_SHIFT,  VK_MENU,    VK_OEM_PLUS, VK_OEM_1,   0x2F,    0x3A,
        0x40,     0x5B,       'a',       'z',        0,           0xFF};
    for (const UINT key : keys)
    {
        std::wstring name = L"sentinel";
        name = GetKeyName(key);
        EXPECT_EQ(L"", name) << "key 0x" << std::hex << key;
    }
}

// A dialog of this process with a hotkey field and a button, run by the program's loop.
class ToolkitKeyShortcutEdit : public testing::Test
{
protected:
    void SetUp() override
    {
        dialogs_test::ReleaseModifiers();
        m_template.AddControl(L"Edit", kEditId, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 6, 18, 102,
                              14);
        m_template.AddControl(L"Button", kButtonId, BS_PUSHBUTTON | WS_TABSTOP, 6, 42, 50, 14,
                              L"OK");
        m_dialog =
            CreateDialogIndirectParamW(CApplication::Instance().GetInstanceHandle(),
                                       m_template.Get(), nullptr, CWindow::StaticDialogProc, 0);
        ASSERT_NE(nullptr, m_dialog) << "error " << GetLastError();
        m_loop = CProgramLoop(m_dialog);
    }

    void TearDown() override
    {
        dialogs_test::ReleaseModifiers();
        if (m_dialog)
            DestroyWindow(m_dialog);
    }

    // Binds the field to the dialog's edit and gives it the keyboard.
    void Start(CKeyShortcutEdit& edit)
    {
        ASSERT_TRUE(edit.Attach(GetDlgItem(m_dialog, kEditId)));
        ASSERT_TRUE(dialogs_test::FocusControl(edit.GetHwnd()))
            << "foreground " << GetForegroundWindow() << ", focus " << GetFocus();
    }

    void Type(const std::vector<INPUT>& keys)
    {
        ASSERT_TRUE(m_loop.Type(keys)) << "the key messages did not come back";
    }

    CKeyShortcutEdit m_edit{false};
    CKeyShortcutEdit m_winEdit{true};
    CDialogTemplate m_template{WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 114, 62,
                               L"Hotkey field"};
    HWND m_dialog = nullptr;
    CProgramLoop m_loop{nullptr};
};

TEST_F(ToolkitKeyShortcutEdit, BareLetterBecomesCtrlAndLetter)
{
    Start(m_edit);
    m_edit.m_modifiers = kSentinel;
    Type(Chord({'A'}));
    EXPECT_EQ((FieldState{L"Ctrl+ A", MOD_CONTROL, 0x41}), StateOf(m_edit));
    EXPECT_EQ(0x0241, m_edit.GetHotKey());
}

TEST_F(ToolkitKeyShortcutEdit, HeldCtrlIsShownAndReleasingItClears)
{
    Start(m_edit);
    Type({KeyDown(VK_CONTROL)});
    EXPECT_EQ((FieldState{L"Ctrl+ ", MOD_CONTROL, 0}), StateOf(m_edit));
    Type({KeyUp(VK_CONTROL)});
    EXPECT_EQ((FieldState{L"", MOD_CONTROL, 0}), StateOf(m_edit));
    EXPECT_EQ(0, m_edit.GetHotKey());
}

TEST_F(ToolkitKeyShortcutEdit, ShiftAndFunctionKeyShowOnlyCtrlUntilKeyUp)
{
    Start(m_edit);
    Type({KeyDown(VK_SHIFT), KeyDown(VK_F5)});
    EXPECT_EQ((FieldState{L"Ctrl+ ", MOD_CONTROL, 0}), StateOf(m_edit));
    Type({KeyUp(VK_F5)});
    EXPECT_EQ(L"", m_edit.GetText());
    Type({KeyUp(VK_SHIFT)});
    EXPECT_EQ(L"", m_edit.GetText());
    EXPECT_EQ(0u, m_edit.m_key);
    EXPECT_EQ(0, m_edit.GetHotKey());
}

TEST_F(ToolkitKeyShortcutEdit, ModifierCombinations)
{
    Start(m_edit);
    const struct
    {
        std::vector<WORD> keys;
        FieldState expected;
        WORD hotKey;
    } cases[] = {
        {{VK_SHIFT, 'A'}, {L"Ctrl+ A", MOD_CONTROL, 'A'}, 0x0241},
        {{VK_MENU, 'B'}, {L"Ctrl+ B", MOD_CONTROL, 'B'}, 0x0242},
        {{VK_SHIFT, VK_MENU, 'C'}, {L"Shift+ Alt+ C", MOD_SHIFT | MOD_ALT, 'C'}, 0x0543},
        {{VK_CONTROL, VK_MENU, '7'}, {L"Ctrl+ Alt+ 7", MOD_CONTROL | MOD_ALT, '7'}, 0x0637},
        {{VK_MENU, VK_SHIFT, VK_CONTROL, VK_HOME},
         {L"Ctrl+ Shift+ Alt+ Home", MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_HOME},
         0x0724},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(testing::Message() << "last key 0x" << std::hex << test.keys.back());
        Type(Chord(test.keys));
        EXPECT_EQ(test.expected, StateOf(m_edit));
        EXPECT_EQ(test.hotKey, m_edit.GetHotKey());
    }
}

TEST_F(ToolkitKeyShortcutEdit, BackspaceAndDeleteRemoveTheHotKey)
{
    Start(m_edit);
    for (const WORD eraser : {VK_BACK, VK_DELETE})
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << eraser);
        Type(Chord({VK_CONTROL, 'A'}));
        ASSERT_EQ(0x0241, m_edit.GetHotKey());
        Type(Chord({eraser}));
        EXPECT_EQ((FieldState{L"", 0, 'A'}), StateOf(m_edit));
        EXPECT_EQ(0, m_edit.GetHotKey());
    }
}

TEST_F(ToolkitKeyShortcutEdit, WindowsKeyIsAModifierWhenAllowed)
{
    Start(m_winEdit);
    Type(Chord({VK_LWIN, 'A'}));
    EXPECT_EQ((FieldState{L"Win+ A", MOD_WIN, 'A'}), StateOf(m_winEdit));
    // A shell-link hotkey word has no Windows key.
    EXPECT_EQ(0, m_winEdit.GetHotKey());
    Type(Chord({VK_RWIN, VK_SHIFT, 'B'}));
    EXPECT_EQ((FieldState{L"Win+ Shift+ B", MOD_WIN | MOD_SHIFT, 'B'}), StateOf(m_winEdit));
}

TEST_F(ToolkitKeyShortcutEdit, WindowsKeyIsIgnoredWhenNotAllowed)
{
    Start(m_edit);
    Type(Chord({VK_LWIN, 'A'}));
    EXPECT_EQ((FieldState{L"Ctrl+ A", MOD_CONTROL, 'A'}), StateOf(m_edit));
    EXPECT_EQ(0x0241, m_edit.GetHotKey());
}

TEST_F(ToolkitKeyShortcutEdit, TabIsNeverCaptured)
{
    Start(m_edit);
    struct TabMessage
    {
        UINT message;
        HWND target;
        bool handled;
    };
    std::vector<TabMessage> tabs;
    m_loop.m_observer = [&tabs](const MSG& msg, bool handled)
    {
        if (msg.wParam == VK_TAB && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
            tabs.push_back({msg.message, msg.hwnd, handled});
    };
    Type(Chord({VK_TAB}));
    EXPECT_EQ(GetDlgItem(m_dialog, kButtonId), GetFocus()) << "Tab did not move the focus";
    EXPECT_EQ(L"", m_edit.GetText());
    for (const WORD modifier : {VK_CONTROL, VK_SHIFT})
    {
        ASSERT_TRUE(dialogs_test::FocusControl(m_edit.GetHwnd()));
        Type(Chord({modifier, VK_TAB}));
    }
    ASSERT_EQ(6u, tabs.size()) << "Tab went down and up three times";
    for (const TabMessage& tab : tabs)
    {
        if (tab.message == WM_KEYDOWN)
        {
            EXPECT_EQ(m_edit.GetHwnd(), tab.target) << "Tab went down outside the field";
        }
        EXPECT_FALSE(tab.handled) << "message 0x" << std::hex << tab.message << " was captured";
    }
}

TEST_F(ToolkitKeyShortcutEdit, KeysWithoutNameAreNotTaken)
{
    Start(m_edit);
    for (const WORD key : {VK_NUMPAD1, VK_F5, VK_LEFT, VK_SPACE, VK_ESCAPE, VK_OEM_PLUS})
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << key);
        Type({KeyDown(VK_CONTROL), KeyDown(key)});
        EXPECT_EQ((FieldState{L"Ctrl+ ", MOD_CONTROL, 0}), StateOf(m_edit));
        Type({KeyUp(key), KeyUp(VK_CONTROL)});
        EXPECT_EQ((FieldState{L"", MOD_CONTROL, 0}), StateOf(m_edit));
        EXPECT_EQ(0, m_edit.GetHotKey());
    }
}

// The unnamed key leaves the modifiers of its key-down and the earlier key behind; the
// empty field must still mean no hotkey.
TEST_F(ToolkitKeyShortcutEdit, EmptyFieldReportsNoHotKey)
{
    Start(m_edit);
    Type(Chord({VK_CONTROL, 'A'}));
    ASSERT_EQ(0x0241, m_edit.GetHotKey());
    Type(Chord({VK_CONTROL, VK_F5}));
    EXPECT_EQ((FieldState{L"", MOD_CONTROL, 'A'}), StateOf(m_edit));
    EXPECT_EQ(0, m_edit.GetHotKey());
}

TEST_F(ToolkitKeyShortcutEdit, MouseButtonGivesFocusAndIsSwallowed)
{
    Start(m_edit);
    const HWND button = GetDlgItem(m_dialog, kButtonId);
    for (const UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN})
    {
        SetFocus(button);
        ASSERT_EQ(button, GetFocus());
        MSG msg = {m_edit.GetHwnd(), message, MK_LBUTTON, MAKELPARAM(5, 5), 0, {0, 0}};
        EXPECT_TRUE(CApplication::Instance().PreTranslateMessage(&msg)) << "message " << message;
        EXPECT_EQ(m_edit.GetHwnd(), GetFocus()) << "message " << message;
    }
    MSG character = {m_edit.GetHwnd(), WM_CHAR, 'a', 0, 0, {0, 0}};
    EXPECT_FALSE(CApplication::Instance().PreTranslateMessage(&character));
}

TEST_F(ToolkitKeyShortcutEdit, SetHotKeyZeroLeavesTheField)
{
    Start(m_edit);
    m_edit.SetHotKey(0);
    EXPECT_EQ((FieldState{L"", 0, 0}), StateOf(m_edit));
    m_edit.SetText(L"kept");
    m_edit.m_modifiers = kSentinel;
    m_edit.SetHotKey(0);
    EXPECT_EQ((FieldState{L"kept", kSentinel, 0}), StateOf(m_edit));
}

TEST_F(ToolkitKeyShortcutEdit, SetHotKeyShowsAStoredWord)
{
    Start(m_edit);
    const struct
    {
        WORD hotKey;
        FieldState expected;
    } cases[] = {
        {0x0641, {L"Ctrl + Alt+ A", MOD_CONTROL | MOD_ALT, 'A'}},
        {0x0124, {L"Shift+ Home", MOD_SHIFT, VK_HOME}},
        {0x0723, {L"Ctrl + Alt + Shift+ End", MOD_CONTROL | MOD_ALT | MOD_SHIFT, VK_END}},
        {0x0C39, {L"Alt+ 9", MOD_ALT, '9'}},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(testing::Message() << "word 0x" << std::hex << test.hotKey);
        m_edit.m_modifiers = kSentinel;
        m_edit.SetHotKey(test.hotKey);
        EXPECT_EQ(test.expected, StateOf(m_edit));
        // HOTKEYF_EXT is dropped on the way back.
        EXPECT_EQ(test.hotKey & 0x07FF, m_edit.GetHotKey());
    }
}

TEST_F(ToolkitKeyShortcutEdit, SetHotKeyKeepsAStoredKeyThatCannotBeTyped)
{
    Start(m_edit);
    // Ctrl+Alt+F5, as a shell link may hold it.
    m_edit.SetHotKey(0x0674);
    EXPECT_EQ((FieldState{L"Ctrl + Alt+ F5", MOD_CONTROL | MOD_ALT, VK_F5}), StateOf(m_edit));
    EXPECT_EQ(0x0674, m_edit.GetHotKey()) << "editing the entry would drop its hotkey";
}

TEST_F(ToolkitKeyShortcutEdit, ShowModifiersAndKeyChangesOnlyTheText)
{
    Start(m_winEdit);
    m_winEdit.ShowModifiersAndKey(MOD_CONTROL | MOD_SHIFT, 0x24);
    EXPECT_EQ((FieldState{L"Ctrl + Shift+ Home", 0, 0}), StateOf(m_winEdit));
    m_winEdit.m_modifiers = kSentinel;
    m_winEdit.m_key = kSentinel;
    m_winEdit.ShowModifiersAndKey(MOD_WIN | MOD_ALT, 'P');
    EXPECT_EQ((FieldState{L"Alt + Win+ P", kSentinel, kSentinel}), StateOf(m_winEdit));
}

TEST_F(ToolkitKeyShortcutEdit, PressedKeyReplacesAStoredOne)
{
    Start(m_edit);
    m_edit.SetHotKey(0x0641);
    Type(Chord({VK_SHIFT, VK_CONTROL, 'B'}));
    EXPECT_EQ((FieldState{L"Ctrl+ Shift+ B", MOD_CONTROL | MOD_SHIFT, 'B'}), StateOf(m_edit));
    EXPECT_EQ(0x0342, m_edit.GetHotKey());
}
} // namespace
