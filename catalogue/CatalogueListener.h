#pragma once

class CListItemWindow;
struct CatalogueChange;

// Who is told of the catalogue's changes: the main window, which lays the pages out,
// stores the change and gives new rows their tooltips.
class ICatalogueListener
{
public:
    virtual ~ICatalogueListener() = default;
    virtual void OnCatalogueChanged(const CatalogueChange& change) = 0;
    // A row or header window made by a change after the start.
    virtual void OnRowCreated(CListItemWindow& window) = 0;
};
