#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/KeyTable.h"
#include "engine/Locking.h"
#include "platform/PictureObject.h"
#include "platform/WindowHandle.h"
#include "shell/ErrorTrap.h"
#include "tray/StartupSettings.h"
#include "tray/cSysTray.h"
#include "tray/mStartUp.h"
#include "ui/Form1Layout.h"
#include "ui/FormView.h"
#include "ui/HoverFeedback.h"
#include "ui/Platform.h"

namespace tallowmere {

struct KeyButton {
  std::string Tag;
  std::string Caption;
  std::string ToolTipText;
  std::uint32_t BackColor = kUnmarkedColor;
  bool Visible = true;
};

struct TickBox {
  std::string Caption;
  int Value = 0;  // 0 unticked, 1 ticked, 2 grayed
  bool Visible = true;
  std::uint32_t BackColor = kWhite;
};

struct ActionButton {
  std::string Caption;
};

inline constexpr std::string_view kStopCaption = "Stop";
// The tray icon's tip while locking: how to get out without a click.
inline constexpr std::string_view kLockingTrayTip =
    "Tallowmere is blocking. To stop, hold both Shift keys and Esc for 2 seconds; the same keys "
    "start it again.";
// The notice the first time locking starts in a run.
inline constexpr char kLockingNotice[] =
    "Blocking has started. To stop it, hold both Shift keys and Esc together for 2 seconds. The "
    "same keys start blocking again from any program.";

// The messages of a failed hook installation, followed by the system's error
// code.
inline constexpr std::string_view kKeyboardInstallFailure =
    "Failed to install low-level keyboard hook - ";
inline constexpr std::string_view kMouseInstallFailure = "Failed to install mouse hook - ";

// Form1's WindowState values.
inline constexpr int kNormalWindow = 0;
inline constexpr int kMinimizedWindow = 1;

// The balloon shown the first time the window goes to the tray.
inline constexpr char kTrayBalloonText[] =
    "has been minimized to the system tray.\r\nClick on the blue 'V' icon (V for Varnholt) to "
    "bring the software back.";

// A frame or a label: its caption and colour are all it has.
struct PlainControl {
  std::string Caption;
  std::uint32_t BackColor = kWhite;
};

// The main window's state and handlers. Its controls' properties are the
// program's state: a key's mark is its button's BackColor.
class Form1 : public LockingEvents {
 public:
  Form1(Platform& platform, FormView& view);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Runs once, before the window is first shown: restores the block list
  // into the key buttons and mouse options and the start-up options from the
  // settings, and starts locking when both start-up options are ticked.
  void Form_Load();

  std::array<KeyButton, kKeyCount> cmdKey;
  // True while Form_Load runs: restoring Check6 then must not touch the
  // start-up list.
  bool bLoading = false;
  // The key capture poll.
  Timer Timer1{100, true};
  // Locking's looks, on or off: the chord and the watch over the hooks.
  Timer LockingTimer{kLockingTickInterval, true};
  // The caption PushButton6 had before locking started; it gets it back on stop.
  std::string SavedCaption;
  // The main window itself is shown. The view keeps it up to date when others
  // show or hide the window.
  bool Visible = true;
  std::string Caption;
  std::uint32_t BackColor = kWhite;
  // kNormalWindow or kMinimizedWindow; the view keeps it up to date.
  int WindowState = 0;
  std::shared_ptr<const PictureObject> Icon;
  // The hand the pointer setting kPointerCustom shows; none when the load
  // found no pointer file.
  std::shared_ptr<const PictureObject> MouseIcon;
  int MousePointer = kPointerDefault;
  WindowHandle hWnd() const;
  // The program's icon in the notification area, there for the whole run.
  cSysTray cSysTray1;
  // Blocking: the hooks, their watch and the chord. PushButton6's caption
  // shows its state.
  Locking locking;

  TickBox& Tick(ControlId id);
  ActionButton& Action(ControlId id);
  PlainControl& Plain(ControlId id);

  // Set the caption of the window or of a control that shows one, or the
  // colour of the window, a frame, a label or a tick box, and show it.
  void SetCaption(ControlId id, const std::string& caption);
  void SetBackColor(ControlId id, std::uint32_t color);

