#include "tests/unit/store/SampleCatalogue.h"

CatalogueContent SampleCatalogue()
{
    CatalogueContent content;
    content.applications = {
        {L"Tools",
         {{L"Editor", {L"C:\\Tools\\edit.exe", L"/n", L"C:\\Work", 0x641}},
          {L"Shell", {L"C:\\Windows\\cmd.exe", L"", L"", 0}}}},
        {L"Games", {{L"Chess", {L"C:\\Games\\chess.exe", L"-fast", L"", 0x0275}}}}};
    content.folders = {{L"Places", {{L"Home", {L"C:\\users", L"", L"", 0}}}}};
    return content;
}
