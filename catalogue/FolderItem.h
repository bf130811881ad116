#pragma once

#include "catalogue/ListItem.h"

// A folder, opened through the shell; it has no arguments, working folder or hotkey.
class CFolderItem : public CListItem
{
public:
    // A null parent window makes an item without a window (the store's loaders do that).
    CFolderItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                HWND parentWindow);

    std::unique_ptr<CListItem> Clone() const override;
    void CopyFrom(const CListItem& other) override;
    std::wstring GetPath() const override;
    std::wstring GetArguments() const override;
    std::wstring GetStartIn() const override;
    WORD GetHotKey() const override;
    void SetHotKey(WORD hotKey) override;
    bool RegisterItemHotKey() override;
    void CreateItemWindow(HWND parent, const POINT* shownAt = nullptr) override;

    // True when the shell accepted the request.
    bool Launch() const;

    std::wstring m_path;
};
