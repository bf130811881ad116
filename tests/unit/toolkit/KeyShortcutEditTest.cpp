#include "tests/support/unit/ProgramLoop.h"
#include "tests/unit/toolkit/DialogTemplate.h"
#include "toolkit/Application.h"
#include "toolkit/KeyNames.h"
#include "toolkit/KeyShortcutEdit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using test_support::Chord;
using test_support::CProgramLoop;
using test_support::KeyDown;
using test_support::KeyUp;
using toolkit_test::CDialogTemplate;

namespace
{
constexpr WORD kEditId = 100;
constexpr WORD kButtonId = 101;
constexpr WORD kLabelId = 102;

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
    return {edit.GetText(), edit.GetModifiers(), edit.GetKey()};
}

// Records what the fields tell of their focus.
class CFocusRecorder : public IKeyShortcutEditListener
{
public:
    CFocusRecorder() { CKeyShortcutEdit::SetFocusListener(this); }
    ~CFocusRecorder() { CKeyShortcutEdit::SetFocusListener(nullptr); }
    CFocusRecorder(const CFocusRecorder&) = delete;
    CFocusRecorder& operator=(const CFocusRecorder&) = delete;

    void OnHotKeyFieldFocus(bool focused) override { m_calls.push_back(focused); }

    std::vector<bool> m_calls;
};

// Ends a menu that a message opened, so that a failing test does not hang in it.
class CMenuGuard
{
public:
    CMenuGuard() : m_timer(SetTimer(nullptr, 0, 3000, OnTimer)) { s_menuEnded = false; }
    ~CMenuGuard() { KillTimer(nullptr, m_timer); }
    CMenuGuard(const CMenuGuard&) = delete;
    CMenuGuard& operator=(const CMenuGuard&) = delete;

    static bool s_menuEnded;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) { s_menuEnded = EndMenu() != FALSE; }

    UINT_PTR m_timer;
};

bool CMenuGuard::s_menuEnded = false;

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
        test_support::ReleaseModifiers();
        m_template.AddControl(L"Static", kLabelId, 0, 6, 6, 102, 8, L"Shortcut &key:");
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
        test_support::ReleaseModifiers();
        if (m_dialog)
            DestroyWindow(m_dialog);
    }

    // Binds the field to the dialog's edit and gives it the keyboard.
    void Start(CKeyShortcutEdit& edit)
    {
        ASSERT_TRUE(edit.Attach(GetDlgItem(m_dialog, kEditId)));
        ASSERT_TRUE(test_support::FocusControl(edit.GetHwnd()))
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
    Type(Chord({'A'}));
    EXPECT_EQ((FieldState{L"Ctrl+ A", MOD_CONTROL, 0x41}), StateOf(m_edit));
    EXPECT_EQ(0x0241, m_edit.GetHotKey());
}

// Modifiers go down and up on every way into and out of the field; OK saves what the
// field holds, so they must leave it as it was.
TEST_F(ToolkitKeyShortcutEdit, ModifiersAloneChangeNothing)
{
    Start(m_edit);
    m_edit.SetHotKey(0x0641);
    const FieldState stored = {L"Ctrl + Alt+ A", MOD_CONTROL | MOD_ALT, 'A'};
    ASSERT_EQ(stored, StateOf(m_edit));
    for (const std::vector<WORD>& keys : std::vector<std::vector<WORD>>{
             {VK_CONTROL}, {VK_SHIFT}, {VK_MENU}, {VK_CONTROL, VK_SHIFT}, {VK_SHIFT, VK_MENU}})
    {
        SCOPED_TRACE(testing::Message() << "first key 0x" << std::hex << keys.front());
        std::vector<INPUT> downs;
        for (const WORD key : keys)
            downs.push_back(KeyDown(key));
        Type(downs);
        EXPECT_EQ(stored, StateOf(m_edit)) << "while held";
        std::vector<INPUT> ups;
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            ups.push_back(KeyUp(*key));
        Type(ups);
        EXPECT_EQ(stored, StateOf(m_edit)) << "after release";
        EXPECT_FALSE(m_edit.IsChanged());
        EXPECT_EQ(0x0641, m_edit.GetHotKey());
    }
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

TEST_F(ToolkitKeyShortcutEdit, BackspaceAndDeleteAloneRemoveTheHotKey)
{
    Start(m_edit);
    for (const WORD eraser : {VK_BACK, VK_DELETE})
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << eraser);
        Type(Chord({VK_CONTROL, 'A'}));
        ASSERT_EQ(0x0241, m_edit.GetHotKey());
        // With a modifier they are keys without a name, which change nothing.
        Type(Chord({VK_CONTROL, eraser}));
        EXPECT_EQ((FieldState{L"Ctrl+ A", MOD_CONTROL, 'A'}), StateOf(m_edit));
        Type(Chord({eraser}));
        EXPECT_EQ((FieldState{L"", 0, 0}), StateOf(m_edit));
        EXPECT_EQ(0, m_edit.GetHotKey());
    }
    m_edit.SetHotKey(0x0641);
    Type(Chord({VK_BACK}));
    EXPECT_TRUE(m_edit.IsChanged());
    EXPECT_EQ(0, m_edit.GetHotKey()) << "a cleared stored hotkey must be removed at OK";
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
        ASSERT_TRUE(test_support::FocusControl(m_edit.GetHwnd()));
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

