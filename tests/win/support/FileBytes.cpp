#include "win/support/FileBytes.h"

#include <windows.h>

#include <stdexcept>

#include "platform/win32/Handle.h"
#include "platform/win32/Text.h"

namespace tallowmere::test {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
    if (got == 0) return bytes;
    bytes.append(buffer, got);
  }
  return std::nullopt;
}

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  FileStamp stamp;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.lastWrite = data.ftLastWriteTime;
  return stamp;
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file.Valid() ||
      !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot write " + Utf8(path.wstring()) + ": " +
                             SystemErrorText(error));
  }
}

}  // namespace tallowmere::test
