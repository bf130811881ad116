#include "tests/unit/toolkit/DialogTemplate.h"
#include "tests/unit/toolkit/RecordingWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

using toolkit_test::CDialogTemplate;
using toolkit_test::CRecordingWindow;

namespace
{
constexpr WORD kEditId = 100;
constexpr UINT kEndDialog = WM_APP + 3;
constexpr INT_PTR kEndCode = 7;

CDialogTemplate MakeTemplate()
{
    CDialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 60, L"Binding");
    dialog.AddControl(L"Edit", kEditId, ES_AUTOHSCROLL | WS_BORDER, 5, 5, 100, 12);
    return dialog;
}

// Ends itself as soon as its modal loop runs, and notes what it found at WM_INITDIALOG.
class CSelfEndingDialog : public CRecordingWindow
{
public:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_INITDIALOG)
        {
            m_mappedAtInit = CApplication::Instance().FindWindowObject(GetHwnd());
            m_editAtInit = GetDlgItem(GetHwnd(), kEditId);
            PostMessageW(GetHwnd(), kEndDialog, 0, 0);
        }
        if (msg == kEndDialog)
            EndDialog(GetHwnd(), kEndCode);
        return CRecordingWindow::DialogProc(msg, wParam, lParam);
    }

    CWindow* m_mappedAtInit = nullptr;
    HWND m_editAtInit = nullptr;
};

TEST(ToolkitDialogBinding, ModalDialogIsBoundAtInitDialog)
{
    const CDialogTemplate dialogTemplate = MakeTemplate();
    CSelfEndingDialog dialog;
    const INT_PTR result = DialogBoxIndirectParamW(
        CApplication::Instance().GetInstanceHandle(), dialogTemplate.Get(), nullptr,
        CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(&dialog));
    EXPECT_EQ(kEndCode, result) << "error " << GetLastError();
    ASSERT_FALSE(dialog.m_messages.empty());
    // WM_SETFONT came before WM_INITDIALOG and was answered with 0 without the object.
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.m_messages.front())
        << "first message seen: " << dialog.m_messages.front();
    EXPECT_EQ(&dialog, dialog.m_mappedAtInit);
    EXPECT_NE(nullptr, dialog.m_editAtInit) << "GetHwnd() at WM_INITDIALOG is not the dialog";
    // The dialog window is gone; so is the binding.
    EXPECT_TRUE(dialog.Saw(WM_NCDESTROY));
    EXPECT_EQ(nullptr, dialog.GetHwnd());
}

TEST(ToolkitDialogBinding, ModelessDialogIsBoundAndReleased)
{
    const CDialogTemplate dialogTemplate = MakeTemplate();
    CRecordingWindow dialog;
    const HWND hWnd = CreateDialogIndirectParamW(
        CApplication::Instance().GetInstanceHandle(), dialogTemplate.Get(), nullptr,
        CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, hWnd) << "error " << GetLastError();
    EXPECT_EQ(hWnd, dialog.GetHwnd());
    EXPECT_EQ(&dialog, CApplication::Instance().FindWindowObject(hWnd));
    EXPECT_FALSE(dialog.Saw(WM_SETFONT));

    dialog.m_answers[kEndDialog] = TRUE;
    SendMessageW(hWnd, kEndDialog, 0, 0);
    EXPECT_TRUE(dialog.Saw(kEndDialog));

    ASSERT_TRUE(DestroyWindow(hWnd));
    EXPECT_EQ(nullptr, dialog.GetHwnd());
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
}

TEST(ToolkitDialogBinding, DialogWithoutObjectStaysUnbound)
{
    const CDialogTemplate dialogTemplate = MakeTemplate();
    const HWND hWnd =
        CreateDialogIndirectParamW(CApplication::Instance().GetInstanceHandle(),
                                   dialogTemplate.Get(), nullptr, CWindow::StaticDialogProc, 0);
    ASSERT_NE(nullptr, hWnd) << "error " << GetLastError();
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
    EXPECT_NE(nullptr, GetDlgItem(hWnd, kEditId));
    EXPECT_TRUE(DestroyWindow(hWnd));
}

TEST(ToolkitDialogBinding, DeletingTheObjectDestroysTheDialog)
{
    const CDialogTemplate dialogTemplate = MakeTemplate();
    auto* dialog = new CRecordingWindow;
    const HWND hWnd = CreateDialogIndirectParamW(
        CApplication::Instance().GetInstanceHandle(), dialogTemplate.Get(), nullptr,
        CWindow::StaticDialogProc, reinterpret_cast<LPARAM>(dialog));
    ASSERT_NE(nullptr, hWnd);
    delete dialog;
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CApplication::Instance().FindWindowObject(hWnd));
}
} // namespace
