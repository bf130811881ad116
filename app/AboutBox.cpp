#include "app/AboutBox.h"

#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/HyperLink.h"
#include "toolkit/Shielded.h"

namespace
{
// Kept for the whole run, so a link opened once stays purple in later About boxes.
CHyperLink homePageLink;
CHyperLink emailLink;

void OnInitDialog(HWND dialog)
{
    homePageLink.ConvertStaticToHyperlink(dialog, IDC_HOME_PAGE_LINK,
                                          L"https://pathmoor.example.org/");
    emailLink.ConvertStaticToHyperlink(dialog, IDC_EMAIL_LINK,
                                       L"mailto:support@pathmoor.example.org");
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg)
    {
    case WM_INITDIALOG:
        // Without its links the box still tells what it has to.
        CallShielded([dialog] { OnInitDialog(dialog); }, [] {});
        break;
    case WM_COMMAND:
        // Esc and the close box; the box has no buttons.
        if (wParam == IDCANCEL)
            EndDialog(dialog, 0);
        break;
    default:
        break;
    }
    return FALSE;
}
} // namespace

void ShowAboutBox(HWND owner)
{
    DialogBoxParamW(CApplication::Instance().GetInstanceHandle(), MAKEINTRESOURCEW(IDD_ABOUT),
                    owner, AboutDialogProc, 0);
}
