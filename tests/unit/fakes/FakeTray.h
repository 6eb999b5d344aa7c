#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/ControlWindow.h"
#include "platform/MessagePump.h"
#include "platform/NotificationArea.h"
#include "platform/PictureObject.h"
#include "platform/TrayRouting.h"
#include "tray/cSysTray.h"

namespace tallowmere {

// A record as its fields, for the messages of a failed comparison.
inline void PrintTo(const NotifyIconRecord& r, std::ostream* out) {
  *out << "{hWnd " << r.hWnd << ", uID " << r.uID << ", uFlags " << r.uFlags << ", message "
       << r.uCallbackMessage << ", hIcon " << r.hIcon << ", tip \"" << r.szTip << "\", info \""
       << r.szInfo << "\", timeout " << r.uTimeout << ", title \"" << r.szInfoTitle << "\"}";
}

struct SentRecord {
  NotifyMessage message;
  NotifyIconRecord record;
};

class FakeNotificationArea : public NotificationArea {
 public:
  std::vector<SentRecord> sent;
  // Every call is recorded in `log` too, beside the routing's, to check order.
  std::vector<std::string>* log = nullptr;

  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconRecord& record) override {
    sent.push_back({message, record});
    if (log) log->push_back("notify " + std::to_string(static_cast<int>(message)));
    return true;
  }
};

class FakeTrayRouting : public TrayRouting {
 public:
  WindowHandle window = 0;
  TrayMessageTarget* target = nullptr;
  int installs = 0, removes = 0;
  std::vector<std::string>* log = nullptr;

  // Installing fails as with a second routed window.
  bool refuse = false;

  void Install(WindowHandle w, TrayMessageTarget& t) override {
    if (refuse) throw AppError("Another tray icon already receives the tray messages");
    ++installs;
    window = w;
    target = &t;
    if (log) log->push_back("install");
  }
  void Remove(WindowHandle w) override {
    ++removes;
    EXPECT_EQ(w, window);
    target = nullptr;
    if (log) log->push_back("remove");
  }
  // What the window procedure does with a callback message.
  void Deliver(std::intptr_t lParam, std::uintptr_t wParam = 0) {
    ASSERT_NE(target, nullptr) << "callback message without routing";
    target->DispatchTrayMessage(lParam, wParam);
  }
  // What it does with the shell's broadcast; without routing there is no one
  // to hear it.
  void TaskbarCreated() {
    if (target != nullptr) target->TaskbarCreated();
  }
};

class FakeClock : public Clock {
 public:
  std::chrono::milliseconds now{1'000'000};
  std::chrono::milliseconds Now() override { return now; }
};

// Each wait lets `step` of fake time pass, or the whole time-out when it is
// shorter; each pass over pending messages runs `onPass` (what a handler
// would do inside the wait).
class FakeMessagePump : public MessagePump {
 public:
  explicit FakeMessagePump(FakeClock& clock) : clock_(clock) {}
  std::chrono::milliseconds step{100};
  int passes = 0;
  int waits = 0;
  std::function<void(int pass)> onPass;

  void ProcessPendingMessages() override {
    ++passes;
    if (onPass) onPass(passes);
  }
  void WaitForMessage(std::chrono::milliseconds timeout) override {
    ++waits;
    EXPECT_GT(timeout.count(), 0);
    clock_.now += std::min(step, timeout);
  }

 private:
  FakeClock& clock_;
};

class FakePicture : public PictureObject {
 public:
  FakePicture(PictureType type, std::uintptr_t handle) : type_(type), handle_(handle) {}
  PictureType Type() const override { return type_; }
  std::uintptr_t Handle() const override { return handle_; }

 private:
  PictureType type_;
  std::uintptr_t handle_;
};

inline std::shared_ptr<const PictureObject> MakePicture(PictureType type, std::uintptr_t handle) {
  return std::make_shared<FakePicture>(type, handle);
}

// Hands out windows that all have the same handle, and counts them.
class FakeControlWindows : public ControlWindows {
 public:
  WindowHandle handle = 0x10AB4;
  int alive = 0;

  std::unique_ptr<ControlWindow> Create() override {
    ++alive;
    return std::make_unique<Window>(*this);
  }

 private:
  class Window : public ControlWindow {
   public:
    explicit Window(FakeControlWindows& owner) : owner_(owner) {}
    ~Window() override { --owner_.alive; }
    WindowHandle Handle() const override { return owner_.handle; }

   private:
    FakeControlWindows& owner_;
  };
};

// Everything a cSysTray needs, faked.
struct FakeTrayPlatform {
  FakeNotificationArea notificationArea;
  FakeTrayRouting routing;
  FakeClock clock;
  FakeMessagePump pump{clock};
  FakeControlWindows windows;
  TrayPlatform platform{notificationArea, routing, pump, clock, windows};
};

}  // namespace tallowmere
