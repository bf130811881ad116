#pragma once

#include "views/EntryItemWindow.h"

class CShortcutItem;

// The row of one shortcut: the shell icon of its file, the hotkey marker and the name with
// the search text highlighted, underlined while hovered; a click opens the file.
class CShortcutItemWindow : public CEntryItemWindow
{
public:
    explicit CShortcutItemWindow(CShortcutItem* item);

    CShortcutItem* m_item;

    CListItem& GetEntry() const override;
    // "Hide after launch" is for applications; opening a shortcut leaves the window alone.
    void LaunchAsClicked() override;
};
