#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

#include <memory>

using toolkit_test::CRecordingWindow;

namespace
{
constexpr UINT kProbe = WM_APP + 17;
constexpr LRESULT kProbeAnswer = 4242;

WNDPROC ProcedureOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// A procedure installed below or above ours, which counts what passes through it.
struct CForeignProcedure
{
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_DESTROY)
            ++s_destroys;
        if (msg == WM_NCDESTROY)
            ++s_ncDestroys;
        return CallWindowProcW(s_next, hWnd, msg, wParam, lParam);
    }
    static void Install(HWND hWnd)
    {
        s_destroys = s_ncDestroys = 0;
        s_next = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    static WNDPROC s_next;
    static int s_destroys;
    static int s_ncDestroys;
};
WNDPROC CForeignProcedure::s_next = nullptr;
int CForeignProcedure::s_destroys = 0;
int CForeignProcedure::s_ncDestroys = 0;

class ToolkitWindowBinding : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host = CRecordingWindow::CreateTestWindow(nullptr, WS_OVERLAPPEDWINDOW, nullptr,
                                                    {0, 0, 300, 200}, L"host");
        ASSERT_NE(nullptr, m_host);
    }
    void TearDown() override { DestroyWindow(m_host); }

    HWND CreateControl(const wchar_t* className, DWORD style = 0)
    {
        return CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 80, 20, m_host, nullptr,
                               CApplication::Instance().GetInstanceHandle(), nullptr);
    }

    static void ExpectBound(const CWindow& window, HWND hWnd, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(hWnd, window.GetHwnd());
        EXPECT_EQ(&window, CApplication::Instance().FindWindowObject(hWnd));
    }

    static void ExpectUnbound(const CWindow& window, HWND formerHwnd, int line)
    {
        SCOPED_TRACE(testing::Message() << "called from line " << line);
        EXPECT_EQ(nullptr, window.GetHwnd());
        EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(formerHwnd));
    }

    HWND m_host = nullptr;
};

TEST_F(ToolkitWindowBinding, CreationParameterBindsAtWmCreate)
{
    CRecordingWindow window;
    const HWND hWnd = CRecordingWindow::CreateTestWindow(&window, WS_OVERLAPPEDWINDOW, nullptr,
                                                         {10, 10, 200, 100}, L"Created");
    ASSERT_NE(nullptr, hWnd);
    ExpectBound(window, hWnd, __LINE__);
    ASSERT_FALSE(window.m_messages.empty());
    // WM_NCCREATE, WM_NCCALCSIZE and the like came before and went to DefWindowProcW.
    EXPECT_EQ(static_cast<UINT>(WM_CREATE), window.m_messages.front())
        << "first message seen: " << window.m_messages.front();
    EXPECT_FALSE(window.Saw(WM_NCCREATE));
    EXPECT_EQ(L"Created", window.GetText()) << "DefWindowProcW keeps the title at WM_NCCREATE";
    EXPECT_EQ(CWindow::StaticWindowProc, ProcedureOf(hWnd));

    window.m_answers[kProbe] = kProbeAnswer;
    EXPECT_EQ(kProbeAnswer, SendMessageW(hWnd, kProbe, 0, 0));
    // Not subclassed: the default WindowProc is DefWindowProcW.
    EXPECT_EQ(0, SendMessageW(hWnd, kProbe + 1, 0, 0));
    EXPECT_TRUE(window.Saw(kProbe + 1));
}

TEST_F(ToolkitWindowBinding, CreationWithoutObjectStaysUnbound)
{
    const HWND hWnd = CRecordingWindow::CreateTestWindow(nullptr, WS_OVERLAPPEDWINDOW, nullptr,
                                                         {10, 10, 200, 100}, L"Plain");
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
    wchar_t title[16];
    wmemset(title, L'#', 16);
    EXPECT_EQ(5, SendMessageW(hWnd, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(title)));
    EXPECT_STREQ(L"Plain", title);
    EXPECT_TRUE(DestroyWindow(hWnd));
}

TEST_F(ToolkitWindowBinding, DeletingTheObjectDestroysItsWindow)
{
    auto window = std::make_unique<CRecordingWindow>();
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(window.get(), WS_CHILD, m_host, {0, 0, 50, 50});
    ASSERT_NE(nullptr, hWnd);
    window.reset();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
}

TEST_F(ToolkitWindowBinding, DestroyedWindowReleasesItsObject)
{
    CRecordingWindow window;
    const HWND hWnd = CRecordingWindow::CreateTestWindow(&window, WS_CHILD, m_host, {0, 0, 50, 50});
    ASSERT_NE(nullptr, hWnd);
    ASSERT_TRUE(DestroyWindow(hWnd));
    EXPECT_TRUE(window.Saw(WM_DESTROY));
    EXPECT_TRUE(window.Saw(WM_NCDESTROY));
    // A later window that happens to get the same handle value must not find this object.
    ExpectUnbound(window, hWnd, __LINE__);
}

