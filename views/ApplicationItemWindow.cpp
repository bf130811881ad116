#include "views/ApplicationItemWindow.h"

#include <shellapi.h>

#include "catalogue/ApplicationItem.h"
#include "catalogue/Catalogue.h"
#include "resources/resource.h"
#include "toolkit/DpiScale.h"
#include "toolkit/SharedImages.h"
#include "toolkit/Utilities.h"
#include "views/NameDrawing.h"
#include "views/RowHost.h"

namespace
{
constexpr int BallLeft = 6;
constexpr int BallTop = 4;
constexpr int BallSize = 10;

enum StateIcon
{
    Running,
    RunningHot,
    NotRunning,
    NotRunningHot,
    StateIconCount
};

// The ball's box in the row at the current scale.
RECT BallRect()
{
    const CDpiScale& scale = CDpiScale::Current();
    const int left = scale.Scale(BallLeft);
    const int top = scale.Scale(BallTop);
    const int size = scale.Scale(BallSize);
    return RECT{left, top, left + size, top + size};
}

// Loaded at the size they are drawn at, so that drawing does not scale them.
HICON StateIconOf(StateIcon state, int size)
{
    static const int ids[StateIconCount] = {IDI_RUNNING, IDI_RUNNING_HOT, IDI_NOT_RUNNING,
                                            IDI_NOT_RUNNING_HOT};
    return SizedIcon(ids[state], size);
}

StateIcon ChooseStateIcon(bool running, bool hot)
{
    if (running)
        return hot ? RunningHot : Running;
    return hot ? NotRunningHot : NotRunning;
}

} // namespace

CApplicationItemWindow::CApplicationItemWindow(CApplicationItem* item)
    : CEntryItemWindow(KindOf(ListKind::Applications)), m_item(item)
{
}

CListItem& CApplicationItemWindow::GetEntry() const
{
    return *m_item;
}

void CApplicationItemWindow::LaunchAsClicked()
{
    LaunchAndHide(*m_item);
}

bool CApplicationItemWindow::IsOnBall(POINT point)
{
    const RECT ball = BallRect();
    return point.x >= ball.left && point.x <= ball.right && point.y >= ball.top &&
           point.y <= ball.bottom;
}

void CApplicationItemWindow::PrepareContextMenu(HMENU popup, bool running)
{
    if (!running)
        EnableMenuItem(popup, ID_CLOSE, MF_BYCOMMAND | MF_DISABLED);
}

void CApplicationItemWindow::RunMenuCommand(UINT command)
{
    if (command == ID_CLOSE)
        CloseApplication(*m_item);
    else
        CEntryItemWindow::RunMenuCommand(command);
}

void CApplicationItemWindow::LaunchAndHide(const CApplicationItem& item)
{
    item.Launch();
    IRowHost::TellEntryLaunched();
}

// The state ball, then the shell icon.
int CApplicationItemWindow::DrawIcons(HDC dc) const
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(GetHwnd(), &cursor);
    const RECT ball = BallRect();
    const int size = ball.right - ball.left;
    const HICON icon = StateIconOf(ChooseStateIcon(m_item->m_running, IsOnBall(cursor)), size);
    DrawIconEx(dc, ball.left, ball.top, icon, size, size, 0, nullptr, DI_NORMAL);
    return DrawFileIcon(dc);
}

LRESULT CApplicationItemWindow::OnRButtonDown(LPARAM lParam)
{
    const bool running = m_item->m_running;
    RunMenuCommand(
        TrackRowMenu(lParam, [running](HMENU popup) { PrepareContextMenu(popup, running); }));
    return 0;
}

// The click carries the release's point, signed as in every mouse message.
LRESULT CApplicationItemWindow::OnListItemClick(LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    if (IsOnBall(point) && m_item->m_running)
        CloseApplication(*m_item);
    else
        LaunchAsClicked();
    return 0;
}
