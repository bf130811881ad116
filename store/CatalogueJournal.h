#pragma once

struct CatalogueChange;

// One edit's change written in place of the whole catalogue. The change is first
// written into a journal key (the places to remove, and the categories and entries
// to write in the live layout), which one value then marks complete; only then is it
// applied to the live lists, and the journal deleted. Recovery replays a complete
// journal (removing and writing again is harmless) and drops an incomplete one, so a
// process ended anywhere leaves the whole edit or none of it.

// False, with nothing written, while a staged whole save waits to replace the lists:
// only a whole save may follow it. False also when a write failed.
bool WriteCatalogueChange(const CatalogueChange& change);
// Replays a complete journal and deletes it, or deletes an incomplete one. True when
// no journal is left.
bool RecoverCatalogueJournal();
// Deletes the journal unreplayed: a newer whole save holds its change.
bool DropCatalogueJournal();
