#pragma once

#include "catalogue/CategorizedList.h"
#include "catalogue/Category.h"
#include "tests/support/unit/MainWindowTest.h"
#include "tests/support/unit/HostWindow.h"
#include "views/CategoryItemWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace views_test
{
using test_support::CaptureClient;
using test_support::CHostWindow;
using test_support::PlaceWindow;

// The main window's catalogue with categories whose headers and rows live on a host window
// of the test instead of the main window's pages.
class CHostedViewsTest : public test_support::CMainWindowTest
{
protected:
    static constexpr int RowHeight = 22;

    void SetUp() override;
    void TearDown() override;

    // The list's own parent is a page of the main window; the new header lives on the host.
    CCategory* AddHostedCategory(CCategorizedList& list, const std::wstring& name, int x,
                                 int y = 0);

    // Inserts the item and shows its row as the last one below its category's header.
    template <typename TItem> TItem* InsertRow(CCategory* category, std::unique_ptr<TItem> item)
    {
        TItem* raw = item.get();
        if (!category->InsertItem(std::move(item)))
            return nullptr;
        PlaceLastRow(*category, raw->m_window->GetHwnd());
        return raw;
    }

    // The row painted afresh, row by row.
    static std::vector<COLORREF> Capture(HWND row);

    // A drop list as the shell builds it for a drag from Explorer; the target owns it then.
    static void DropFiles(HWND target, const std::vector<std::wstring>& paths, int line);

    // Deleting the entry through its row's menu asks first; answered No, the entry stays.
    static void ExpectEntryKeptOnNo(const std::function<void()>& runDelete, const CListItem* item,
                                    const std::wstring& prompt, int line);
    // Deleting the category through its header's menu asks first; answered No, it stays.
    static void ExpectCategoryKeptOnNo(CCategoryItemWindow& header, const CCategorizedList& list,
                                       const std::wstring& name, int line);

    std::unique_ptr<CHostWindow> m_host;

private:
    void PlaceLastRow(const CCategory& category, HWND row) const;
};
} // namespace views_test
