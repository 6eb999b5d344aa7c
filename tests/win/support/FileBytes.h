#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tallowmere::test {

// The file's bytes exactly as stored, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// What tells one version of a file from the next without opening it: an
// open handle, even one shared for deleting, makes a program's replacing of
// the file fail with "Access denied", so a test polls this and reads the
// file only when it changed.
struct FileStamp {
  ULONGLONG size = 0;
  FILETIME lastWrite{};
  bool operator==(const FileStamp& other) const {
    return size == other.size && lastWrite.dwLowDateTime == other.lastWrite.dwLowDateTime &&
           lastWrite.dwHighDateTime == other.lastWrite.dwHighDateTime;
  }
};

// Nothing when the file does not exist.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Creates or replaces the file with exactly these bytes; throws on failure.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tallowmere::test