TEST_F(ToolkitWindowBinding, AttachSubclassesSystemButton)
{
    const HWND button = CreateControl(L"Button", BS_AUTOCHECKBOX);
    ASSERT_NE(nullptr, button);
    const WNDPROC buttonProc = ProcedureOf(button);
    CRecordingWindow window;
    window.m_attachResult = false;
    EXPECT_FALSE(window.Attach(button)) << "Attach returns what OnAttach returns";
    EXPECT_EQ(1, window.m_attachCount);
    ExpectBound(window, button, __LINE__);
    EXPECT_EQ(CWindow::StaticWindowProc, ProcedureOf(button));
    EXPECT_NE(buttonProc, ProcedureOf(button));

    // The default WindowProc hands everything to the button's own procedure.
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(button, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(window.Saw(BM_SETCHECK));
    EXPECT_TRUE(window.Saw(BM_GETCHECK));
}

TEST_F(ToolkitWindowBinding, AttachSubclassesSystemEdit)
{
    const HWND edit = CreateControl(L"Edit", ES_AUTOHSCROLL);
    ASSERT_NE(nullptr, edit);
    CRecordingWindow window;
    EXPECT_TRUE(window.Attach(edit));
    ExpectBound(window, edit, __LINE__);
    window.SetText(L"typed");
    EXPECT_EQ(5, window.GetLineLength());
    EXPECT_EQ(L"typed", window.GetText());
    EXPECT_TRUE(window.Saw(WM_SETTEXT));
    EXPECT_TRUE(window.Saw(EM_LINELENGTH));
}

TEST_F(ToolkitWindowBinding, SecondAttachOfSameWindowDoesNotSubclassAgain)
{
    const HWND button = CreateControl(L"Button", BS_AUTOCHECKBOX);
    CRecordingWindow window;
    window.Attach(button);
    window.Attach(button);
    EXPECT_EQ(2, window.m_attachCount);
    ExpectBound(window, button, __LINE__);
    // Were StaticWindowProc its own previous procedure, this would never return.
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageW(button, BM_GETCHECK, 0, 0));
    EXPECT_EQ(1u, window.CountOf(BM_GETCHECK));
}

TEST_F(ToolkitWindowBinding, AttachToAnotherWindowReleasesTheFirst)
{
    const HWND first = CreateControl(L"Button");
    const HWND second = CreateControl(L"Edit");
    const WNDPROC firstProc = ProcedureOf(first);
    CRecordingWindow window;
    window.Attach(first);
    window.Attach(second);
    ExpectBound(window, second, __LINE__);
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(first));
    EXPECT_EQ(firstProc, ProcedureOf(first));
    EXPECT_EQ(CWindow::StaticWindowProc, ProcedureOf(second));
    window.SetText(L"second");
    EXPECT_TRUE(window.Saw(WM_SETTEXT));
    EXPECT_EQ(L"second", window.GetEditText());
}

TEST_F(ToolkitWindowBinding, AttachToWindowCreatedWithItsObject)
{
    CRecordingWindow window;
    const HWND hWnd =
        CRecordingWindow::CreateTestWindow(&window, WS_CHILD, m_host, {0, 0, 50, 50}, L"self");
    ASSERT_NE(nullptr, hWnd);
    EXPECT_TRUE(window.Attach(hWnd));
    ExpectBound(window, hWnd, __LINE__);
    EXPECT_EQ(CWindow::StaticWindowProc, ProcedureOf(hWnd));
    // Unhandled messages still end in DefWindowProcW instead of circling.
    EXPECT_EQ(0, SendMessageW(hWnd, kProbe, 0, 0));
    EXPECT_EQ(L"self", window.GetText());
}

TEST_F(ToolkitWindowBinding, SubclassDoesNotCallOnAttach)
{
    CRecordingWindow window;
    const HWND hWnd = CRecordingWindow::CreateTestWindow(&window, WS_CHILD, m_host, {0, 0, 50, 50});
    window.Subclass();
    EXPECT_EQ(0, window.m_attachCount);
    ExpectBound(window, hWnd, __LINE__);
    EXPECT_EQ(0, SendMessageW(hWnd, kProbe, 0, 0));
}

TEST_F(ToolkitWindowBinding, ReattachAfterControlWasDestroyed)
{
    // A dialog object that opens its dialog a second time attaches its members to new
    // controls after the old ones died with the first dialog.
    CRecordingWindow window;
    const HWND first = CreateControl(L"Edit");
    window.Attach(first);
    ASSERT_TRUE(DestroyWindow(first));
    EXPECT_TRUE(window.Saw(WM_NCDESTROY));
    ExpectUnbound(window, first, __LINE__);

    const HWND second = CreateControl(L"Edit");
    window.Attach(second);
    ExpectBound(window, second, __LINE__);
    EXPECT_EQ(CWindow::StaticWindowProc, ProcedureOf(second));
    window.SetText(L"again");
    EXPECT_EQ(L"again", window.GetText());
}

