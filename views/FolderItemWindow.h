#pragma once

#include "views/EntryItemWindow.h"

class CFolderItem;

// The row of one folder: the folder's shell icon, its name with the search text
// highlighted, underlined while hovered, and its path as the tooltip; a click opens it.
class CFolderItemWindow : public CEntryItemWindow
{
public:
    explicit CFolderItemWindow(CFolderItem* item);

    void OnReflectNotify(NMHDR* header, LRESULT* result) override;

    CFolderItem* m_item;

    CListItem& GetEntry() const override;
    // Opening a folder is no launch of a program: the main window stays.
    void LaunchAsClicked() override;

protected:
    std::wstring GetTipText() const override;
};