TEST_F(ToolkitKeyShortcutEdit, KeysWithoutNameChangeNothing)
{
    Start(m_edit);
    Type(Chord({VK_CONTROL, 'A'}));
    const FieldState held = {L"Ctrl+ A", MOD_CONTROL, 'A'};
    ASSERT_EQ(held, StateOf(m_edit));
    for (const WORD key : {VK_NUMPAD1, VK_F5, VK_LEFT, VK_SPACE, VK_ESCAPE, VK_OEM_PLUS, VK_RETURN})
    {
        SCOPED_TRACE(testing::Message() << "key 0x" << std::hex << key);
        for (const WORD modifier : {VK_CONTROL, VK_SHIFT})
        {
            Type({KeyDown(modifier), KeyDown(key)});
            EXPECT_EQ(held, StateOf(m_edit)) << "while held";
            Type({KeyUp(key), KeyUp(modifier)});
            EXPECT_EQ(held, StateOf(m_edit)) << "after release";
        }
        Type(Chord({key}));
        EXPECT_EQ(held, StateOf(m_edit)) << "alone";
        EXPECT_EQ(0x0241, m_edit.GetHotKey());
    }
}

// Tab, Shift+Tab and the label's mnemonic in and out: the stored word survives, and the
// listener hears of each gain and loss of the focus.
TEST_F(ToolkitKeyShortcutEdit, FocusMovesKeepTheStoredHotKey)
{
    CFocusRecorder recorder;
    const HWND button = GetDlgItem(m_dialog, kButtonId);
    SetFocus(button);
    Start(m_edit);
    // HOTKEYF_EXT, which the field does not show, must come back too.
    m_edit.SetHotKey(0x0E41);
    const FieldState stored = {L"Ctrl + Alt+ A", MOD_CONTROL | MOD_ALT, 'A'};
    const struct
    {
        std::vector<WORD> keys;
        bool inField;
    } moves[] = {{{VK_TAB}, false},      {{VK_SHIFT, VK_TAB}, true}, {{VK_SHIFT, VK_TAB}, false},
                 {{VK_MENU, 'K'}, true}, {{VK_TAB}, false},          {{VK_TAB}, true}};
    for (const auto& move : moves)
    {
        SCOPED_TRACE(testing::Message() << "last key 0x" << std::hex << move.keys.back()
                                        << (move.inField ? " into" : " out of") << " the field");
        Type(Chord(move.keys));
        EXPECT_EQ(move.inField ? m_edit.GetHwnd() : button, GetFocus());
        EXPECT_EQ(stored, StateOf(m_edit));
        EXPECT_FALSE(m_edit.IsChanged());
        EXPECT_EQ(0x0E41, m_edit.GetHotKey());
    }
    const std::vector<bool> told = {true, false, true, false, true, false, true};
    EXPECT_EQ(told, recorder.m_calls) << "gains and losses of the focus";
    // A field destroyed with the focus gives its hotkeys back as well.
    DestroyWindow(m_dialog);
    m_dialog = nullptr;
    EXPECT_EQ(false, recorder.m_calls.back());
    EXPECT_EQ(told.size() + 1, recorder.m_calls.size());
}

