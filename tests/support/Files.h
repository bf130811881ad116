#pragma once

// Files the helper programs write for the end-to-end tests to read.

#include <string>
#include <vector>

namespace e2e
{
// The temporary folder in its long form, as the program shows and passes paths.
std::wstring TempFolder();
// The whole file, read while its writer may still hold it open; empty when missing.
std::string ReadWholeFile(const std::wstring& path);
// The recorder's UTF-16 lines: command line, working folder, process id.
std::vector<std::wstring> ReadRecord(const std::wstring& path);
// A fresh record file of that name in the temporary folder, which launch_recorder started
// by the program will write (PATHMOOR_LAUNCH_RECORD is inherited); returns its path.
std::wstring PrepareLaunchRecord(const std::wstring& fileName);
// What clipboard_reader, another program, reads from the clipboard by the given way
// ("win32" or "ole"), its output passing through the file at outputPath.
std::string RunClipboardReader(const wchar_t* way, const std::wstring& outputPath);
// For gtest messages: wide text printed as it reads.
std::string Utf8(const std::wstring& text);
} // namespace e2e
