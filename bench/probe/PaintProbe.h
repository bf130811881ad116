#pragma once

#include <windows.h>

// What the paint probe library and the benchmarks share. The names of the
// request mapping and of the event end in the measured program's process id.
namespace bench
{
inline constexpr wchar_t PaintProbeLibrary[] = L"paint_probe.dll";
inline constexpr char PaintProbeHookName[] = "PaintProbeHook";
// A named file mapping holding one PaintProbeRequest, written by the benchmark.
inline constexpr wchar_t RequestMappingPrefix[] = L"PathmoorBenchRequest-";
// Set by the probe when the request is met.
inline constexpr wchar_t PaintedEventPrefix[] = L"PathmoorBenchPainted-";

// A visible main window of mainClass holding at least rows visible windows of
// rowClass, and no window of the program's thread left to paint.
struct PaintProbeRequest
{
    wchar_t mainClass[64];
    wchar_t rowClass[64];
    int rows;
};
} // namespace bench
