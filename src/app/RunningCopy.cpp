#include "app/RunningCopy.h"

#include <windows.h>

#include "ui/win32/Form1Window.h"

namespace tallowmere {

namespace {

// "Local\": one copy per Windows session; each session of a user starts its
// own.
constexpr wchar_t kMutexName[] = L"Local\\Varnholt.Tallowmere";
// How long the running copy has to create its main window, and then to
// answer.
constexpr ULONGLONG kPatienceMs = 5000;
constexpr DWORD kPollMs = 50;

StartOutcome BringBack(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  // This start was made by the user, so it may hand the foreground on.
  AllowSetForegroundWindow(process);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, Form1Window::AnotherStartMessage(), 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kPatienceMs), &result)
             ? StartOutcome::HandedOver
             : StartOutcome::NoAnswer;
}

}  // namespace

StartOutcome StartAsOnlyCopy(Handle& mark) {
  SetLastError(ERROR_SUCCESS);
  HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
  const DWORD error = GetLastError();
  // A copy run as administrator lets others wait on its mutex but not open it
  // for all uses.
  if (!mutex && error == ERROR_ACCESS_DENIED) mutex = OpenMutexW(SYNCHRONIZE, FALSE, kMutexName);
  // Without a mutex the program cannot tell; it starts.
  if (!mutex) return StartOutcome::OnlyCopy;
  mark = Handle(mutex);
  if (error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return StartOutcome::OnlyCopy;

  // The running copy takes the mutex before it creates its window, and lets
  // go of it only when its process ends.
  const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
  do {
    const DWORD waited = WaitForSingleObject(mark.Get(), kPollMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return StartOutcome::OnlyCopy;
    if (HWND window = FindWindowW(Form1Window::kClassName, nullptr)) return BringBack(window);
  } while (GetTickCount64() < deadline);
  return StartOutcome::NoAnswer;
}

}  // namespace tallowmere
