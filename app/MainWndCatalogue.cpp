// The main window's part that shows and keeps the catalogue: the load into the pages,
// the layout of their rows, and the store of every change.

#include "app/MainWnd.h"

#include "app/FirstLaunchCatalogue.h"
#include "app/FoldersPane.h"
#include "app/PageWindow.h"
#include "catalogue/Catalogue.h"
#include "store/CatalogueChange.h"
#include "store/CatalogueReader.h"
#include "store/CatalogueStore.h"
#include "store/CatalogueWriter.h"
#include "views/ListItemWindow.h"

// The defaults' windows get their tooltips at once, not only from the next start on.
void CMainWnd::CreateFirstLaunchCatalogue()
{
    FillFirstLaunchCatalogue(*m_catalogue, m_pages[0]->GetHwnd(), m_pages[1]->GetHwnd(),
                             m_foldersPane->GetHwnd());
    m_pages[0]->AddListTools();
    m_pages[1]->AddListTools();
    m_foldersPane->AddListTools();
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
    CPageWindow* const pages[] = {m_pages[0].get(), m_pages[1].get(),
                                  m_foldersPane.get()}; // by ListKind
    for (CPageWindow* page : pages)
        page->BeginLoad();
    m_placement.SetOwner(GetHwnd());
    CCatalogueReader::ReadCategory read;
    while (m_reader && m_reader->Next(read))
    {
        CCategorizedList& list = m_catalogue->GetList(read.kind);
        if (CCategory* category =
                AddStoredCategory(list, read.kind, read.stored, &m_storedAsLoaded))
            pages[static_cast<size_t>(read.kind)]->ShowLoadedCategory(*category, m_placement);
    }
    m_reader.reset();
}

void CMainWnd::LayoutPage(CCategorizedList& list, bool sliced)
{
    CPageWindow* page = list.m_parentWindow ? GetPageOfWindow(list.m_parentWindow) : nullptr;
    if (page == nullptr)
    {
        list.SortCategories();
        return;
    }
    m_placement.SetOwner(GetHwnd());
    page->Layout(m_placement, sliced);
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

void CMainWnd::OnEntryLaunched()
{
    if (m_settings.m_hideAfterLaunch)
        ShowWindow(GetHwnd(), SW_MINIMIZE);
}

void CMainWnd::AddItem(HWND owner, ListKind kind, const std::wstring& categoryName)
{
    m_catalogueDialogs->AddItem(owner, kind, categoryName);
}

void CMainWnd::EditItem(HWND owner, ListKind kind, CListItem& item)
{
    m_catalogueDialogs->EditItem(owner, kind, item);
}

void CMainWnd::EditCategory(HWND owner, ListKind kind, CCategory& category)
{
    m_catalogueDialogs->EditCategory(owner, kind, category);
}

void CMainWnd::DeleteCategory(HWND owner, ListKind kind, const std::wstring& categoryName)
{
    m_catalogueDialogs->DeleteCategory(owner, kind, categoryName);
}
