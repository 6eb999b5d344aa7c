// Starts a program again and again and measures, for each start, the time
// from process creation to its first visible top-level window and the
// program's working set once that window shows:
//   startup_bench ROUNDS PROGRAM...
// The programs take turns within each round, so a busy machine slows them
// alike. Prints one line per start ("program milliseconds kilobytes"), then
// the median of each program.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Found {
  DWORD process;
  HWND window = nullptr;
};

BOOL CALLBACK MatchShown(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == found->process && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownWindow(DWORD process) {
  Found found{process};
  EnumWindows(MatchShown, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Sample {
  double milliseconds = 0;
  double kilobytes = 0;
};

// Settings left by an earlier run could start Tallowmere hidden in the tray.
void ForgetSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Varnholt\\Tallowmere");
}

bool Measure(const std::wstring& program, Sample& sample) {
  ForgetSettings();
  std::wstring commandLine = L"\"" + program + L"\"";
  const std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER started, shown;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info)) {
    std::fwprintf(stderr, L"cannot start %ls: error %lu\n", program.c_str(), GetLastError());
    return false;
  }
  HWND window = nullptr;
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (!(window = ShownWindow(info.dwProcessId)) && GetTickCount64() < deadline) Sleep(1);
  QueryPerformanceCounter(&shown);
  if (window) {
    sample.milliseconds = 1000 * Seconds(started, shown);
    // What the program holds once it has settled after showing its window.
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory);
    sample.kilobytes = static_cast<double>(memory.WorkingSetSize) / 1024;
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (!window) std::fwprintf(stderr, L"%ls showed no window\n", program.c_str());
  return window != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: startup_bench ROUNDS PROGRAM...\n");
    return 2;
  }
  const int rounds = std::max(1, _wtoi(argv[1]));
  // Wine's desktop process ends with the last program that has a window and
  // starts again with the next; a window of this program keeps it up, so no
  // start pays for the desktop's.
  HWND keeper = CreateWindowExW(0, L"Static", L"startup_bench", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
  std::vector<std::wstring> programs(argv + 2, argv + argc);
  std::vector<std::vector<Sample>> samples(programs.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Sample sample;
      if (!Measure(programs[p], sample)) return 1;
      samples[p].push_back(sample);
      std::wprintf(L"%ls %.1f %.0f\n", programs[p].c_str(), sample.milliseconds, sample.kilobytes);
      std::fflush(stdout);
    }
  }
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::vector<double> times, sizes;
    for (const Sample& s : samples[p]) {
      times.push_back(s.milliseconds);
      sizes.push_back(s.kilobytes);
    }
    std::wprintf(L"median %ls %.1f %.0f\n", programs[p].c_str(), Median(times), Median(sizes));
  }
  DestroyWindow(keeper);
  return 0;
}
