#pragma once

#include "catalogue/LaunchItem.h"

// Any file, usually the target of a shell link, opened through the shell with its
// arguments in its working folder, optionally by a global hotkey.
class CShortcutItem : public CLaunchItem
{
public:
    // A null parent window makes an item without a window (the store's loaders do that).
    CShortcutItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                  const std::wstring& arguments, const std::wstring& startIn, WORD hotKey,
                  HWND parentWindow);

    std::unique_ptr<CListItem> Clone() const override;
    void CreateItemWindow(HWND parent, const POINT* shownAt = nullptr) override;
};
