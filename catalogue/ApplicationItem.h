#pragma once

#include "catalogue/LaunchItem.h"

// A program: started with its arguments in its working folder, optionally by a global
// hotkey; the running scan marks it while a process of its file name runs.
class CApplicationItem : public CLaunchItem
{
public:
    // A null parent window makes an item without a window (the store's loaders do that).
    CApplicationItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                     const std::wstring& arguments, const std::wstring& startIn, WORD hotKey,
                     HWND parentWindow);

    std::unique_ptr<CListItem> Clone() const override;
    void CreateItemWindow(HWND parent, const POINT* shownAt = nullptr) override;

    // Written by the running scan; the window is meaningful only while m_running is true.
    bool m_running = false;
    HWND m_processWindow = nullptr;
};

// Asks the running program to end as its own close box would (WM_CLOSE, so it can save and
// clean up); the running state changes at the next scan. False when the item is not running
// or the request could not be posted.
bool CloseApplication(const CApplicationItem& item);
