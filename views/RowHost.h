#pragma once

#include <windows.h>

#include <string>

class CCategory;
class CListItem;
struct CSettings;
enum class ListKind : int;

// What the rows and headers ask of the window that holds them: the search, the options,
// and the dialogs that change the catalogue. The main window provides it; the rows reach
// nothing above them otherwise.
class IRowHost
{
public:
    // The host of the run, or null before the main window exists (and in tests that
    // host rows on their own).
    static IRowHost* Current();
    static void SetCurrent(IRowHost* host);
    // Tells the current host, if any, that an entry was started from a row.
    static void TellEntryLaunched();

    virtual const std::wstring& GetSearchText() const = 0;
    // The row framed as the current search match, or null.
    virtual HWND GetCurrentMatch() const = 0;
    virtual const CSettings& GetSettings() const = 0;
    // An entry was started from a row: the window goes to the tray if the option says so.
    virtual void OnEntryLaunched() = 0;

    virtual void AddItem(HWND owner, ListKind kind, const std::wstring& categoryName) = 0;
    // The entry may be gone afterwards.
    virtual void EditItem(HWND owner, ListKind kind, CListItem& item) = 0;
    virtual void EditCategory(HWND owner, ListKind kind, CCategory& category) = 0;
    virtual void DeleteCategory(HWND owner, ListKind kind, const std::wstring& categoryName) = 0;

protected:
    ~IRowHost() = default;
};
