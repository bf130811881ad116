#pragma once

#include <optional>
#include <string>

#include "store/Settings.h"
#include "views/ListItemWindow.h"

class CListItem;
enum class ListKind : int;

// What the rows of entries share: the plain and the underlined font, the shell icon of the
// entry's file, the hotkey marker, the name drawn after the icon column with the search
// text highlighted, and the tooltip with the whole name where it was cut short.
class CEntryItemWindow : public CListItemWindow
{
public:
    explicit CEntryItemWindow(HBITMAP background);

    void OnReflectNotify(NMHDR* header, LRESULT* result) override;
    bool IsCategory() const override;
    std::wstring GetCatalogueName() const override;
    // The entry the row shows.
    virtual CListItem& GetEntry() const = 0;
    // What a click on the row's name does; keys launch through it too.
    virtual void LaunchAsClicked() = 0;

    // Where a row's shell icon stands, and where the icon column ends with the icon
    // option off, with no icon to draw, and with the icon drawn.
    struct IconColumn
    {
        int iconLeft;
        int bare;
        int empty;
        int filled;
    };

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
    bool RunEntryCommand(UINT command, ListKind kind, const wchar_t* deletePrompt);
    // Asks the shell for the small icon of path, once per path: a path that cannot be
    // reached (a share that is gone) may block each ask for seconds, so one that gave no
    // icon is asked again only once the entry's path has changed. With byType only its
    // type counts, so the file need not exist.
    void FetchFileIcon(const std::wstring& path, bool byType);
    // Returns the right edge of the icon column; showIcons is the option of the row's kind
    // in the main window's settings (all shown while there is no main window).
    int DrawFileIcon(HDC dc, const IconColumn& column, bool CSettings::*showIcons) const;

    // Draws what stands left of the name and returns the right edge of it.
    virtual int DrawIcons(HDC dc) const = 0;
    // The entry has a hotkey: the marker shows it, crossed out while it is not active.
    bool HasHotkeyMarker() const;
    // The tooltip's text, empty for none: the name, while it is cut short, and why the
    // entry's hotkey is not active, while it is not.
    virtual std::wstring GetTipText() const;

private:
    // The path the shell was last asked about for the icon, answered or not.
    std::optional<std::wstring> m_iconPath;
};
