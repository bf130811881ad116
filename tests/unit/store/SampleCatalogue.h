#pragma once

#include "tests/unit/store/CatalogueStoreTest.h"

// Two application categories, one with two entries, and one folder: a catalogue small
// enough to read in a failure message, varied enough to show a lost value.
CatalogueContent SampleCatalogue();
