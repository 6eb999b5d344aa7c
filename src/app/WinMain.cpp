#include <windows.h>

#include "app/RunningCopy.h"
#include "app/resource.h"
#include "engine/BlockList.h"
#include "platform/win32/EscapedFailure.h"
#include "platform/win32/TrayControlWindow.h"
#include "platform/win32/Win32BlockListSource.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32HookCalls.h"
#include "platform/win32/Win32InputState.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32NotificationArea.h"
#include "platform/win32/Win32Pictures.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProgramResources.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32SkinFramework.h"
#include "platform/win32/Win32TrayRouting.h"
#include "shell/Main.h"
#include "ui/win32/Form1Window.h"

namespace {

using namespace tallowmere;

constexpr char kNoAnswerText[] =
    "Tallowmere is already running, but it does not answer. Wait a moment and start it "
    "again. If it still does not answer, end Tallowmere.exe in the Task Manager, then start "
    "it again.";
// The exit code of a start that found a copy running that did not answer.
constexpr int kNoAnswerExitCode = 2;

int Run(int showCommand) {
  Win32Files files;
  Win32Environment environment;
  Win32Dialogs dialogs;
  Win32Registry registry;
  Win32SettingsStore settings;
  Win32InputState input;
  Win32NotificationArea notificationArea;
  Win32TrayRouting routing{dialogs, &ApplicationTitle};
  Win32MessagePump pump;
  Win32Clock clock;
  Win32ControlWindows controlWindows;
  TrayPlatform tray{notificationArea, routing, pump, clock, controlWindows};
  Win32ProgramResources resources{IDI_PROGRAM, IDI_LOCKED};
  Win32Process process;
  Win32Pictures pictures;
  // Declared before the window: the skin lets go of the window when the
  // window ends, not the other way round.
  Win32SkinFramework skin(files);
  // Declared before the window, so hooks still installed when the window
  // ends are removed after it.
  Win32HookCalls hooks;
  Win32BlockListSource blockList(kBlockListFolderVariable, kBlockListFileName);
  Platform platform{files,     environment, dialogs,  registry, settings, input,    tray,
                    resources, process,     pictures, skin,     hooks,    blockList};

  Form1Window window(platform);
  window.onDestroyed = [] { PostQuitMessage(0); };
  window.Create();
  dialogs.SetOwner(window.hwnd());
  input.SetMainWindow(window.hwnd());
  window.form().Form_Load();
  // Locking started by the load hides the window before it was ever shown.
  if (window.form().Visible) window.Show(showCommand);

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == -1 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int nShowCmd) {
  try {
    // Held until the process ends.
    Handle mark;
    switch (StartAsOnlyCopy(mark)) {
      case StartOutcome::OnlyCopy:
        return Run(nShowCmd);
      case StartOutcome::HandedOver:
        return 0;
      case StartOutcome::NoAnswer:
        Win32Dialogs().Show(kNoAnswerText, ApplicationTitle(), DialogIcon::Exclamation);
        return kNoAnswerExitCode;
    }
  } catch (...) {
    Win32Dialogs dialogs;
    ReportEscapedFailure(dialogs, ApplicationTitle());
  }
  return 1;
}