TEST_F(ToolkitKeyShortcutEdit, NothingIsTypedPastedOrUndoneAndThereIsNoMenu)
{
    Start(m_edit);
    Type(Chord({VK_CONTROL, 'A'}));
    const FieldState held = {L"Ctrl+ A", MOD_CONTROL, 'A'};
    ASSERT_TRUE(OpenClipboard(m_dialog)) << "error " << GetLastError();
    EmptyClipboard();
    const wchar_t pasted[] = L"pasted";
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    ASSERT_NE(nullptr, text);
    memcpy(GlobalLock(text), pasted, sizeof pasted);
    GlobalUnlock(text);
    ASSERT_NE(nullptr, SetClipboardData(CF_UNICODETEXT, text));
    CloseClipboard();
    for (const UINT message :
         std::vector<UINT>{WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO, WM_CHAR})
    {
        SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << message);
        m_edit.SendMessage(EM_SETSEL, 0, -1);
        m_edit.SendMessage(message, 'x', 0);
        EXPECT_EQ(held, StateOf(m_edit));
    }
    // The keyboard's ways to paste and undo are combinations to record like any other.
    Type(Chord({VK_SHIFT, VK_INSERT}));
    EXPECT_EQ((FieldState{L"Ctrl+ Insert", MOD_CONTROL, VK_INSERT}), StateOf(m_edit));
    Type(Chord({VK_CONTROL, 'V'}));
    EXPECT_EQ((FieldState{L"Ctrl+ V", MOD_CONTROL, 'V'}), StateOf(m_edit));
    {
        CMenuGuard guard;
        POINT corner = {5, 5};
        ClientToScreen(m_edit.GetHwnd(), &corner);
        m_edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_edit.GetHwnd()),
                           MAKELPARAM(corner.x, corner.y));
        m_edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_edit.GetHwnd()), -1);
        EXPECT_FALSE(CMenuGuard::s_menuEnded) << "the edit's context menu opened";
    }
    EXPECT_EQ((FieldState{L"Ctrl+ V", MOD_CONTROL, 'V'}), StateOf(m_edit));
    if (OpenClipboard(m_dialog))
    {
        EmptyClipboard();
        CloseClipboard();
    }
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

TEST_F(ToolkitKeyShortcutEdit, SetHotKeyZeroEmptiesTheField)
{
    Start(m_edit);
    m_edit.SetHotKey(0);
    EXPECT_EQ((FieldState{L"", 0, 0}), StateOf(m_edit));
    Type(Chord({VK_CONTROL, 'A'}));
    ASSERT_TRUE(m_edit.IsChanged());
    m_edit.SetHotKey(0);
    EXPECT_EQ((FieldState{L"", 0, 0}), StateOf(m_edit));
    EXPECT_FALSE(m_edit.IsChanged());
    EXPECT_EQ(0, m_edit.GetHotKey());
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
        m_edit.SetHotKey(test.hotKey);
        EXPECT_EQ(test.expected, StateOf(m_edit));
        // Held unchanged, the word goes back as it came, HOTKEYF_EXT included.
        EXPECT_EQ(test.hotKey, m_edit.GetHotKey());
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

TEST_F(ToolkitKeyShortcutEdit, ShowModifiersAndKeyHoldsTheStoredCombination)
{
    Start(m_winEdit);
    m_winEdit.ShowModifiersAndKey(MOD_CONTROL | MOD_SHIFT, 0x24);
    EXPECT_EQ((FieldState{L"Ctrl + Shift+ Home", MOD_CONTROL | MOD_SHIFT, 0x24}),
              StateOf(m_winEdit));
    EXPECT_FALSE(m_winEdit.IsChanged());
    m_winEdit.ShowModifiersAndKey(MOD_WIN | MOD_ALT, 'P');
    EXPECT_EQ((FieldState{L"Alt + Win+ P", MOD_WIN | MOD_ALT, 'P'}), StateOf(m_winEdit));
    EXPECT_FALSE(m_winEdit.IsChanged());
    Type(Chord({VK_LWIN, 'P'}));
    EXPECT_TRUE(m_winEdit.IsChanged());
    // The same combination pressed again is no change.
    Type(Chord({VK_LWIN, VK_MENU, 'P'}));
    EXPECT_EQ((FieldState{L"Win+ Alt+ P", MOD_WIN | MOD_ALT, 'P'}), StateOf(m_winEdit));
    EXPECT_FALSE(m_winEdit.IsChanged());
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
