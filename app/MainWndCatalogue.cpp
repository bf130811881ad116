// The main window's part that shows and keeps the catalogue: the load into the pages,
// the layout of their rows, and the store of every change.

#include "app/MainWnd.h"

#include "app/ColumnPlacer.h"
#include "app/FirstLaunchCatalogue.h"
#include "app/FoldersPane.h"
#include "app/PageWindow.h"
#include "app/RowPlacement.h"
#include "catalogue/Catalogue.h"
#include "store/CatalogueChange.h"
#include "store/CatalogueReader.h"
#include "store/CatalogueStore.h"
#include "store/CatalogueWriter.h"
#include "views/CategoryItemWindow.h"
#include "views/ListItemWindow.h"

namespace
{
// Every change of the catalogue is laid out, so the windows' texts follow renames here.
void PlaceListWindow(CRowPlacement& placement, CListItemWindow& window, POINT place)
{
    window.SyncWindowText();
    placement.Place(window.GetHwnd(), place);
}
} // namespace

// The header and rows are shown where the layout will place them as they are created:
// at start-up with many rows, a second pass moving and showing each one costs as much
// as creating them.
void CMainWnd::ShowLoadedCategory(CCategory& category, CPageWindow& page, CColumnPlacer& placer)
{
    const POINT header = placer.NextColumn();
    if (category.m_window != nullptr)
    {
        CRowPlacement placement;
        placement.Begin(page.GetHwnd(), false);
        placement.Place(category.m_window->GetHwnd(), header);
        page.AddEntryTool(*category.m_window);
    }
    for (const auto& item : category.m_items)
    {
        const POINT place = placer.NextRow();
        item->CreateItemWindow(page.GetHwnd(), &place);
        if (item->m_window != nullptr)
            page.AddEntryTool(*item->m_window);
    }
}

void CMainWnd::AddListTools(CCategorizedList& list, CPageWindow& page)
{
    for (const auto& category : list.m_categories)
    {
        if (category->m_window != nullptr)
            page.AddEntryTool(*category->m_window);
        for (const auto& item : category->m_items)
            if (item->m_window != nullptr)
                page.AddEntryTool(*item->m_window);
    }
}

// The defaults' windows get their tooltips at once, not only from the next start on.
void CMainWnd::CreateFirstLaunchCatalogue()
{
    FillFirstLaunchCatalogue(*m_catalogue, m_pages[0]->GetHwnd(), m_pages[1]->GetHwnd(),
                             m_foldersPane->GetHwnd());
    AddListTools(m_catalogue->m_applications, *m_pages[0]);
    AddListTools(m_catalogue->m_shortcuts, *m_pages[1]);
    AddListTools(m_catalogue->m_folders, *m_foldersPane);
    // Stored at once: the marker of this first start is written already, so defaults lost
    // to a crash before the exit would never come back.
    CatalogueChange whole;
    whole.whole = true;
    OnCatalogueChanged(whole);
}

// The store is read on a thread of its own, started before the toolbar and the pages,
// while this one creates the windows of the categories read so far. Categories come in the
// registry's order; where that differs from the order on screen, the first layout
// moves them.
void CMainWnd::LoadCatalogue()
{
    CPageWindow* const pages[] = {m_pages[0], m_pages[1], m_foldersPane}; // by ListKind
    CColumnPlacer placers[] = {PlacerFor(pages[0]->GetHwnd()), PlacerFor(pages[1]->GetHwnd()),
                               PlacerFor(pages[2]->GetHwnd())};
    bool overflowed[] = {false, false, false};
    CCatalogueReader::ReadCategory read;
    while (m_reader && m_reader->Next(read))
    {
        const auto kind = static_cast<size_t>(read.kind);
        CCategorizedList& list = m_catalogue->GetList(read.kind);
        if (CCategory* category =
                AddStoredCategory(list, read.kind, read.stored, &m_storedAsLoaded))
            ShowLoadedCategory(*category, *pages[kind], placers[kind]);
        // Columns that reach below the page bring its scroll bar, which may narrow them by a
        // column: the rows shown so far move once, the rest are made in their final places.
        if (!overflowed[kind] && placers[kind].GetBottom() > pages[kind]->GetClientHeight())
        {
            overflowed[kind] = true;
            LayoutPage(list);
            placers[kind] = PlacerFor(pages[kind]->GetHwnd());
            PassOver(list, placers[kind]);
        }
    }
    m_reader.reset();
}

CColumnPlacer CMainWnd::PlacerFor(HWND page) const
{
    RECT client = {};
    GetClientRect(page, &client);
    const CPageWindow* const window = GetPageOfWindow(page);
    if (window == nullptr)
        return CColumnPlacer(client.right, CColumnPlacer::RowHeight());
    return CColumnPlacer(client.right, window->GetRowGap(), -window->GetScrollTop());
}

void CMainWnd::LayoutPage(CCategorizedList& list, bool sliced)
{
    list.SortCategories();
    if (list.m_parentWindow == nullptr)
        return;
    if (CPageWindow* page = GetPageOfWindow(list.m_parentWindow))
        page->FitScrollBar();
    CColumnPlacer placer = PlacerFor(list.m_parentWindow);
    m_placement.SetOwner(GetHwnd());
    m_placement.Begin(list.m_parentWindow, sliced);
    for (const auto& category : list.m_categories)
    {
        if (category->m_window == nullptr)
            continue;
        PlaceListWindow(m_placement, *category->m_window, placer.NextColumn());
        for (const auto& item : category->m_items)
            if (item->m_window != nullptr)
                PlaceListWindow(m_placement, *item->m_window, placer.NextRow());
    }
    m_placement.End();
    // The rows were placed without redrawing; the page and all of them are repainted
    // with one request, which costs a fraction of one per row.
    if (!list.m_categories.empty())
        RedrawWindow(list.m_parentWindow, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainWnd::LayoutPages(bool sliced)
{
    if (m_pages.empty() || m_foldersPane == nullptr)
        return;
    LayoutPage(m_catalogue->GetList(static_cast<ListKind>(m_currentPage)), sliced);
    LayoutPage(m_catalogue->m_folders, sliced);
}

// After an edit the rows move a slice at a time: the window answers meanwhile.
void CMainWnd::OnCatalogueChanged(const CatalogueChange& change)
{
    LayoutPages(true);
    StoreChange(change);
}

CCatalogueDialogs* CMainWnd::Dialogs()
{
    CMainWnd* mainWnd = Instance();
    return mainWnd ? mainWnd->m_catalogueDialogs.get() : nullptr;
}

void CMainWnd::OnRowCreated(CListItemWindow& window)
{
    if (CPageWindow* page = GetPageOfWindow(GetParent(window.GetHwnd())))
        page->AddEntryTool(window);
}

// A store that did not load as it lies (equal names joined, entries dropped) is written
// whole once: a change of one entry could leave what the load dropped.
void CMainWnd::StoreChange(const CatalogueChange& change)
{
    if (!m_writer)
        return;
    if (change.whole || !m_storedAsLoaded)
    {
        m_storedAsLoaded = true;
        OnSaveCatalogue();
    }
    else if (!change.removed.empty() || !change.written.empty())
        m_writer->Write(change);
}

LRESULT CMainWnd::OnSaveCatalogue()
{
    if (m_writer)
        m_writer->Save(StoredCatalogueOf(*m_catalogue));
    return 0;
}

void CMainWnd::FlushStore()
{
    if (m_writer)
        m_writer->Flush();
}
