#include "views/ShortcutItemWindow.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ShortcutItem.h"

CShortcutItemWindow::CShortcutItemWindow(CShortcutItem* item)
    : CEntryItemWindow(KindOf(ListKind::Shortcuts)), m_item(item)
{
}

CListItem& CShortcutItemWindow::GetEntry() const
{
    return *m_item;
}

void CShortcutItemWindow::LaunchAsClicked()
{
    m_item->Launch();
}
