#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/HookCalls.h"
#include "platform/win32/Handle.h"

namespace tallowmere {

// The system-wide low-level hooks, installed, served and removed by a thread
// of their own that does nothing else: the system calls a low-level hook on
// the thread that installed it, and input of the whole desktop waits while
// that thread is busy. On this thread no save, box or painting of the window
// can keep an event waiting. Install and Remove hand their work to it and
// return when it is done. Hooks still installed when this object ends are
// removed then, and the thread ends. One object at a time: Windows gives a
// hook procedure no pointer of ours, so what it calls is module-wide.
class Win32HookCalls : public HookCalls {
 public:
  Win32HookCalls();
  Win32HookCalls(const Win32HookCalls&) = delete;
  Win32HookCalls& operator=(const Win32HookCalls&) = delete;
  ~Win32HookCalls() override;

  HookInstall Install(HookKind kind, HookProcedures& procedures) override;
  void Remove(HookHandle handle) override;

 private:
  // The hooks' thread: carries out the work handed to it, and between times
  // waits for messages, which is when the system calls the hooks.
  static DWORD WINAPI Serve(void* self);
  // Runs `work` on the hooks' thread and waits for it; the system's error
  // code when the thread cannot be reached, ERROR_SUCCESS otherwise.
  DWORD OnHookThread(const std::function<void()>& work);

  // Set by the constructor, read-only after; `ready_` is set by the thread
  // once its queue takes work.
  Handle ready_;
  Handle thread_;
  DWORD threadId_ = 0;
  // Touched on the hooks' thread alone.
  std::vector<HHOOK> installed_;
};

}  // namespace tallowmere
