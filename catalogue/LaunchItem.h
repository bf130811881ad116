#pragma once

#include "catalogue/ListItem.h"

// What applications and shortcuts share: a path started through the shell with its
// arguments in its working folder, optionally by a global hotkey.
class CLaunchItem : public CListItem
{
public:
    ~CLaunchItem() override;

    void CopyFrom(const CListItem& other) override;
    std::wstring GetPath() const override;
    std::wstring GetArguments() const override;
    std::wstring GetStartIn() const override;
    WORD GetHotKey() const override;
    void SetHotKey(WORD hotKey) override;
    bool RegisterItemHotKey() override;
    bool HasActiveHotKey() const override;

    // True when the shell accepted the request.
    bool Launch() const;

    std::wstring m_path;
    std::wstring m_arguments;
    std::wstring m_startIn;
    WORD m_hotKey;
    // Id of the registration with the main window; -1 while the hotkey is not registered.
    int m_hotKeyId = -1;

protected:
    CLaunchItem(const std::wstring& name, CCategory* category, const std::wstring& path,
                const std::wstring& arguments, const std::wstring& startIn, WORD hotKey);
};
