#pragma once

#include <optional>
#include <string>

#include "catalogue/EntryKind.h"
#include "views/ListItemWindow.h"

class CListItem;

// What the rows of entries share: the plain and the underlined font, the shell icon of the
// entry's file, the hotkey marker, the name drawn after the icon column with the search
// text highlighted, and the tooltip with the whole name where it was cut short.
class CEntryItemWindow : public CListItemWindow
{
public:
    // The row is tiled with its kind's bitmap.
    explicit CEntryItemWindow(const EntryKind& kind);

    // Paint, right click and click; everything else as every list window.
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;
    std::wstring GetCatalogueName() const override;
    // The entry the row shows.
    virtual CListItem& GetEntry() const = 0;
    // What a click on the row's name does; keys launch through it too.
    virtual void LaunchAsClicked() = 0;
    // Carries out a command of the row's menu: "&Launch" as a click, and the commands all
    // kinds share. The row may be gone afterwards.
    virtual void RunMenuCommand(UINT command);

    ListKind GetKind() const { return m_kind.list; }

    static constexpr int NoIcon = -1;
    // The entry's icon in the shell's list of small icons, or NoIcon.
    int m_iconIndex = NoIcon;
    // The name ran past the right limit at the last paint.
    bool m_truncated = false;
    std::wstring m_tipBuffer;
    // How often this row has asked the shell for its icon.
    int m_iconRequests = 0;

protected:
    // The whole of WM_PAINT.
    LRESULT PaintEntry();
    // The row menu's "&Edit", "&Copy", "&Delete" and "&Properties", which all kinds share;
    // false for any other command. The row may be gone afterwards.
    bool RunEntryCommand(UINT command);
    // Shows the kind's row menu at the click's point; prepare may change it first.
    UINT TrackRowMenu(LPARAM lParam, const std::function<void(HMENU)>& prepare = nullptr) const;
    // Returns the right edge of the kind's icon column; the kind's option in the main
    // window's settings may hide the icon (all shown while there is no main window).
    int DrawFileIcon(HDC dc) const;

    // Draws what stands left of the name and returns the right edge of it: the file icon.
    virtual int DrawIcons(HDC dc) const;
    // The kind's menu at the point; the command may delete the row.
    virtual LRESULT OnRButtonDown(LPARAM lParam);
    // A click released on the row, at the point in lParam.
    virtual LRESULT OnListItemClick(LPARAM lParam);
    // The entry has a hotkey: the marker shows it, crossed out while it is not active.
    bool HasHotkeyMarker() const;
    // The tooltip's text, empty for none: the name, while it is cut short, and why the
    // entry's hotkey is not active, while it is not.
    virtual std::wstring GetTipText() const;

    const EntryKind& m_kind;

private:
    // Asks the shell for the small icon of the entry's path, as its kind asks for it, once
    // per path: a path that cannot be reached (a share that is gone) may block each ask for
    // seconds, so one that gave no icon is asked again only once the entry's path has
    // changed, at the next paint. By type, only the path's type counts, so the file need
    // not exist.
    void FetchOwnIcon();

    // The entry's path revision the shell was last asked about, answered or not.
    std::optional<unsigned> m_iconRevision;
};
