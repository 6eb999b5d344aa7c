#include "platform/win32/Win32TrayRouting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/AppError.h"
#include "platform/win32/TrayControlWindow.h"
#include "platform/win32/Win32Dialogs.h"
#include "shell/Main.h"

namespace tallowmere::test {
namespace {

class RecordingTarget final : public TrayMessageTarget {
 public:
  std::vector<std::pair<std::intptr_t, std::uintptr_t>> received;
  int taskbarsCreated = 0;
  void DispatchTrayMessage(std::intptr_t lParam, std::uintptr_t wParam) override {
    received.emplace_back(lParam, wParam);
  }
  void TaskbarCreated() override { ++taskbarsCreated; }
};

// The procedure the routing goes in front of: it answers every message with a
// value of its own and remembers what it saw.
std::vector<UINT> innerSeen;
WNDPROC classProc = nullptr;

LRESULT CALLBACK InnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  innerSeen.push_back(message);
  if (message >= WM_USER) return static_cast<LRESULT>(message * 3 + wParam);
  return CallWindowProcW(classProc, hWnd, message, wParam, lParam);
}

WNDPROC ProcedureOf(HWND hWnd) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

class TrayRouting : public ::testing::Test {
 protected:
  TrayRouting() {
    innerSeen.clear();
    classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerProc)));
  }

  TrayControlWindow window{nullptr};
  RecordingTarget target;
  Win32Dialogs dialogs;
  Win32TrayRouting routing{dialogs, &ApplicationTitle};
};

TEST_F(TrayRouting, InstallPutsTrayWindowProcInFrontAndRemoveRestoresThePrevious) {
  routing.Install(window.Handle(), target);
  EXPECT_EQ(ProcedureOf(window.Get()), &mSysTray::TrayWindowProc);
  EXPECT_EQ(GetWindowLongPtrW(window.Get(), GWLP_USERDATA),
            reinterpret_cast<LONG_PTR>(static_cast<TrayMessageTarget*>(&target)));
  routing.Remove(window.Handle());
  EXPECT_EQ(ProcedureOf(window.Get()), &InnerProc);
}

TEST_F(TrayRouting, CallbackMessageReachesTheControlAndThePreviousProcedure) {
  routing.Install(window.Handle(), target);
  const auto wParam = static_cast<WPARAM>(0x1234);
  const LRESULT result = SendMessageW(window.Get(), 0x465, wParam, WM_RBUTTONUP);
  ASSERT_EQ(target.received.size(), 1u);
  EXPECT_EQ(target.received[0].first, WM_RBUTTONUP);
  EXPECT_EQ(target.received[0].second, wParam);
  EXPECT_EQ(result, static_cast<LRESULT>(0x465 * 3 + 0x1234));
  EXPECT_EQ(innerSeen, std::vector<UINT>{0x465});
  routing.Remove(window.Handle());
}

TEST_F(TrayRouting, TheShellsRestartReachesTheControlAndThePreviousProcedure) {
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  routing.Install(window.Handle(), target);
  SendMessageW(window.Get(), taskbarCreated, 0, 0);
  EXPECT_EQ(target.taskbarsCreated, 1);
  EXPECT_TRUE(target.received.empty());
  EXPECT_EQ(innerSeen, std::vector<UINT>{taskbarCreated});
  routing.Remove(window.Handle());
}

TEST_F(TrayRouting, ParametersArriveUnchangedInTheirFullWidth) {
  routing.Install(window.Handle(), target);
  const auto wParam = static_cast<WPARAM>(UINTPTR_MAX - 5);
  const auto lParam = static_cast<LPARAM>(INTPTR_MIN + 0x207);
  SendMessageW(window.Get(), 0x465, wParam, lParam);
  ASSERT_EQ(target.received.size(), 1u);
  EXPECT_EQ(target.received[0].first, lParam);
  EXPECT_EQ(target.received[0].second, wParam);
  routing.Remove(window.Handle());
}

TEST_F(TrayRouting, OtherMessagesPassWithTheirResultsAndNeverReachTheControl) {
  routing.Install(window.Handle(), target);
  for (UINT message : {WM_USER, WM_USER + 100, WM_USER + 102, WM_APP + 1}) {
    EXPECT_EQ(SendMessageW(window.Get(), message, 7, 0x202), static_cast<LRESULT>(message * 3 + 7));
  }
  wchar_t text[8] = L"x";
  EXPECT_EQ(SendMessageW(window.Get(), WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text)), 0);
  EXPECT_TRUE(target.received.empty());
  routing.Remove(window.Handle());
}

TEST_F(TrayRouting, AfterRemovalTheControlHearsNothing) {
  routing.Install(window.Handle(), target);
  routing.Remove(window.Handle());
  SendMessageW(window.Get(), 0x465, 0, WM_LBUTTONUP);
  EXPECT_TRUE(target.received.empty());
  EXPECT_EQ(innerSeen, std::vector<UINT>{0x465});
}

TEST_F(TrayRouting, PostedCallbackIsDispatchedByTheMessageLoop) {
  routing.Install(window.Handle(), target);
  PostMessageW(window.Get(), 0x465, 0, WM_LBUTTONUP);
  MSG msg;
  while (PeekMessageW(&msg, window.Get(), 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  ASSERT_EQ(target.received.size(), 1u);
  EXPECT_EQ(target.received[0].first, WM_LBUTTONUP);
  routing.Remove(window.Handle());
}

TEST_F(TrayRouting, InstallingTheSameWindowTwiceStillEndsAtThePrevious) {
  routing.Install(window.Handle(), target);
  routing.Install(window.Handle(), target);
  EXPECT_EQ(SendMessageW(window.Get(), WM_USER, 1, 0), static_cast<LRESULT>(WM_USER * 3 + 1));
  routing.Remove(window.Handle());
  EXPECT_EQ(ProcedureOf(window.Get()), &InnerProc);
}

TEST_F(TrayRouting, ASecondWindowIsRefusedWhileOneIsRouted) {
  TrayControlWindow other{nullptr};
  const WNDPROC otherProc = ProcedureOf(other.Get());
  routing.Install(window.Handle(), target);
  EXPECT_THROW(routing.Install(other.Handle(), target), AppError);
  routing.Remove(other.Handle());
  EXPECT_EQ(ProcedureOf(other.Get()), otherProc);
  EXPECT_EQ(ProcedureOf(window.Get()), &mSysTray::TrayWindowProc);
  routing.Remove(window.Handle());
  routing.Install(other.Handle(), target);
  routing.Remove(other.Handle());
  EXPECT_EQ(ProcedureOf(other.Get()), otherProc);
}

TEST(TrayControlWindow, IsAHiddenChildOfItsParent) {
  TrayControlWindow parent{nullptr};
  TrayControlWindow child{parent.Get()};
  EXPECT_EQ(GetParent(child.Get()), parent.Get());
  EXPECT_FALSE(IsWindowVisible(child.Get()));
  EXPECT_FALSE(IsWindowVisible(parent.Get()));
}

}  // namespace
}  // namespace tallowmere::test
