#pragma once

// The names the paint probe library and the benchmarks agree on; each event name
// ends in the measured program's process id.
namespace bench
{
inline constexpr wchar_t PaintProbeLibrary[] = L"paint_probe.dll";
inline constexpr char PaintProbeHookName[] = "PaintProbeHook";
// Set by the benchmark once every window it waits for is shown.
inline constexpr wchar_t ArmedEventPrefix[] = L"PathmoorBenchArmed-";
// Set by the probe when the program's thread has nothing left to paint.
inline constexpr wchar_t PaintedEventPrefix[] = L"PathmoorBenchPainted-";
} // namespace bench
