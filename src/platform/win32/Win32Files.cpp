#include "platform/win32/Win32Files.h"

#include "platform/AppError.h"
#include "platform/win32/Handle.h"
#include "platform/win32/Text.h"

namespace tallowmere {

namespace {

[[noreturn]] void ThrowLastError() {
  throw AppError(SystemErrorText(GetLastError()));
}

// A program that opens the list for a moment (a virus scanner, an indexer, a
// backup, a user's editor reading it) makes the replace fail with a sharing
// error. Such holds are short, so the replace is tried again for a little
// while; a little, because the window waits for it meanwhile.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMilliseconds = 20;

DWORD MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (!held || attempt == kReplaceAttempts) return error;
    Sleep(kReplaceRetryMilliseconds);
  }
}

}  // namespace

bool Win32Files::Exists(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool Win32Files::ListsPlainFile(const std::string& path) {
  WIN32_FIND_DATAW found;
  FindHandle search(FindFirstFileW(Wide(path).c_str(), &found));
  if (!search.Valid()) return false;
  constexpr DWORD kNotPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (found.dwFileAttributes & kNotPlain) == 0;
}

std::string Win32Files::ReadAll(const std::string& path) {
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError();
  std::string content;
  char buffer[4096];
  DWORD n = 0;
  while (true) {
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) ThrowLastError();
    if (n == 0) break;
    content.append(buffer, n);
  }
  return content;
}

void Win32Files::Replace(const std::string& path, const std::string& content) {
  // The new content goes into a file beside the old one, which then takes the
  // old one's place in one step: a failure never leaves a truncated list.
  const std::wstring target = Wide(path);
  const std::wstring fresh = target + L".new";
  DWORD error = ERROR_SUCCESS;
  {
    Handle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowLastError();
    DWORD written = 0;
    if (!WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        !FlushFileBuffers(file.Get())) {
      error = GetLastError();
    } else if (written != content.size()) {
      error = ERROR_DISK_FULL;
    }
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileW(fresh.c_str());
    throw AppError(SystemErrorText(error));
  }
  error = MoveIntoPlace(fresh, target);
  if (error != ERROR_SUCCESS) {
    DeleteFileW(fresh.c_str());
    throw AppError(SystemErrorText(error));
  }
}

void Win32Files::Copy(const std::string& from, const std::string& to) {
  if (!CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE)) ThrowLastError();
}

}  // namespace tallowmere
