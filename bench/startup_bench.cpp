// Start-up to the first complete paint, from the creation of the process until
// the main window and every row are shown and no window of the tree is left
// to paint, with 0, 500 and 2000 entries; the floor is a bare program creating
// and painting as many rows (bench/floor/rows_floor.cpp), and a second row
// compares with the same floor reading the stored catalogue first. The
// programs alternate, and the median of the rounds is taken.

#include <cstdio>
#include <string>
#include <vector>

#include "bench/floor/BenchSupport.h"

namespace
{
constexpr int Rounds = 5;
constexpr double Goal = 1.3;

void MeasureStart(int entries)
{
    std::vector<double> pathmoor;
    std::vector<double> floor;
    std::vector<double> readingFloor;
    bench::TimeStart(bench::Pathmoor, entries); // warm-up: file cache, fonts
    bench::TimeStart(bench::RowsFloor, entries);
    bench::TimeStart(bench::ReadingRowsFloor, entries);
    for (int round = 0; round < Rounds; ++round)
    {
        pathmoor.push_back(bench::TimeStart(bench::Pathmoor, entries));
        floor.push_back(bench::TimeStart(bench::RowsFloor, entries));
        readingFloor.push_back(bench::TimeStart(bench::ReadingRowsFloor, entries));
    }
    const std::string size = std::to_string(entries) + " entries";
    bench::PrintTableRow("start to first complete paint, " + size + " (ms)",
                         bench::Median(pathmoor), bench::Median(floor), Goal);
    // The program must read its catalogue; this floor reads the same keys and values.
    bench::PrintTableRow("start to first complete paint, " + size +
                             ", floor reading the catalogue too (ms)",
                         bench::Median(pathmoor), bench::Median(readingFloor), 0);
}
} // namespace

int main()
{
    bench::PrintTableHeader();
    for (int entries : {0, 500, 2000})
        MeasureStart(entries);
    bench::DeleteProgramRoot();
    return 0;
}
