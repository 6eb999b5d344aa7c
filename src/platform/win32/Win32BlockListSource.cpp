#include "platform/win32/Win32BlockListSource.h"

#include <array>
#include <cwchar>

#include "engine/BlockList.h"
#include "platform/win32/Handle.h"

namespace tallowmere {

namespace {

// "\xsettings.txt" with its terminating zero, as wide characters.
constexpr auto kPathSuffix = [] {
  std::array<wchar_t, kBlockListFileName.size() + 2> suffix{};
  suffix[0] = L'\\';
  std::size_t i = 1;
  for (const char c : kBlockListFileName) suffix[i++] = static_cast<wchar_t>(c);
  return suffix;
}();

// The longest path the wide file functions take.
constexpr DWORD kPathCapacity = 32768;

}  // namespace

std::size_t Win32BlockListSource::Read(std::span<char> buffer) noexcept {
  wchar_t path[kPathCapacity];
  constexpr DWORD kTempCapacity = kPathCapacity - static_cast<DWORD>(kPathSuffix.size()) + 1;
  // 0 both when TEMP is unset and when it is empty: the path is then the
  // suffix alone, at the root of the current drive.
  const DWORD length = GetEnvironmentVariableW(L"TEMP", path, kTempCapacity);
  if (length >= kTempCapacity) return 0;
  std::wmemcpy(path + length, kPathSuffix.data(), kPathSuffix.size());

  Handle file(CreateFileW(path, GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // Only a disk file answers at once: a pipe or a device could keep the
  // event waiting.
  if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) return 0;
  std::size_t total = 0;
  while (total < buffer.size()) {
    const DWORD wanted = static_cast<DWORD>(buffer.size() - total);
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.data() + total, wanted, &got, nullptr)) return 0;
    total += got;
    // A disk file gives less than asked only at its end: no second call
    // just to meet the end.
    if (got < wanted) break;
  }
  return total;
}

}  // namespace tallowmere
