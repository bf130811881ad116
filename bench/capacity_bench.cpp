// The largest catalogue that still starts and draws every row within the time
// limit, trying ever larger ones until a start fails; the floor is the bare
// rows program (bench/floor/rows_floor.cpp) tried with the same sizes.

#include <cstdio>
#include <string>

#include "bench/floor/BenchSupport.h"

namespace
{
// 20000 ends this program itself under Wine 8 before any answer, so the
// tries stop at 10000: the figure is the largest of these that worked.
const int Sizes[] = {2000, 5000, 10000};

// Each try is told on its own line, so that a run cut short still shows how far it got.
int LargestStarted(const bench::ProgramUnderTest& program)
{
    int largest = 0;
    for (int entries : Sizes)
    {
        const double milliseconds = bench::TimeStart(program, entries);
        std::printf("%ls, %d entries: %s\n", program.exeName, entries,
                    milliseconds < 0 ? "did not start and draw in time"
                                     : (bench::FormatNumber(milliseconds) + " ms").c_str());
        std::fflush(stdout);
        if (milliseconds < 0)
            break;
        largest = entries;
    }
    return largest;
}
} // namespace

int main()
{
    bench::PrintTableHeader();
    const int pathmoor = LargestStarted(bench::Pathmoor);
    const int floor = LargestStarted(bench::RowsFloor);
    bench::PrintTableRow("largest catalogue started and drawn within " +
                             std::to_string(bench::StartTimeoutMs / 1000) + " s (entries)",
                         pathmoor, floor, 0);
    bench::DeleteProgramRoot();
    return 0;
}