TEST_F(ToolkitWindowBinding, DeletingObjectLetsControlRunItsOwnDestruction)
{
    const HWND edit = CreateControl(L"Edit");
    // Below our subclass: sees what reaches the control's own procedure chain.
    CForeignProcedure::Install(edit);
    auto window = std::make_unique<CRecordingWindow>();
    window->Attach(edit);
    window.reset();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(1, CForeignProcedure::s_destroys);
    EXPECT_EQ(1, CForeignProcedure::s_ncDestroys);
}

// Runs a window on a thread of its own, so that this thread cannot destroy it: the only
// way a window outlives the object that DestroyWindow is called for. The thread handles
// nothing but messages sent to it, so it touches the window map only while this thread
// waits in SendMessageW.
class CForeignThreadWindow
{
public:
    explicit CForeignThreadWindow(CWindow* object, const wchar_t* className = nullptr)
        : m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_quit(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_object(object),
          m_className(className)
    {
        m_thread = CreateThread(nullptr, 0, &CForeignThreadWindow::Run, this, 0, nullptr);
        WaitForSingleObject(m_ready, INFINITE);
    }
    ~CForeignThreadWindow()
    {
        SetEvent(m_quit);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_quit);
        CloseHandle(m_ready);
    }
    HWND Get() const { return m_hWnd; }

private:
    static DWORD WINAPI Run(void* parameter)
    {
        auto* self = static_cast<CForeignThreadWindow*>(parameter);
        if (self->m_className)
            self->m_hWnd = CreateWindowExW(0, self->m_className, L"", WS_POPUP, 0, 0, 80, 20,
                                           nullptr, nullptr, nullptr, nullptr);
        else
            self->m_hWnd = CRecordingWindow::CreateTestWindow(self->m_object, WS_POPUP, nullptr,
                                                              {0, 0, 80, 20}, L"foreign");
        SetEvent(self->m_ready);
        while (MsgWaitForMultipleObjects(1, &self->m_quit, FALSE, INFINITE, QS_SENDMESSAGE) !=
               WAIT_OBJECT_0)
        {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        DestroyWindow(self->m_hWnd);
        return 0;
    }

    HANDLE m_ready;
    HANDLE m_quit;
    CWindow* m_object;
    const wchar_t* m_className;
    HANDLE m_thread = nullptr;
    HWND m_hWnd = nullptr;
};

TEST_F(ToolkitWindowBinding, WindowOutlivingItsObjectGetsDefWindowProc)
{
    std::vector<std::wstring> journal;
    auto window = std::make_unique<CRecordingWindow>(L"object", &journal);
    window->m_answers[kProbe] = kProbeAnswer;
    CForeignThreadWindow foreign(window.get());
    const HWND hWnd = foreign.Get();
    ASSERT_NE(nullptr, hWnd);
    ASSERT_EQ(kProbeAnswer, SendMessageW(hWnd, kProbe, 0, 0));

    window.reset();
    ASSERT_TRUE(IsWindow(hWnd)) << "DestroyWindow from another thread should have failed";
    journal.clear();
    EXPECT_EQ(0, SendMessageW(hWnd, kProbe, 0, 0));
    wchar_t title[16];
    wmemset(title, L'#', 16);
    EXPECT_EQ(7, SendMessageW(hWnd, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(title)));
    EXPECT_STREQ(L"foreign", title);
    EXPECT_TRUE(journal.empty()) << "first entry: " << testing::PrintToString(journal);
}

TEST_F(ToolkitWindowBinding, ControlOutlivingItsObjectGetsItsOwnProcedureBack)
{
    CForeignThreadWindow foreign(nullptr, L"Edit");
    const HWND edit = foreign.Get();
    ASSERT_NE(nullptr, edit);
    const WNDPROC editProc = ProcedureOf(edit);
    auto window = std::make_unique<CRecordingWindow>();
    window->Attach(edit);
    window.reset();
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_EQ(editProc, ProcedureOf(edit));
    // DefWindowProcW would answer 0; the edit reports its text limit.
    EXPECT_NE(0, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
}

TEST_F(ToolkitWindowBinding, SubclassedOverControlOutlivingItsObjectGetsDefWindowProc)
{
    CForeignThreadWindow foreign(nullptr, L"Edit");
    const HWND edit = foreign.Get();
    ASSERT_NE(nullptr, edit);
    auto window = std::make_unique<CRecordingWindow>();
    window->Attach(edit);
    // Someone else subclasses on top of us, so our procedure cannot be taken out again.
    CForeignProcedure::Install(edit);
    ASSERT_EQ(CWindow::StaticWindowProc, CForeignProcedure::s_next);
    ASSERT_NE(0, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));

    window.reset();
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_EQ(&CForeignProcedure::Proc, ProcedureOf(edit));
    EXPECT_EQ(0, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
}
} // namespace
