#include "platform/win32/Win32BlockListSource.h"

#include <cwchar>

#include "platform/win32/Handle.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

// The longest path the wide file functions take.
constexpr DWORD kPathCapacity = 32768;

}  // namespace

Win32BlockListSource::Win32BlockListSource(std::string_view folderVariable,
                                           std::string_view fileName)
    : folderVariable_(Wide(std::string(folderVariable))),
      suffix_(L'\\' + Wide(std::string(fileName))) {}

std::optional<std::size_t> Win32BlockListSource::Read(std::span<char> buffer) noexcept {
  wchar_t path[kPathCapacity];
  // Room for the suffix and its terminating zero.
  const DWORD folderCapacity = kPathCapacity - static_cast<DWORD>(suffix_.size());
  // 0 both when the variable is unset and when it is empty: the path is then
  // the suffix alone, at the root of the current drive.
  const DWORD length = GetEnvironmentVariableW(folderVariable_.c_str(), path, folderCapacity);
  if (length >= folderCapacity) return std::nullopt;
  std::wmemcpy(path + length, suffix_.c_str(), suffix_.size() + 1);

  Handle file(CreateFileW(path, GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // Only a disk file answers at once: a pipe or a device could keep the
  // event waiting.
  if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) return std::nullopt;
  std::size_t total = 0;
  while (total < buffer.size()) {
    const DWORD wanted = static_cast<DWORD>(buffer.size() - total);
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.data() + total, wanted, &got, nullptr)) return std::nullopt;
    total += got;
    // A disk file gives less than asked only at its end: no second call
    // just to meet the end.
    if (got < wanted) break;
  }
  return total;
}

}  // namespace tallowmere