  // A user's click on a tick box: toggles its value and runs its handler.
  void TickBoxClicked(ControlId id);
  // Sets a tick box's value; a change runs its click handler.
  void SetValue(ControlId id, int value);

  void SetKeyBackColor(int index, std::uint32_t color);
  void SetKeyVisible(int index, bool visible);
  Timer& TimerOf(TimerId id);
  void SetTimerEnabled(TimerId id, bool enabled);
  void SetWindowVisible(bool visible);
  void SetWindowState(int state);
  void SetIcon(const std::shared_ptr<const PictureObject>& icon);
  void SetMouseIcon(const std::shared_ptr<const PictureObject>& icon);

  void cmdKey_Click(std::int16_t Index);
  // "Mark All Buttons" and "Unmark All Buttons".
  void PushButton1_Click();
  void PushButton2_Click();
  // The locking switch: "Start Disabling" installs both hooks and hides the
  // window, "Stop" removes them.
  void PushButton6_Click();
  // The key capture poll: toggles the buttons of newly pressed keys.
  void Timer1_Timer();
  // Locking's look: the chord, then, while locking, the hooks installed again
  // when the system has dropped them.
  void LockingTimer_Timer();
  // The tick of a timer, by its id.
  void TimerTick(TimerId id);
  // Lets the key capture poll run exactly while the main window is the active
  // window. The view calls it whenever activation may have changed, which
  // costs nothing while the window sits idle, unlike a timer that asks.
  void ActivationChanged();
  // The pointer feedback: the hand over key and action buttons, the arrow
  // over the background, the frames and the keyboard picture.
  void cmdKey_MouseMove(std::int16_t Index);
  // The mouse-move event of any other control, and of the window itself.
  void MouseMove(ControlId source);
  // The save routine: rewrites the block list from the window's state.
  void Check1_Click();
  // "Load this software on Windows startup"
  void Check6_Click();
  // "Start in system tray"
  void Check8_Click();
  // Minimising hides the window to the tray, with a balloon the first time.
  void Form_Resize();
  // A button released on the tray icon brings the window back.
  void cSysTray1_MouseUp(std::int16_t Button, std::int32_t Id);
  // Closing the main window: the tray icon and both hooks go, and the
  // program ends.
  void Form_Unload();

 private:
  // A failed installation shows its own message and changes nothing else.
  void HookInstallFailed(HookKind kind, std::uint32_t error) override;
  // The chord while off: starts locking as "Start Disabling" would.
  void StartLockingRequested() override;
  // The way out: stops locking, as "Stop" would, and brings the window back
  // with the focus, as a release on the tray icon does; nothing while idle.
  void StopLockingRequested() override;
  // The caption that shows whether locking is on.
  std::string LockingCaption() const;
  // Whether a key of the way out still counts as held from it, by its state.
  bool HeldFromWayOut(int code, std::uint16_t state);
  void TickBoxClick(ControlId id);
  void RestoreBlockList(ErrorTrap& trap, const std::vector<std::string>& entries);
  // Sets cSysTray1 up as the window stores it and binds its events.
  void CreateSysTray1();
  void SetVisible(ControlId id, bool visible);
  // Puts a tick box back to a value without running its click handler.
  void RestoreValue(ControlId id, int value);
  bool InputSinceLastReading();
  void SetAllKeys(std::string_view handler, std::uint32_t color, bool visible);
  void ToggleKeyForCode(ErrorTrap& trap, int firstLine, int index, std::string_view codeText,
                        int code);
  void SetMousePointer(int setting);

  bool polling_ = false;
  // The notice of how to stop has been shown in this run.
  bool lockingNoticeShown_ = false;
  // Codes of the way out's keys still held since it stopped locking.
  std::bitset<256> heldFromWayOut_;
  // When the last reading of every key state began; none before the first.
  std::optional<std::uint32_t> lastReading_;

  Platform& platform_;
  FormView& view_;
  std::array<TickBox, CountOf(ControlKind::TickBox)> ticks_;
  std::array<ActionButton, CountOf(ControlKind::ActionButton)> actions_;
  StartupSettings startupSettings_;
  mStartUp startUp_;
  std::array<PlainControl, CountOf(ControlKind::Frame) + CountOf(ControlKind::Label)> plains_;
};

}  // namespace tallowmere
